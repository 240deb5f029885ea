#include "../support/DataRows.h"
#include "../support/ProgramFonts.h"
#include "../support/RulesLines.h"
#include "controls/DotsGeometry.h"
#include "controls/DotsRating.h"
#include "controls/PriorityGrid.h"
#include "controls/SelectionFade.h"
#include "controls/SelectionInfo.h"
#include "controls/SelectionLayout.h"
#include "rules/RuleTables.h"

#include <QFontMetrics>

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

// The lowest rating, the rating and the freebie dots.
L state(const DotsRating& r)
{
    return {r.MinDots(), r.Filled(), r.Freebies()};
}

L categories(const PriorityGrid& grid)
{
    return {grid.category(0), grid.category(1), grid.category(2)};
}

// Every character 7 pixels wide, so that line breaks can be worked out by hand.
int fixedWidth(const QString& text)
{
    return int(text.size()) * 7;
}

} // namespace

// The controls' rules without a widget: the dots, the priority grid and the popup list.
class TestControlRules : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_tables.build(shippedRules(), false);
        QVERIFY(m_tables.ClanNames.size() > 10);
    }

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
        QTEST((DotsGeometry{8, 2, 5, column<int>("minDots")}.valueAt(column<int>("x"))), "value");
    }

    void writesAreClamped()
    {
        DotsRating r = rating(5, 3, 9);
        QCOMPARE(state(r), (L{1, 5, 0}));
        // The lowest dot of a row from 1 is free, so it cannot be bought; an empty row shows -1.
        r.setFreebies(9);
        QCOMPARE(state(r), (L{1, 5, 4}));
        r.setFilled(2); // a lower rating takes the freebie dots down with it
        QCOMPARE(state(r), (L{1, 2, 2}));
        r.setMinDots(-2);
        r.setFilled(-4);
        r.setFreebies(-1);
        QCOMPARE(state(r), (L{0, 0, 0}));
        QCOMPARE(r.Selected(), 0);
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
        QCOMPARE(state(r), (L{1, 3, 0}));
        QCOMPARE(changes, 0);
        // A press on the rating now shown lowers it, as on any other row.
        r.press(centreOf(r, 3));
        QCOMPARE(r.Filled(), 2);
        // Freebies are cleared even when the rating fits.
        r.setFilled(3);
        r.setFreebies(1);
        r.setMaxDots(5);
        QCOMPARE(state(r), (L{1, 3, 0}));
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
    // it the column's old one.
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
        QTEST(categories(grid), "after");
    }

    void priorityRankOfEqualValues()
    {
        PriorityGrid grid;
        grid.setValue(2, 5); // category three follows: 7 / 5 / 5
        QCOMPARE(categories(grid), (L{7, 5, 5}));
        grid.setCategory(0, 11);
        // Both fives show in the second row, the higher of the two; 11 in none.
        QCOMPARE((L{grid.rankOf(0), grid.rankOf(1), grid.rankOf(2)}), (L{-1, 1, 1}));
    }

    void columnRule_data()
    {
        columns<int, int, int, int>({"entryWidth", "count", "kind", "columns"});
        dataRow("nine entries, one column", 10, 9, 1, 1);
        dataRow("ten entries widen", 100, 10, 1, 2);
        dataRow("powers always one column", 10, 40, 10, 1);
        dataRow("font sizes always one column", 10, 12, 11, 1);
        dataRow("300 wide entries", 100, 300, 5, 8);
        dataRow("300 narrow entries", 30, 300, 5, 12);
        dataRow("stops at sixteen", 0, 20, 3, 16);
    }
    void columnRule()
    {
        const auto [entryWidth, count, kind] =
            fetch<int, int, int>({"entryWidth", "count", "kind"});
        QTEST(SelectionLayout::columnCount(entryWidth, count, kind), "columns");
    }

    void sizeIsCapped_data()
    {
        columns<int, int, int, int, QSize>({"entryWidth", "count", "kind", "rows", "size"});
        dataRow("fits", 100, 300, 5, 38, QSize(935, 600));
        dataRow("long power list in columns", 80, 65, 10, 33, QSize(205, 525));
        dataRow("very long power list", 80, 300, 10, 43, QSize(680, 675));
        dataRow("too wide and tall", 200, 300, 5, 50, QSize(1024, 753));
        dataRow("empty list", 0, 0, 1, 0, QSize(30, 30));
    }
    void sizeIsCapped()
    {
        const auto [entryWidth, count, kind] =
            fetch<int, int, int>({"entryWidth", "count", "kind"});
        const auto grid = SelectionLayout::grid(entryWidth, count, kind, QSize(1024, 753));
        QTEST(grid.rows, "rows");
        QTEST(grid.size, "size");
    }

    void placement_data()
    {
        // A 1920 x 1080 screen; the dock of a main window at (100, 50) starts at 738.
        columns<QPoint, QSize, int, QPoint>({"pointer", "popup", "dockLeft", "topLeft"});
        dataRow("centred", QPoint(300, 300), QSize(200, 100), 738, QPoint(201, 251));
        dataRow("left of the dock", QPoint(700, 300), QSize(200, 100), 738, QPoint(533, 251));
        dataRow("right edge", QPoint(1900, 300), QSize(200, 100), 5000, QPoint(1720, 251));
        dataRow("bottom edge", QPoint(300, 1070), QSize(200, 100), 738, QPoint(201, 980));
        dataRow("top left", QPoint(10, 10), QSize(200, 100), 738, QPoint(0, 0));
        dataRow("no room left of the dock", QPoint(400, 300), QSize(900, 100), 738, QPoint(0, 251));
    }
    void placement()
    {
        const auto [pointer, popup, dockLeft] =
            fetch<QPoint, QSize, int>({"pointer", "popup", "dockLeft"});
        QTEST(SelectionLayout::placement(pointer, popup, QRect(0, 0, 1920, 1080), dockLeft),
              "topLeft");
    }

    void hitTest_data()
    {
        // 25 entries 100 wide in 3 columns of 9 rows: a 360 x 165 popup.
        columns<QPoint, int>({"pos", "index"});
        dataRow("first entry", QPoint(20, 16), 0);
        dataRow("top margin", QPoint(20, 15), -1);
        dataRow("bottom margin", QPoint(20, 150), -1);
        dataRow("last row", QPoint(20, 149), 8);
        dataRow("left of the first column", QPoint(6, 40), -1);
        dataRow("half a gap before the second column", QPoint(122, 16), 9);
        dataRow("below the last entry", QPoint(240, 136), -1);
        dataRow("end of the last column", QPoint(351, 16), 18);
        dataRow("right of the last column", QPoint(352, 16), -1);
    }
    void hitTest()
    {
        const auto [pos, index] = fetch<QPoint, int>({"pos", "index"});
        const auto grid = SelectionLayout::grid(100, 25, 1, QSize(1024, 753));
        QCOMPARE(grid.size, QSize(360, 165));
        QCOMPARE(SelectionLayout::hitTest(pos, grid.size, 100, grid.rows, 25).index, index);
        if (index >= 0) {
            const QPoint text = SelectionLayout::entryTopLeft(index, grid.rows, 100);
            QVERIFY(pos.y() >= text.y() && pos.y() < text.y() + 15);
        }
    }

    void fadeAndTrail()
    {
        const QColor opening(80, 120, 80), red(255, 0, 0);
        SelectionFade fade;
        fade.reset(20);
        for (int tick = 1; tick < 18; ++tick)
            fade.tick(-1, false);
        QVERIFY(!fade.isWhite(0));
        QCOMPARE(fade.tick(-1, false).size(), 20);
        QVERIFY(fade.isWhite(0) && fade.isWhite(19));
        QVERIFY(fade.tick(-1, false).isEmpty()); // white entries are not drawn again

        // Held red while the pointer is inside, white 26 ticks after it left.
        fade.hover(1, 0);
        for (int tick = 0; tick < 30; ++tick)
            fade.tick(1, true);
        QCOMPARE(fade.EntryColour(1), red);
        for (int tick = 1; tick < 26; ++tick)
            QCOMPARE(fade.tick(1, false), QList<int>{1});
        QVERIFY(!fade.isWhite(1));
        fade.tick(1, false);
        QVERIFY(fade.isWhite(1));

        // Down a column every skipped entry turns red, up as well; another column only the one.
        fade.reset(20);
        fade.hover(2, 0);
        QCOMPARE(fade.hover(6, 0), QList<int>({6, 3, 4, 5}));
        QCOMPARE(fade.hover(3, 0), QList<int>({3, 4, 5}));
        QCOMPARE(fade.hover(14, 1), QList<int>{14});
        QCOMPARE(fade.EntryColour(8), opening);
        QCOMPARE(fade.TrailIndex(), 14);
    }

    void dockImageFadesBySteps()
    {
        QImage fade(153, 345, QImage::Format_RGB888);
        fade.fill(Qt::black);
        fade.setPixelColor(0, 0, QColor(200, 200, 200));
        QImage target(fade.size(), QImage::Format_RGB888);
        target.fill(QColor(64, 128, 96));
        target.setPixelColor(152, 344, QColor(5, 0, 255));
        SelectionFade::fadeToward(fade, target);
        QCOMPARE(fade.pixelColor(10, 10), QColor(10, 10, 10));
        QCOMPARE(fade.pixelColor(152, 344), QColor(5, 0, 10));
        QCOMPARE(fade.pixelColor(0, 0), QColor(190, 190, 190));
        for (int step = 0; step < 30; ++step)
            SelectionFade::fadeToward(fade, target);
        QCOMPARE(fade, target);
    }

    void wrapText_data()
    {
        // Lines of at most 21 characters of 7 pixels.
        columns<QString, QStringList>({"text", "lines"});
        dataRow("empty", QString(), QStringList());
        dataRow("fits", "A short text", QStringList{"A short text"});
        dataRow("after spaces", "Hired killers of the Middle East who take payment",
                QStringList{"Hired killers of the ", "Middle East who take ", "payment"});
        dataRow("exactly the width", "aaaaaaaaaaaaaaaaaaaa bb",
                QStringList{"aaaaaaaaaaaaaaaaaaaa ", "bb"});
        dataRow("long word", "a bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb c",
                QStringList{"a ", "bbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbb c"});
    }
    void wrapText()
    {
        QFETCH(QString, text);
        QTEST(SelectionInfo::WrapText(text, 150, fixedWidth), "lines");

        // In the real font too every line fits and nothing is lost.
        const QFontMetrics metrics(SelectionInfo().bodyFont());
        const auto measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
        const QString longer = text + QString(80, u'W') + ' ' + text;
        const QStringList wrapped = SelectionInfo::WrapText(longer, 150, measure);
        QCOMPARE(wrapped.join(QString()), longer);
        for (const QString& line : wrapped)
            QVERIFY2(measure(line) <= 150, qPrintable(line));
        QCOMPARE(SelectionInfo::WrapText("abc", 1, measure), QStringList({"a", "b", "c"}));
    }

    void splitTitle_data()
    {
        // A panel of 70 pixels: ten characters.
        columns<QString, QString, QString>({"title", "first", "second"});
        dataRow("fits", "Short", "Short", "");
        dataRow("space from the first third", "Iron Will and Resolve", "Iron Will", "and Resolve");
        dataRow("space on the third", "ab cdefghijk", "ab", "cdefghijk");
        dataRow("no space after the third", "Dark Fatecarrierdom", "Dark", "Fatecarrierdom");
        dataRow("no space at all", "Unbreakablewordhere", "Unbreakabl", "ewordhere");
    }
    void splitTitle()
    {
        QFETCH(QString, title);
        const auto lines = SelectionInfo::SplitTitle(title, 70, fixedWidth);
        QTEST(lines.first, "first");
        QTEST(lines.second, "second");
    }

    void titles_data()
    {
        columns<int, QString, int, QString>({"kind", "entry", "index", "title"});
        dataRow("clan", 1, "Brujah", 3, "Brujah");
        dataRow("generation", 2, "3rd", 0, "Antediluvian");
        dataRow("path", 7, "Path of Caine", 1, "Caine");
        dataRow("Humanity", 7, "Humanity", 0, "Humanity");
        dataRow("merit", 8, "Ability Aptitude (1)", 1, "Ability Aptitude");
        dataRow("no merit", 8, "<NONE>", 0, "<NONE>");
        dataRow("virtue set", 9, "Human (Conscience, Self-Control & Courage)", 0, "Human");
        dataRow("power", 10, "1: Sweet Whispers", 0, "Sweet Whispers");
    }
    void titles()
    {
        const auto [kind, entry, index] = fetch<int, QString, int>({"kind", "entry", "index"});
        QTEST(SelectionInfo::titleFor(kind, entry, index, m_tables), "title");
    }

    void clanPanel()
    {
        const SelectionInfo info;
        const int clan = int(m_tables.ClanNames.indexOf(QStringLiteral("Gangrel")));
        const auto items = info.compose(1, m_tables.ClanNames.items(), clan, m_tables);
        QCOMPARE(items.first().text, QStringLiteral("Gangrel"));
        QCOMPARE(items.first().style, SelectionInfo::Style::Title);

        QStringList description, weakness, disciplines;
        for (const auto& item : items) {
            if (item.text == QLatin1String("Weakness:"))
                QCOMPARE(item.topLeft, QPoint(2, 130));
            if (item.style == SelectionInfo::Style::Body) {
                const int y = item.topLeft.y();
                (y < 130 ? description : y < 250 ? weakness : disciplines).append(item.text);
            }
        }
        QCOMPARE(description.join(QString()), m_tables.ClanDescriptions.at(clan));
        QCOMPARE(weakness.join(QString()), m_tables.ClanWeaknesses.at(clan));
        QCOMPARE(disciplines,
                 QStringList({m_tables.ClanDiscipline1.at(clan), m_tables.ClanDiscipline2.at(clan),
                              m_tables.ClanDiscipline3.at(clan)}));
    }

private:
    ProgramFonts m_fonts;
    RuleTables m_tables;
};

QTEST_MAIN(TestControlRules)
#include "tst_controlrules.moc"
