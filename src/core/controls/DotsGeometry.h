#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The cells of a row of rating dots: with a minimum of 0 the row starts with the zero
// cell (the cross), with a minimum of 1 dot 1 sits at x = 0. Each cell is diameter
// pixels square, neighbours are spacing pixels apart.
class DotsGeometry
{
public:
    int diameter = 10;
    int spacing = 2;
    int maxDots = 5;
    int minDots = 0; // 0 or 1, see normalizedMinDots()

    // Any minimum of one or more is stored as 1, anything less as 0.
    static int normalizedMinDots(int value) { return value >= 1 ? 1 : 0; }

    QSize size() const;
    int cellLeft(int rating) const;
    QRect cellRect(int rating) const;

    // The rating under x; each cell's hit zone reaches to the middle of the gaps beside
    // it. The result is not limited to maxDots (a widened control reports more).
    int valueAt(int x) const;

    // The pixels of the cross in the zero cell: a line from (0, 0) to (diameter + 1,
    // diameter) and one from (diameter, 0) to (0, diameter), each without its end point.
    QList<QPoint> crossPixels() const;

    bool operator==(const DotsGeometry&) const = default;
};
