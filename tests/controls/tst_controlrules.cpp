#include "controls/DotsGeometry.h"
#include "controls/DotsRating.h"
#include "controls/PriorityGrid.h"

#include <QtTest>

namespace {

DotsRating rating(int maxDots, int minDots, int filled, int diameter = 8, int spacing = 2)
{
    DotsRating r;
    r.setDiameter(diameter);
    r.setSpacing(spacing);
    r.setMaxDots(maxDots);
    r.setMinDots(minDots);
    r.setFilled(filled);
    return r;
}

// Centre of the cell of rating k in an 8/2 row.
int centreOf(const DotsRating& r, int k)
{
    return r.geometry().cellLeft(k) + r.Diameter() / 2;
}

} // namespace

class TestControlRules : public QObject
{
    Q_OBJECT
private slots:
    void geometrySize_data();
    void geometrySize();
    void cellPlacement();
    void crossLeavesOutEndPoints();
    void hitZones_data();
    void hitZones();
    void minDotsStoresZeroOrOne_data();
    void minDotsStoresZeroOrOne();

    void filledIsClamped_data();
    void filledIsClamped();
    void freebiesRule_data();
    void freebiesRule();
    void maxDotsBelowRating();
    void pressRule_data();
    void pressRule();
    void dragReturnsToDotUnderPointer();
    void dragOutsideIsIgnored_data();
    void dragOutsideIsIgnored();
    void handlerSeesEveryChangeOnce();

    void priorityPress_data();
    void priorityPress();
    void priorityValueFollowsRank_data();
    void priorityValueFollowsRank();
    void priorityRankOfEqualValues();
    void priorityCellCentres();
};

void TestControlRules::geometrySize_data()
{
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("maxDots");
    QTest::addColumn<int>("minDots");
    QTest::addColumn<QSize>("size");
    QTest::newRow("attribute") << 8 << 2 << 5 << 1 << QSize(48, 8);
    QTest::newRow("humanity") << 8 << 2 << 10 << 0 << QSize(108, 8);
    QTest::newRow("willpower") << 8 << 2 << 10 << 1 << QSize(98, 8);
    QTest::newRow("new control") << 10 << 2 << 5 << 0 << QSize(70, 10);
    QTest::newRow("no gaps") << 6 << 0 << 3 << 1 << QSize(18, 6);
}

void TestControlRules::geometrySize()
{
    QFETCH(int, diameter);
    QFETCH(int, spacing);
    QFETCH(int, maxDots);
    QFETCH(int, minDots);
    const DotsGeometry cells{diameter, spacing, maxDots, minDots};
    QFETCH(QSize, size);
    QCOMPARE(cells.size(), size);
}

void TestControlRules::cellPlacement()
{
    DotsGeometry withCross{8, 2, 10, 0};
    QCOMPARE(withCross.cellRect(0), QRect(0, 0, 8, 8));
    QCOMPARE(withCross.cellRect(1), QRect(10, 0, 8, 8));
    QCOMPARE(withCross.cellRect(10), QRect(100, 0, 8, 8));
    DotsGeometry fromOne{8, 2, 5, 1};
    QCOMPARE(fromOne.cellRect(1), QRect(0, 0, 8, 8));
    QCOMPARE(fromOne.cellRect(5), QRect(40, 0, 8, 8));
}

void TestControlRules::crossLeavesOutEndPoints()
{
    const QList<QPoint> cross = DotsGeometry{8, 2, 10, 0}.crossPixels();
    QCOMPARE(cross.size(), 17);
    for (const QPoint& p : {QPoint(0, 0), QPoint(4, 4), QPoint(8, 7), QPoint(8, 0), QPoint(1, 7)})
        QVERIFY2(cross.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    QVERIFY(!cross.contains(QPoint(9, 8)));
    QVERIFY(!cross.contains(QPoint(0, 8)));
    for (const QPoint& p : cross)
        QVERIFY(p.x() >= 0 && p.x() <= 8 && p.y() >= 0 && p.y() < 8);
}

void TestControlRules::hitZones_data()
{
    QTest::addColumn<int>("minDots");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("value");
    QTest::newRow("cross") << 0 << 4 << 0;
    QTest::newRow("end of cross cell") << 0 << 8 << 0;
    QTest::newRow("second half of gap") << 0 << 9 << 1;
    QTest::newRow("left of dot 1, no zero cell") << 1 << -1 << 1;
    QTest::newRow("dot 1") << 1 << 0 << 1;
    QTest::newRow("gap after dot 1") << 1 << 8 << 1;
    QTest::newRow("gap before dot 2") << 1 << 9 << 2;
    QTest::newRow("last dot") << 1 << 47 << 5;
    QTest::newRow("beyond the row") << 1 << 75 << 8;
}

void TestControlRules::hitZones()
{
    QFETCH(int, minDots);
    QFETCH(int, x);
    const DotsGeometry cells{8, 2, 5, minDots};
    QFETCH(int, value);
    QCOMPARE(cells.valueAt(x), value);
}

void TestControlRules::minDotsStoresZeroOrOne_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("three") << 3 << 1;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -2 << 0;
}

void TestControlRules::minDotsStoresZeroOrOne()
{
    DotsRating r;
    QFETCH(int, written);
    r.setMinDots(written);
    QFETCH(int, stored);
    QCOMPARE(r.MinDots(), stored);
}

void TestControlRules::filledIsClamped_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("filled");
    QTest::newRow("inside") << 3 << 3;
    QTest::newRow("above maximum") << 9 << 5;
    QTest::newRow("negative") << -4 << 0;
}

void TestControlRules::filledIsClamped()
{
    DotsRating r = rating(5, 1, 1);
    QFETCH(int, written);
    r.setFilled(written);
    QFETCH(int, filled);
    QCOMPARE(r.Filled(), filled);
    QCOMPARE(r.Selected(), r.Filled());
}

void TestControlRules::freebiesRule_data()
{
    QTest::addColumn<int>("minDots");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");
    QTest::newRow("all dots, minimum 1") << 1 << 3 << 3 << 2;
    QTest::newRow("all dots, minimum 0") << 0 << 3 << 3 << 3;
    QTest::newRow("empty row, minimum 1") << 1 << 0 << 3 << -1;
    QTest::newRow("empty row, minimum 0") << 0 << 0 << 3 << 0;
    QTest::newRow("more than filled") << 0 << 2 << 5 << 2;
    QTest::newRow("negative") << 0 << 2 << -1 << 0;
    QTest::newRow("some dots") << 1 << 4 << 2 << 2;
}

void TestControlRules::freebiesRule()
{
    QFETCH(int, minDots);
    QFETCH(int, filled);
    DotsRating r = rating(5, minDots, filled);
    QFETCH(int, written);
    r.setFreebies(written);
    QFETCH(int, stored);
    QCOMPARE(r.Freebies(), stored);

    // A lower rating takes the freebie dots down with it.
    r.setFilled(1);
    QVERIFY(r.Freebies() <= r.Filled());
}

void TestControlRules::maxDotsBelowRating()
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

void TestControlRules::pressRule_data()
{
    QTest::addColumn<int>("minDots");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("pressed"); // the rating whose cell is pressed
    QTest::addColumn<int>("result");
    QTest::newRow("higher dot") << 1 << 1 << 4 << 4;
    QTest::newRow("lower dot") << 1 << 4 << 2 << 2;
    QTest::newRow("current rating drops by one") << 1 << 3 << 3 << 2;
    QTest::newRow("held at minimum 1") << 1 << 1 << 1 << 1;
    QTest::newRow("dot 1 of rating 1 with a cross") << 0 << 1 << 1 << 0;
    QTest::newRow("cross") << 0 << 3 << 0 << 0;
    QTest::newRow("cross on an empty row") << 0 << 0 << 0 << 0;
}

void TestControlRules::pressRule()
{
    QFETCH(int, filled);
    QFETCH(int, result);
    int changes = 0;
    QFETCH(int, minDots);
    DotsRating r = rating(5, minDots, filled);
    r.setChangeHandler([&] { ++changes; });
    QFETCH(int, pressed);
    r.press(centreOf(r, pressed));
    QCOMPARE(r.Filled(), result);
    QCOMPARE(r.Selected(), result);
    QCOMPARE(r.lastMouseValue(), result);
    QCOMPARE(changes, result != filled ? 1 : 0);
}

void TestControlRules::dragReturnsToDotUnderPointer()
{
    DotsRating r = rating(5, 1, 3);
    const int width = r.geometry().size().width();
    r.press(centreOf(r, 3));
    QCOMPARE(r.Filled(), 2);
    // Still inside dot 3: the press lowered the rating, the move puts it back.
    r.drag(centreOf(r, 3) + 1, 4, width);
    QCOMPARE(r.Filled(), 3);
    // Further moves within the same dot change nothing.
    r.drag(centreOf(r, 3) + 2, 4, width);
    QCOMPARE(r.Filled(), 3);
    r.drag(centreOf(r, 5), 4, width);
    QCOMPARE(r.Filled(), 5);
    r.drag(centreOf(r, 1), 0, width);
    QCOMPARE(r.Filled(), 1);
    QCOMPARE(r.lastMouseValue(), 1);
}

void TestControlRules::dragOutsideIsIgnored_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("filled");
    QTest::newRow("left") << QPoint(-1, 4) << 2;
    QTest::newRow("above") << QPoint(30, -1) << 2;
    QTest::newRow("below") << QPoint(30, 9) << 2;
    QTest::newRow("right") << QPoint(49, 4) << 2;
    QTest::newRow("bottom edge counts") << QPoint(30, 8) << 4;
    QTest::newRow("right edge counts") << QPoint(48, 4) << 5;
}

void TestControlRules::dragOutsideIsIgnored()
{
    DotsRating r = rating(5, 1, 1);
    r.press(centreOf(r, 2));
    QFETCH(QPoint, pos);
    r.drag(pos.x(), pos.y(), 48);
    QFETCH(int, filled);
    QCOMPARE(r.Filled(), filled);
}

void TestControlRules::handlerSeesEveryChangeOnce()
{
    QList<int> seen;
    DotsRating r = rating(5, 0, 0);
    r.setChangeHandler([&] { seen << r.Filled(); });
    r.setFilled(2);
    r.setFilled(2);
    r.setFilled(7);
    r.setFilled(5);
    r.setFilled(-1);
    QCOMPARE(seen, (QList<int>{2, 5, 0}));
}

void TestControlRules::priorityPress_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QList<int>>("categories");
    QTest::newRow("column one, middle row") << QPoint(5, 35) << QList<int>{5, 7, 3};
    QTest::newRow("column three, top row") << QPoint(60, 5) << QList<int>{3, 5, 7};
    QTest::newRow("cell already held") << QPoint(35, 35) << QList<int>{7, 5, 3};
    QTest::newRow("last pixel of a band") << QPoint(22, 22) << QList<int>{7, 5, 3};
    QTest::newRow("first pixel of the next") << QPoint(23, 46) << QList<int>{7, 3, 5};
}

void TestControlRules::priorityPress()
{
    PriorityGrid grid;
    QFETCH(QPoint, pos);
    grid.press(pos, QSize(70, 70));
    QFETCH(QList<int>, categories);
    for (int c = 0; c < PriorityGrid::Count; ++c)
        QCOMPARE(grid.category(c), categories[c]);
}

void TestControlRules::priorityValueFollowsRank_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("rank");
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("first rank held by two") << QList<int>{5, 7, 3} << 0 << 8 << QList<int>{5, 8, 3};
    QTest::newRow("third rank") << QList<int>{7, 5, 3} << 2 << 4 << QList<int>{7, 5, 4};
    QTest::newRow("rank held by none") << QList<int>{7, 7, 3} << 1 << 6 << QList<int>{7, 7, 3};
    QTest::newRow("held twice, first follows")
        << QList<int>{3, 5, 3} << 2 << 1 << QList<int>{1, 5, 3};
}

void TestControlRules::priorityValueFollowsRank()
{
    PriorityGrid grid;
    QFETCH(QList<int>, before);
    for (int c = 0; c < PriorityGrid::Count; ++c)
        grid.setCategory(c, before[c]);
    QFETCH(int, rank);
    QFETCH(int, value);
    grid.setValue(rank, value);
    QCOMPARE(grid.value(rank), value);
    QFETCH(QList<int>, after);
    for (int c = 0; c < PriorityGrid::Count; ++c)
        QCOMPARE(grid.category(c), after[c]);
}

void TestControlRules::priorityRankOfEqualValues()
{
    PriorityGrid grid;
    grid.setValue(2, 5); // category three follows: 7 / 5 / 5
    QCOMPARE(grid.category(2), 5);
    // Both fives show in the second row, the higher of the two.
    QCOMPARE(grid.rankOf(1), 1);
    QCOMPARE(grid.rankOf(2), 1);

    grid.setCategory(0, 11);
    QCOMPARE(grid.rankOf(0), -1);
}

void TestControlRules::priorityCellCentres()
{
    QCOMPARE(PriorityGrid::cellCentre(0, 0, QSize(70, 70)), QPoint(11, 11));
    QCOMPARE(PriorityGrid::cellCentre(1, 1, QSize(70, 70)), QPoint(35, 35));
    QCOMPARE(PriorityGrid::cellCentre(2, 2, QSize(70, 70)), QPoint(58, 58));
    QCOMPARE(PriorityGrid::cellCentre(2, 0, QSize(50, 40)), QPoint(41, 6));
}

QTEST_GUILESS_MAIN(TestControlRules)
#include "tst_controlrules.moc"
