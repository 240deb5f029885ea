#include "../support/DataRows.h"
#include "controls/DotsGeometry.h"
#include "controls/DotsRating.h"
#include "controls/PriorityGrid.h"

#include <QtTest>

using L = QList<int>;

namespace {

// A row of 8-pixel dots 2 apart.
DotsRating rating(int maxDots, int minDots, int filled)
{
    DotsRating r;
    r.setDiameter(8);
    r.setSpacing(2);
    r.setMaxDots(maxDots);
    r.setMinDots(minDots);
    r.setFilled(filled);
    return r;
}

int centreOf(const DotsRating& r, int k)
{
    return r.geometry().cellLeft(k) + r.Diameter() / 2;
}

L categories(const PriorityGrid& grid)
{
    return {grid.category(0), grid.category(1), grid.category(2)};
}

} // namespace

class TestControlRules : public QObject
{
    Q_OBJECT
private slots:
    // The cross of a row that may go down to zero, without its two far end points.
    void crossLeavesOutEndPoints()
    {
        const QList<QPoint> cross = DotsGeometry{8, 2, 10, 0}.crossPixels();
        QCOMPARE(cross.size(), 17);
        for (const QPoint& p :
             {QPoint(0, 0), QPoint(4, 4), QPoint(8, 7), QPoint(8, 0), QPoint(1, 7)})
            QVERIFY(cross.contains(p));
        for (const QPoint& p : cross)
            QVERIFY(p.x() >= 0 && p.x() <= 8 && p.y() >= 0 && p.y() < 8);
    }

    void hitZones_data()
    {
        columns<int, int, int>({"minDots", "x", "value"});
        dataRow("end of cross cell", 0, 8, 0);
        dataRow("second half of gap", 0, 9, 1);
        dataRow("left of dot 1, no zero cell", 1, -1, 1);
        dataRow("gap after dot 1", 1, 8, 1);
        dataRow("gap before dot 2", 1, 9, 2);
        dataRow("beyond the row", 1, 75, 8);
    }
    void hitZones()
    {
        const auto [minDots, x] = fetch<int, int>({"minDots", "x"});
        QTEST((DotsGeometry{8, 2, 5, minDots}.valueAt(x)), "value");
    }

    void writesAreClamped()
    {
        DotsRating r = rating(5, 3, 9);
        QCOMPARE(r.MinDots(), 1);
        QCOMPARE(r.Filled(), 5);
        // The lowest dot of a row from 1 is free, so it cannot be bought; an empty row shows -1.
        r.setFreebies(9);
        QCOMPARE(r.Freebies(), 4);
        r.setFilled(2); // a lower rating takes the freebie dots down with it
        QCOMPARE(r.Freebies(), 2);
        r.setMinDots(-2);
        r.setFilled(-4);
        QCOMPARE(r.MinDots(), 0);
        QCOMPARE(r.Filled(), 0);
        QCOMPARE(r.Selected(), 0);
        r.setFreebies(-1);
        QCOMPARE(r.Freebies(), 0);
        r.setMinDots(1);
        r.setFreebies(3);
        QCOMPARE(r.Freebies(), -1);
    }

    void maxDotsBelowRating()
    {
        int changes = 0;
        DotsRating r = rating(5, 1, 4);
        r.setFreebies(2);
        r.setChangeHandler([&] { ++changes; });
        r.setMaxDots(3);
        QCOMPARE(r.Filled(), 3);
        QCOMPARE(r.Freebies(), 0);
        QCOMPARE(changes, 0);
        // A press on the rating now shown lowers it, as on any other row.
        r.press(centreOf(r, 3));
        QCOMPARE(r.Filled(), 2);
        // Freebies are cleared even when the rating fits.
        r.setFilled(3);
        r.setFreebies(1);
        r.setMaxDots(5);
        QCOMPARE(r.Filled(), 3);
        QCOMPARE(r.Freebies(), 0);
    }

    void dragOutsideIsIgnored_data()
    {
        columns<QPoint, int>({"pos", "filled"});
        dataRow("left", QPoint(-1, 4), 2);
        dataRow("above", QPoint(30, -1), 2);
        dataRow("below", QPoint(30, 9), 2);
        dataRow("right", QPoint(49, 4), 2);
        dataRow("bottom edge counts", QPoint(30, 8), 4);
        dataRow("right edge counts", QPoint(48, 4), 5);
    }
    void dragOutsideIsIgnored()
    {
        QFETCH(QPoint, pos);
        DotsRating r = rating(5, 1, 1);
        r.press(centreOf(r, 2));
        r.drag(pos.x(), pos.y(), 48);
        QTEST(r.Filled(), "filled");
    }

    void handlerSeesEveryChangeOnce()
    {
        QList<int> seen;
        DotsRating r = rating(5, 0, 0);
        r.setChangeHandler([&] { seen << r.Filled(); });
        for (int value : {2, 2, 7, 5, -1})
            r.setFilled(value);
        QCOMPARE(seen, (L{2, 5, 0}));
    }

    // A press in a 70 x 70 grid: the column takes the rank, the first other category holding
    // it takes the column's old one.
    void priorityPress_data()
    {
        columns<L, QPoint, L>({"before", "pos", "after"});
        dataRow("column one, middle row", L{7, 5, 3}, QPoint(5, 35), L{5, 7, 3});
        dataRow("column three, top row", L{7, 5, 3}, QPoint(60, 5), L{3, 5, 7});
        dataRow("cell already held", L{7, 5, 3}, QPoint(35, 35), L{7, 5, 3});
        dataRow("last pixel of a band", L{7, 5, 3}, QPoint(22, 22), L{7, 5, 3});
        dataRow("first pixel of the next", L{7, 5, 3}, QPoint(23, 46), L{7, 3, 5});
        dataRow("equal values: the first other swaps", L{7, 5, 5}, QPoint(5, 60), L{5, 7, 5});
    }
    void priorityPress()
    {
        const auto [before, pos] = fetch<L, QPoint>({"before", "pos"});
        PriorityGrid grid;
        grid.setValue(2, before[2]);
        for (int c = 0; c < PriorityGrid::Count; ++c)
            grid.setCategory(c, before[c]);
        grid.press(pos, QSize(70, 70));
        QTEST(categories(grid), "after");
    }

    void priorityValueFollowsRank_data()
    {
        columns<L, int, int, L>({"before", "rank", "value", "after"});
        dataRow("first rank held by two", L{5, 7, 3}, 0, 8, L{5, 8, 3});
        dataRow("rank held by none", L{7, 7, 3}, 1, 6, L{7, 7, 3});
        dataRow("held twice, first follows", L{3, 5, 3}, 2, 1, L{1, 5, 3});
    }
    void priorityValueFollowsRank()
    {
        const auto [before, rank, value] = fetch<L, int, int>({"before", "rank", "value"});
        PriorityGrid grid;
        for (int c = 0; c < PriorityGrid::Count; ++c)
            grid.setCategory(c, before[c]);
        grid.setValue(rank, value);
        QCOMPARE(grid.value(rank), value);
        QTEST(categories(grid), "after");
    }

    void priorityRankOfEqualValues()
    {
        PriorityGrid grid;
        grid.setValue(2, 5); // category three follows: 7 / 5 / 5
        QCOMPARE(categories(grid), (L{7, 5, 5}));
        // Both fives show in the second row, the higher of the two.
        QCOMPARE(grid.rankOf(1), 1);
        QCOMPARE(grid.rankOf(2), 1);
        grid.setCategory(0, 11);
        QCOMPARE(grid.rankOf(0), -1);
    }
};

QTEST_GUILESS_MAIN(TestControlRules)
#include "tst_controlrules.moc"
