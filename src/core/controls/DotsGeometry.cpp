#include "controls/DotsGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace {

// a / b rounded to the nearest integer, halves away from zero; b > 0.
int roundedDiv(int a, int b)
{
    return a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b));
}

// The pixels of a line from one point towards another, the end point left out.
void appendLine(QList<QPoint>& pixels, QPoint from, QPoint to)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i)
        pixels.append(from + QPoint(roundedDiv(i * dx, steps), roundedDiv(i * dy, steps)));
}

} // namespace

QSize DotsGeometry::size() const
{
    const int cells = maxDots + 1 - minDots;
    return QSize(cells * diameter + (cells - 1) * spacing, diameter);
}

int DotsGeometry::cellLeft(int rating) const
{
    return (rating - minDots) * (diameter + spacing);
}

QRect DotsGeometry::cellRect(int rating) const
{
    return QRect(cellLeft(rating), 0, diameter, diameter);
}

int DotsGeometry::valueAt(int x) const
{
    const int pitch = diameter + spacing;
    // A nonsensical size must not divide by zero; every press then means the minimum.
    if (pitch <= 0)
        return minDots;
    // C++ integer division truncates toward zero, as the hit rule wants.
    return (x + spacing / 2) / pitch + minDots;
}

QList<QPoint> DotsGeometry::crossPixels() const
{
    QList<QPoint> pixels;
    appendLine(pixels, QPoint(0, 0), QPoint(diameter + 1, diameter));
    appendLine(pixels, QPoint(diameter, 0), QPoint(0, diameter));
    return pixels;
}
