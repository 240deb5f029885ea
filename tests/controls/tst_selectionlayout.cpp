#include "../support/DataRows.h"
#include "../support/ProgramFonts.h"
#include "../support/RulesLines.h"
#include "controls/SelectionFade.h"
#include "controls/SelectionInfo.h"
#include "controls/SelectionLayout.h"
#include "rules/RuleTables.h"

#include <QFontMetrics>
#include <QtTest>

namespace {

// Every character 7 pixels wide, so that line breaks can be worked out by hand.
int fixedWidth(const QString& text)
{
    return int(text.size()) * 7;
}

} // namespace

class TestSelectionLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_tables.build(shippedRules(), false);
        QVERIFY(m_tables.ClanNames.size() > 10);
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

QTEST_MAIN(TestSelectionLayout)
#include "tst_selectionlayout.moc"
