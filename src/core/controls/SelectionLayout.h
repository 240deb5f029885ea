#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Geometry of the selection popup: the grid of entries, the popup's size and place on
// the screen, and which entry lies under a point.
class SelectionLayout
{
public:
    static constexpr int Margin = 15; // around the grid and between columns
    static constexpr int RowHeight = 15;
    static constexpr int HitOffset = 7;   // columns are hit from half a gap left of their text
    static constexpr int DockGap = 5;     // kept free left of the information dock
    static constexpr int PowersKind = 10; // discipline powers
    static constexpr int FontSizesKind = 11;
    static constexpr int SpecialtyKind = 14; // an attribute's or ability's specialty
    static constexpr int SingleColumnBelow = 10;

    struct Grid
    {
        int columns = 1;
        int rows = 0;
        QSize size; // the popup's size, already capped
    };

    struct Hit
    {
        int index = -1; // -1 when the point lies on no entry
        int column = -1;
    };

    // The widest entry is entryWidth pixels; maximum is the largest popup there may be.
    static int columnCount(int entryWidth, int count, int kind);
    static Grid grid(int entryWidth, int count, int kind, QSize maximum);

    // Where the popup of the given size opens for a pointer at pointer (screen
    // coordinates): centred on it, kept on the screen and left of the dock, whose left
    // edge on the screen is dockLeft.
    static QPoint placement(QPoint pointer, QSize popup, const QRect& screen, int dockLeft);

    // Top left of entry index's text inside the popup.
    static QPoint entryTopLeft(int index, int rows, int entryWidth);

    // The entry under pos (popup coordinates) of a popup of the given size.
    static Hit hitTest(QPoint pos, QSize popup, int entryWidth, int rows, int count);
};
