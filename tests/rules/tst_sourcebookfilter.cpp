#include "../support/DataRows.h"
#include "../support/RulesLines.h"
#include "rules/RuleTables.h"
#include "rules/SourcebookFilter.h"

using namespace SourcebookFilter;

namespace {

const QString Core = QStringLiteral("Vampire - The Masquerade");
const QString Guide = QStringLiteral("Vampire Players Guide");
const QString Brujah = QStringLiteral("Clanbook: Brujah");
const QString Gangrel = QStringLiteral("Clanbook: Gangrel");
const QString Sabbat = QStringLiteral("Guide to the Sabbat");
const QString BlackHand = QStringLiteral("Dirty Secrets of the Black Hand");

QStringList items(const QString& text)
{
    return text.split(u'|', Qt::SkipEmptyParts);
}

// Lines before a section's first header, book blocks, and a section without headers.
QStringList dataLines()
{
    return items("Loner|*2002" + Core + "|Architect|*2206" + Guide + "|Rebel|Bravo|*2051" + Brujah +
                 "|Firebrand|---|*2002" + Core + "|Short (1)|*3303" + Sabbat +
                 "|Sabbat Merit (2)|*4210" + BlackHand + "|Black Hand Merit (1)|*2052" + Gangrel +
                 "|Wolf Merit (1)|---|Huge Size (4)|Short (1)|---");
}

SortedTextList sorted(const QStringList& texts)
{
    SortedTextList list;
    for (const QString& text : texts)
        list.add(text);
    return list;
}

QList<bool> flags(const SortedTextList& titles, const QStringList& inUse)
{
    QList<bool> result;
    for (const QString& title : titles.items())
        result.append(inUse.contains(title, Qt::CaseInsensitive));
    return result;
}

// One letter per preset label, None to No clanbooks: R red, C caption colour, - black.
QString letters(const PresetColours& c)
{
    QString text;
    for (LabelColour colour : {c.NoneButtonLabel, c.ClassicButtonLabel, c.VampireButtonLabel,
                               c.AllButtonLabel, c.AllClanBookButtonLabel, c.NoClanBookButtonLabel})
        text += colour == LabelColour::Red ? u'R' : colour == LabelColour::Caption ? u'C' : u'-';
    return text;
}

} // namespace

class TestSourcebookFilter : public QObject
{
    Q_OBJECT
private slots:
    void bookList()
    {
        const BookList books = buildBookList(
            dataLines() + items("*2002vampire - the masquerade|*2999Last|*3000After|*300|*3999x"));
        QCOMPARE(books.BookTitles.items(), (QStringList{"", "After", Brujah, Gangrel, BlackHand,
                                                        Sabbat, "Last", Core, Guide, "x"}));
        QCOMPARE(books.ChosenBooks.items(), (QStringList{Core, Guide}));
        // Below "*3000" byte by byte, a prefix counting as smaller, plus the Black Hand.
        QCOMPARE(books.VampireBooks.items(),
                 (QStringList{"", Brujah, Gangrel, BlackHand, "Last", Core, Guide}));
        QVERIFY(buildBookList({"*3000"}).VampireBooks.isEmpty());
    }

    void applySelection_data()
    {
        columns<QStringList, QString>({"chosen", "active"});
        QTest::newRow("no book: lines outside blocks and section ends")
            << QStringList{} << "Loner|---|---|Huge Size (4)|Short (1)|---";
        QTest::newRow("title differing in case is in use")
            << QStringList{"VAMPIRE - the masquerade", "Unknown Book"}
            << "Loner|*2002" + Core + "|Architect|---|*2002" + Core +
                   "|Short (1)|---|Huge Size (4)|Short (1)|---";
        QTest::newRow("neighbouring blocks out of use")
            << QStringList{Guide, Gangrel}
            << "Loner|*2206" + Guide + "|Rebel|Bravo|---|*2052" + Gangrel +
                   "|Wolf Merit (1)|---|Huge Size (4)|Short (1)|---";
        QTest::newRow("every book") << QStringList{Core, Guide, Brujah, Sabbat, BlackHand, Gangrel}
                                    << dataLines().join(u'|');
    }
    void applySelection()
    {
        const auto [chosen, active] = fetch<QStringList, QString>({"chosen", "active"});
        const BookList books = buildBookList(dataLines());
        const Selection selection =
            SourcebookFilter::applySelection(dataLines(), books.BookTitles, sorted(chosen));
        QCOMPARE(selection.ActiveLines, items(active));
        QCOMPARE(selection.BookInUse, flags(books.BookTitles, chosen));
    }

    void presets_data()
    {
        columns<int, QStringList>({"preset", "chosen"});
        using S = QStringList;
        dataRow("None", int(Preset::None), S{});
        dataRow("Classic", int(Preset::Classic), S{Core, Guide});
        dataRow("Vampire", int(Preset::Vampire), S{Brujah, Gangrel, BlackHand, Core, Guide});
        dataRow("All", int(Preset::All), S{Brujah, Gangrel, BlackHand, Sabbat, Core, Guide});
        dataRow("All clanbooks", int(Preset::AllClanbooks),
                S{Brujah, Gangrel, Sabbat, Core, Guide});
        dataRow("No clanbooks", int(Preset::NoClanbooks), S{Sabbat, Core, Guide});
    }
    void presets()
    {
        const auto [preset, chosen] = fetch<int, QStringList>({"preset", "chosen"});
        const BookList books = buildBookList(dataLines());
        const QList<bool> start = flags(books.BookTitles, {Core, Guide, Brujah, Sabbat});
        const Choice choice =
            applyPreset(Preset(preset), books.BookTitles, start, books.VampireBooks);
        QCOMPARE(choice.ChosenBooks.items(), chosen);
        QCOMPARE(choice.BookInUse, flags(books.BookTitles, chosen));
        QCOMPARE(choice.applyNow, preset == int(Preset::Vampire));
    }

    void toggleRebuildsTheChoiceFromTheTicks()
    {
        const BookList books = buildBookList(dataLines());
        const Choice choice = toggleBook(books.BookTitles, flags(books.BookTitles, {Core}), 0);
        QCOMPARE(choice.ChosenBooks.items(), (QStringList{Brujah, Core}));
        QVERIFY(!choice.applyNow);
        const qsizetype core = books.BookTitles.find(Core);
        QCOMPARE(toggleBook(books.BookTitles, choice.BookInUse, core).ChosenBooks.items(),
                 (QStringList{Brujah}));
    }

    void labelColours_data()
    {
        columns<QStringList, QStringList, QString>({"titles", "chosen", "colours"});
        const QStringList core{Core, Guide};
        const QStringList four{Brujah, Sabbat, Core, Guide};
        dataRow("no clanbook in the data", core, core, "-R-RCC");
        dataRow("exactly the core books", four, core, "-R---C");
        dataRow("a third book darkens Classic", four, core + QStringList{Sabbat}, "-----C");
        dataRow("nothing", four, QStringList{}, "R----C");
        dataRow("everything", four, four, "---RC-");
        dataRow("the Vampire line", four, QStringList{Brujah, Core, Guide}, "--R-C-");
        dataRow("only a book this data lacks", core, QStringList{"Lost"}, "R---CC");
    }
    void labelColours()
    {
        const auto [titles, chosen] = fetch<QStringList, QStringList>({"titles", "chosen"});
        const SortedTextList bookTitles = sorted(titles);
        const PresetColours result = presetLabelColours(
            bookTitles, flags(bookTitles, chosen), sorted(chosen), sorted({Brujah, Core, Guide}));
        QTEST(letters(result), "colours");
    }

    void sixtyBooksBuildTables()
    {
        const QStringList lines = sourceLines(QStringLiteral("sixty-books.txt"));
        QVERIFY(!DataGrammar::check(lines));
        const BookList books = buildBookList(lines);
        QCOMPARE(books.BookTitles.size(), 60);
        const Choice all = applyPreset(Preset::All, books.BookTitles, {}, books.VampireBooks);
        RuleTables tables;
        tables.build(
            SourcebookFilter::applySelection(lines, books.BookTitles, all.ChosenBooks).ActiveLines,
            false);
        QCOMPARE(tables.Archetypes.size(), 60);
        QCOMPARE(tables.Merits.size(), 60);
    }
};

QTEST_GUILESS_MAIN(TestSourcebookFilter)
#include "tst_sourcebookfilter.moc"
