#include "controls/SelectionLayout.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int MaxColumns = 16;
}

int SelectionLayout::columnCount(int entryWidth, int count, int kind)
{
    if (kind == PowersKind || kind == FontSizesKind || count < SingleColumnBelow)
        return 1;
    // Widen while the grid is still much taller than wide; 15 div columns weighs the
    // height so that long lists end up roughly square.
    int columns = 1;
    while (columns < MaxColumns &&
           double(entryWidth) * columns < double(count) * (15 / columns) * 1.2)
        ++columns;
    return columns;
}

SelectionLayout::Grid SelectionLayout::grid(int entryWidth, int count, int kind, QSize maximum)
{
    Grid g;
    g.columns = columnCount(entryWidth, count, kind);
    // A one-column list too long for the largest popup (a discipline with many paths of
    // powers) gets further columns rather than losing its last entries.
    const int fittingRows = std::max(1, (maximum.height() - 2 * Margin) / RowHeight);
    if (g.columns == 1 && count > fittingRows)
        g.columns = (count + fittingRows - 1) / fittingRows;
    g.rows = (count + g.columns - 1) / g.columns;
    const int width = g.columns * Margin + entryWidth * g.columns + Margin;
    const int height = g.rows * RowHeight + 2 * Margin;
    g.size = QSize(std::min(width, maximum.width()), std::min(height, maximum.height()));
    return g;
}

QPoint SelectionLayout::placement(QPoint pointer, QSize popup, const QRect& screen, int dockLeft)
{
    const int w = popup.width();
    const int h = popup.height();
    int left = pointer.x() - w / 2 + 1;
    int top = pointer.y() - h / 2 + 1;
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (left + w > screenRight)
        left = screenRight - w;
    if (left + w > dockLeft - DockGap)
        left = dockLeft - w - DockGap;
    if (top + h > screenBottom)
        top = screenBottom - h;
    left = std::max(left, screen.x());
    top = std::max(top, screen.y());
    return QPoint(left, top);
}

QPoint SelectionLayout::entryTopLeft(int index, int rows, int entryWidth)
{
    if (rows <= 0)
        return QPoint(Margin, Margin);
    const int column = index / rows;
    const int row = index - column * rows;
    return QPoint(Margin + column * (Margin + entryWidth), Margin + row * RowHeight);
}

SelectionLayout::Hit SelectionLayout::hitTest(QPoint pos, QSize popup, int entryWidth, int rows,
                                              int count)
{
    Hit hit;
    if (pos.y() <= Margin || pos.y() >= popup.height() - Margin)
        return hit;
    hit.column = int(std::floor(double(pos.x() - HitOffset) / double(entryWidth + Margin)));
    const int index = (pos.y() - Margin) / RowHeight + rows * hit.column;
    if (index >= 0 && index < count)
        hit.index = index;
    return hit;
}
