#include "controls/DotsRating.h"

#include <algorithm>

void DotsRating::setMaxDots(int value)
{
    m_geometry.maxDots = value;
    if (m_filled > value) {
        m_filled = value;
        // Keeps a press on the shown rating lowering it, as it does everywhere else.
        m_selected = m_filled;
    }
    m_freebies = 0;
}

void DotsRating::setFilled(int value)
{
    const int old = m_filled;
    // Tested one bound after the other, so a negative maximum still ends at 0.
    if (value > m_geometry.maxDots)
        value = m_geometry.maxDots;
    if (value < 0)
        value = 0;
    m_filled = value;
    if (m_freebies > m_filled)
        m_freebies = m_filled;
    m_selected = m_filled;
    if (m_filled != old && m_changed)
        m_changed();
}

void DotsRating::setFreebies(int value)
{
    if (value > m_filled)
        value = m_filled;
    if (value < 0)
        value = 0;
    // With a minimum of one dot, the lowest dot is always a free one; on an empty
    // row this leaves -1, which paints as empty dots.
    if (value == m_filled && m_geometry.minDots == 1)
        --value;
    m_freebies = value;
}

void DotsRating::press(int x)
{
    const int value = m_geometry.valueAt(x);
    if (value == m_selected) {
        m_selected = std::max(m_selected - 1, m_geometry.minDots);
        setFilled(m_selected);
    } else {
        m_selected = value;
        setFilled(value);
    }
    m_lastMouse = m_selected;
}

void DotsRating::drag(int x, int y, int width)
{
    if (x < 0 || y < 0 || y > m_geometry.diameter || x > width)
        return;
    const int value = m_geometry.valueAt(x);
    if (value != m_lastMouse)
        m_selected = value;
    setFilled(m_selected);
    m_lastMouse = m_selected;
}
