#include "SheetLayout.h"

#include <algorithm>

namespace SheetLayout {

Geometry compute(const RowCounts& rows)
{
    Geometry g;
    g.abilitiesHeight = rows.AbilityRows * RowPitch + RowTop;
    g.secondaryHeight = rows.SecondaryRows * RowPitch + RowTop;
    g.advantagesHeight =
        std::max({5, rows.BackgroundRows, rows.DisciplineRows}) * RowPitch + RowTop;
    g.flawPanelTop = rows.MeritRows * RowPitch + 21;
    g.flawPanelHeight = rows.FlawRows * RowPitch + 21;
    g.touchesHeight = std::max(175, g.flawPanelTop + g.flawPanelHeight);
    g.sheetHeight = HeaderHeight + AttributesHeight + g.abilitiesHeight + g.secondaryHeight
                    + g.advantagesHeight + g.touchesHeight + 4 * DividerHeight;
    return g;
}

QList<QPoint> bloodPoolBoxes(int generation, int sheetWidth)
{
    QList<QPoint> places;
    if (generation >= 8 && generation <= 15) {
        const int n = std::max(10, 23 - generation);
        const int left = (sheetWidth - (12 * n - 2)) / 2;
        for (int i = 0; i < n; ++i)
            places.append({left + 12 * i, 115});
    } else if (generation >= 4 && generation <= 7) {
        const int n = (9 - generation) * 10;
        const int left = (sheetWidth - 118) / 2;
        for (int i = 0; i < n; ++i)
            places.append({left + 12 * (i % 10), 115 + 12 * (i / 10)});
    }
    return places;
}

} // namespace SheetLayout
