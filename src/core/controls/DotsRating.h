#pragma once

#include "controls/DotsGeometry.h"

#include <functional>

// The value state of a dots control and the rules that change it, free of any widget.
// Invariants after every write through the rules: Freebies <= Filled, Selected == Filled.
class DotsRating
{
public:
    // Called whenever a write of Filled changes it, at the moment of the change.
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    const DotsGeometry& geometry() const { return m_geometry; }
    int Diameter() const { return m_geometry.diameter; }
    int Spacing() const { return m_geometry.spacing; }
    int MaxDots() const { return m_geometry.maxDots; }
    int MinDots() const { return m_geometry.minDots; }
    int Selected() const { return m_selected; }
    int Filled() const { return m_filled; }
    int Freebies() const { return m_freebies; }
    int lastMouseValue() const { return m_lastMouse; }

    void setDiameter(int value) { m_geometry.diameter = value; }
    void setSpacing(int value) { m_geometry.spacing = value; }
    // Lowers Filled without notice when it no longer fits, and always clears Freebies.
    void setMaxDots(int value);
    void setMinDots(int value) { m_geometry.minDots = DotsGeometry::normalizedMinDots(value); }
    void setSelected(int value) { m_selected = value; }
    void setFilled(int value);
    void setFreebies(int value);

    // A press with the left button held, at x.
    void press(int x);
    // A move with the left button held, at (x, y) in a control of the given width.
    void drag(int x, int y, int width);

private:
    DotsGeometry m_geometry;
    int m_selected = 0;
    int m_filled = 0;
    int m_freebies = 0;
    int m_lastMouse = 0;
    std::function<void()> m_changed;
};
