#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Calls visit with the colour of every pixel of the area.
template <typename Visit> void forEachPixel(const QImage& image, const QRect& area, Visit visit)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            visit(image.pixelColor(x, y));
}

// How many pixels of the area pass the test, which is given each pixel's colour.
template <typename Test> int countPixels(const QImage& image, const QRect& area, Test test)
{
    int count = 0;
    forEachPixel(image, area, [&](const QColor& colour) { count += test(colour) ? 1 : 0; });
    return count;
}

// The smallest rectangle that holds every pixel of the area passing the test.
template <typename Test> QRect inkBounds(const QImage& image, const QRect& area, Test test)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y)))
                ink |= QRect(x, y, 1, 1);
    return ink;
}
