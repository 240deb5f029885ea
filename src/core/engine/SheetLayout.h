#pragma once

#include <QList>
#include <QPoint>

// How many rows of each repeating group the sheet shows, and the panel geometry that
// follows from them.
struct RowCounts
{
    int AbilityRows = 11; // shared by the three ability columns: ten fixed rows and one open
    int SecondaryRows = 1;
    int DisciplineRows = 4; // the three clan rows and one open
    int BackgroundRows = 1;
    int MeritRows = 1;
    int FlawRows = 1;

    bool operator==(const RowCounts&) const = default;
};

namespace SheetLayout {

inline constexpr int RowsPerGroup = 20;
inline constexpr int RowPitch = 15;
inline constexpr int RowTop = 17;    // name box of row 0
inline constexpr int DotsTop = 21;   // rating dots of row 0
inline constexpr int HeaderHeight = 88;
inline constexpr int AttributesHeight = 76;
inline constexpr int DividerHeight = 31;
inline constexpr int DockHeight = 502;
inline constexpr int ThumbHeight = 20;

constexpr int nameTop(int row) { return RowPitch * row + RowTop; }
constexpr int dotsTop(int row) { return RowPitch * row + DotsTop; }

struct Geometry
{
    int abilitiesHeight;
    int secondaryHeight;
    int advantagesHeight;
    int flawPanelTop;
    int flawPanelHeight;
    int touchesHeight;
    int sheetHeight;
};

Geometry compute(const RowCounts& rows);

// Top-left corners of the blood pool boxes shown for a generation on a sheet of the width.
QList<QPoint> bloodPoolBoxes(int generation, int sheetWidth);

} // namespace SheetLayout
