#include "app/FontRegistry.h"
#include "output/PrintedSheet.h"
#include "output/SheetComposer.h"
#include "output/SheetPage.h"
#include "output/SheetPrinter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using Part = SheetPage::Part;

namespace {

constexpr int W = SheetComposer::PageWidth;
constexpr int Column = W / 3;

const QStringList Standard[3] = {{"Acting", "Alertness", "Athletics", "Brawl", "Dodge", "Empathy",
                                  "Intimidation", "Leadership", "Streetwise", "Subterfuge"},
                                 {"Animal Ken", "Drive", "Etiquette", "Firearms", "Melee", "Music",
                                  "Repair", "Security", "Stealth", "Survival"},
                                 {"Bureaucracy", "Computer", "Finance", "Investigation", "Law",
                                  "Linguistics", "Medicine", "Occult", "Politics", "Science"}};

QList<PrintedSheet::TraitRow> rows(const QStringList& names, int filled = 2, int maxDots = 5)
{
    QList<PrintedSheet::TraitRow> list;
    for (const QString& name : names)
        list.append({name, filled, maxDots});
    return list;
}

// A new character: the standard abilities, the clan disciplines, nothing else.
PrintedSheet blankCharacter()
{
    PrintedSheet sheet;
    sheet.Name = QStringLiteral("Mara");
    sheet.Clan = QStringLiteral("Brujah");
    sheet.Generation = QStringLiteral("13th");
    for (int c = 0; c < 3; ++c)
        sheet.Abilities[c] = rows(Standard[c], 0);
    for (const char* name : {"Celerity", "Potence", "Presence"})
        sheet.Disciplines.append({{QString::fromLatin1(name), 0, 5}, true});
    sheet.Virtues = {{{"Conscience", 1, 5}, {"Self-Control", 1, 5}, {"Courage", 1, 5}}};
    sheet.BloodTurn = QStringLiteral("1");
    return sheet;
}

// Every list long, a long name, Huge Size and the seventh generation.
PrintedSheet fullCharacter()
{
    PrintedSheet sheet = blankCharacter();
    sheet.Name = QStringLiteral("Aurelianus Maximilian von Drachenfels-Ravenscroft");
    sheet.Player = QStringLiteral("Jo");
    sheet.Chronicle = QStringLiteral("Nights of the Long Knives over Prague");
    sheet.Nature = QStringLiteral("Architect");
    sheet.Demeanor = QStringLiteral("Bon Vivant");
    sheet.Clan = QStringLiteral("Tzimisce");
    sheet.Generation = QStringLiteral("7th");
    sheet.Haven = QStringLiteral("A crypt below the old Jewish cemetery");
    sheet.Concept = QStringLiteral("Scholar of forgotten blood rites");
    sheet.Strength = {3, 7};
    sheet.Appearance = {0, 7};
    sheet.AppearanceStruckOut = true;
    for (int c = 0; c < 3; ++c)
        sheet.Abilities[c] = rows(Standard[c], 3, 7);
    sheet.Abilities[0] +=
        rows({"Artistic Expression", "Sense Deception", "Interrogation", "Intuition", "Carousing"});
    sheet.Abilities[1] += rows({"Demolitions", "Herbalism", "Performance", "Torture", "Ride"});
    sheet.Abilities[2] +=
        rows({"Camarilla Lore", "Kindred Lore", "Black Hand Knowledge", "Psychology", "Theology"});
    sheet.Secondary[0] = rows(
        {"Poetic Expression", "Ventriloquism", "Fortune Telling", "Panhandling..............."});
    sheet.Secondary[1] = rows({"Sleight of Hand", "Jury-Rigging", "Gunsmithing"});
    sheet.Secondary[2] = rows({"Military Science", "Parapsychology", "Architecture", "Poisons"});
    sheet.Disciplines = {{{"Animalism", 3, 7}, true},     {{"Auspex", 2, 7}, true},
                         {{"Vicissitude", 4, 7}, true},   {{"Thaumaturgy", 2, 7}, false},
                         {{"Dominate", 1, 7}, false},     {{"Necromancy", 1, 7}, false},
                         {{"Obtenebration", 1, 7}, false}};
    sheet.Backgrounds = rows({"Allies", "Contacts", "Elder Generation", "Black Hand Membership",
                              "Herd", "Resources", "Retainers", "Influence"});
    sheet.Virtues = {{{"Conviction", 3, 5}, {"Instinct", 4, 5}, {"Courage", 5, 5}}};
    sheet.Path = QStringLiteral("Path of Death and the Soul");
    sheet.Humanity = 6;
    sheet.Willpower = 7;
    sheet.BloodTurn = QStringLiteral("5");
    sheet.Merits = {"Huge Size (4)",
                    "Efficient Digestion (3)",
                    "Eidetic Memory (2)",
                    "Lightning Calculator (1)",
                    "Friend of the Underground (1)",
                    "Additional Discipline (5)"};
    sheet.Flaws = {"Conspicuous Consumption (4)", "Repulsed by Crosses (3)",
                   "Beacon of the Unholy (3)", "Can't Cross Running Water (3)",
                   "Victim of the Masquerade (2)"};
    sheet.HugeSize = true;
    return sheet;
}

QList<SheetPage::Item> textsOf(const SheetPage& page, Part part, const QString& text)
{
    QList<SheetPage::Item> found;
    for (const SheetPage::Item& item : page.items(part))
        if (item.text == text)
            found.append(item);
    return found;
}

// Squares counted per row, top to bottom.
QList<int> rowsOf(const QList<SheetPage::Item>& squares)
{
    QMap<qreal, int> perTop;
    for (const SheetPage::Item& square : squares)
        ++perTop[square.rect.top()];
    return perTop.values();
}

bool keepPrintouts()
{
    return qEnvironmentVariableIsSet("TARNOCH_KEEP_PRINTOUTS");
}

QString keptPath(const QString& extension)
{
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/printout-%1.%2").arg(QTest::currentDataTag(), extension);
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPrintedSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bloodPool_data();
    void bloodPool();
    void health_data();
    void health();
    void sectionsLeftOut_data();
    void sectionsLeftOut();
    void fitting_data();
    void fitting();
    void strikeOut_data();
    void strikeOut();
    void everythingOnThePage_data();
    void everythingOnThePage();
    void pdf_data();
    void pdf();
    void pdfError();

private:
    FontRegistry m_fonts;
};

void TestPrintedSheet::initTestCase()
{
    m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
    QCOMPARE(m_fonts.registeredCount(), 4);
}

void TestPrintedSheet::bloodPool_data()
{
    QTest::addColumn<QString>("generation");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("13th: one row of ten") << "13th" << QList<int>{10};
    QTest::newRow("15th: still ten") << "15th" << QList<int>{10};
    QTest::newRow("8th: fifteen") << "8th" << QList<int>{15};
    QTest::newRow("7th: two rows of ten") << "7th" << QList<int>{10, 10};
    QTest::newRow("4th: five rows of ten") << "4th" << QList<int>{10, 10, 10, 10, 10};
    QTest::newRow("3rd: none") << "3rd" << QList<int>{};
    QTest::newRow("16th: none") << "16th" << QList<int>{};
    QTest::newRow("no number: none") << "Unknown" << QList<int>{};
}

void TestPrintedSheet::bloodPool()
{
    QFETCH(QString, generation);
    QFETCH(QList<int>, rows);
    PrintedSheet sheet = blankCharacter();
    sheet.Generation = generation;
    const SheetPage page = SheetComposer::compose(sheet);
    const QList<SheetPage::Item> squares = page.items(Part::BloodSquare);
    QCOMPARE(rowsOf(squares), rows);
    for (const SheetPage::Item& square : squares) {
        QVERIFY(square.rect.left() >= Column && square.rect.right() <= 2 * Column);
        QVERIFY(square.rect.bottom() <= page.height());
    }
    // Ten squares spread like the Willpower squares above them.
    if (!rows.isEmpty() && rows.first() == 10)
        QCOMPARE(squares.first().rect.left(),
                 page.items(Part::WillpowerSquare).first().rect.left());
}

void TestPrintedSheet::health_data()
{
    QTest::addColumn<bool>("hugeSize");
    QTest::addColumn<QStringList>("lines"); // level, then its penalty after a bar
    QTest::newRow("normal") << false << QStringList{"Bruised|",      "Hurt|-1",   "Injured|-1",
                                                    "Wounded|-2",    "Mauled|-2", "Crippled|-5",
                                                    "Incapacitated|"};
    QTest::newRow("Huge Size") << true << QStringList{"Bruised|",    "Hurt|",         "Hurt|-1",
                                                      "Injured|-1",  "Wounded|-2",    "Mauled|-2",
                                                      "Crippled|-5", "Incapacitated|"};
}

void TestPrintedSheet::health()
{
    QFETCH(bool, hugeSize);
    QFETCH(QStringList, lines);
    PrintedSheet sheet = blankCharacter();
    sheet.HugeSize = hugeSize;
    const SheetPage page = SheetComposer::compose(sheet);
    const QList<SheetPage::Item> levels = page.items(Part::HealthLevel);
    const QList<SheetPage::Item> penalties = page.items(Part::Penalty);
    const QList<SheetPage::Item> squares = page.items(Part::HealthSquare);
    QCOMPARE(squares.size(), lines.size());
    QStringList shown;
    for (qsizetype i = 0; i < levels.size(); ++i) {
        QString penalty;
        for (const SheetPage::Item& item : penalties)
            if (item.rect.top() == levels[i].rect.top())
                penalty = item.text;
        shown << levels[i].text + u'|' + penalty;
        QVERIFY(squares[i].rect.top() > levels[i].rect.top());
        QVERIFY(squares[i].rect.bottom() < levels[i].rect.bottom());
    }
    QCOMPARE(shown, lines);
}

void TestPrintedSheet::sectionsLeftOut_data()
{
    QTest::addColumn<QStringList>("secondaryKnowledges");
    QTest::addColumn<QStringList>("merits");
    QTest::addColumn<QStringList>("flaws");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("only open rows")
        << QStringList{} << QStringList{} << QStringList{} << QStringList{"Health", "Combat"}
        << QStringList{"Secondary Talents", "Secondary Knowledge", "Merits", "Flaws"};
    QTest::newRow("one secondary knowledge, flaws only")
        << QStringList{"Poisons"} << QStringList{} << QStringList{"Amnesia (2)"}
        << QStringList{"Secondary Talents", "Secondary Knowledge", "Flaws"}
        << QStringList{"Merits"};
    QTest::newRow("merits only") << QStringList{} << QStringList{"Eat Food (1)"} << QStringList{}
                                 << QStringList{"Merits"}
                                 << QStringList{"Secondary Skills", "Flaws"};
}

void TestPrintedSheet::sectionsLeftOut()
{
    QFETCH(QStringList, secondaryKnowledges);
    QFETCH(QStringList, merits);
    QFETCH(QStringList, flaws);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, absent);
    PrintedSheet sheet = blankCharacter();
    sheet.Secondary[2] = rows(secondaryKnowledges);
    sheet.Merits = merits;
    sheet.Flaws = flaws;
    const SheetPage page = SheetComposer::compose(sheet);
    for (const QString& heading : headings)
        QVERIFY2(!textsOf(page, Part::Heading, heading).isEmpty(), qPrintable(heading));
    for (const QString& heading : absent)
        QVERIFY2(textsOf(page, Part::Heading, heading).isEmpty(), qPrintable(heading));
    QCOMPARE(page.items(Part::Merit).size(), merits.size());
    QCOMPARE(page.items(Part::Flaw).size(), flaws.size());
}

void TestPrintedSheet::fitting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shrinks");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("short: full size, dotted") << "Herd" << false << false;
    QTest::newRow("placeholder prints as dots") << "..................." << false << false;
    QTest::newRow("long: smaller, whole")
        << "Black Hand Membership and Sect Status" << true << false;
    QTest::newRow("too long for any size: shortened") << QString(3000, u'M') << true << true;
}

// A name in a free row of the backgrounds and the header's Name.
void TestPrintedSheet::fitting()
{
    QFETCH(QString, name);
    QFETCH(bool, shrinks);
    QFETCH(bool, shortened);
    PrintedSheet sheet = blankCharacter();
    sheet.Backgrounds = rows({name});
    sheet.Name = name;
    const SheetPage page = SheetComposer::compose(sheet);
    const int body = W / 60;

    const QString stripped = QString(name).remove(QRegularExpression(QStringLiteral("\\.+$")));
    const SheetPage::Item* row = nullptr;
    for (const SheetPage::Item& item : page.items(Part::TraitName))
        if (item.rect.left() == Column && item.rect.top() > page.items(Part::Divider)[2].rect.top())
            row = &item;
    QVERIFY(row);
    QCOMPARE(row->points < body, shrinks);
    QCOMPARE(!row->text.startsWith(stripped), shortened);
    QVERIFY(row->text.endsWith(u'.') || shortened);
    QVERIFY(row->rect.right() <= Column + Column / 2); // clear of the dots

    const SheetPage::Item value = page.items(Part::HeaderValue).first();
    QCOMPARE(value.points < body, shrinks);
    QCOMPARE(value.text == name, !shortened);
    QVERIFY(value.rect.right() <= Column);
}

void TestPrintedSheet::strikeOut_data()
{
    QTest::addColumn<bool>("struckOut");
    QTest::newRow("struck out") << true;
    QTest::newRow("plain") << false;
}

void TestPrintedSheet::strikeOut()
{
    QFETCH(bool, struckOut);
    PrintedSheet sheet = blankCharacter();
    sheet.AppearanceStruckOut = struckOut;
    const SheetPage page = SheetComposer::compose(sheet);
    const QImage image = page.image();
    QCOMPARE(image.format(), QImage::Format_Mono);
    QCOMPARE(image.size(), QSize(W, page.height()));

    // The Appearance dots: the middle column's third attribute row.
    QList<SheetPage::Item> dots;
    for (const SheetPage::Item& item : page.items(Part::Dot))
        if (item.rect.left() > Column && item.rect.left() < 2 * Column)
            dots.append(item);
    QVERIFY(dots.size() >= 15);
    const QRectF first = dots[10].rect;
    const QRectF second = dots[11].rect;
    QCOMPARE(page.items(Part::StrikeOut).size(), struckOut ? 1 : 0);
    // Between two dots and across an empty one: ink only where the line runs.
    for (const int x : {int(first.right() + second.left()) / 2, int(first.center().x())}) {
        int black = 0;
        for (int y = int(first.top()) + 4; y < int(first.bottom()) - 4; ++y)
            black += qGray(image.pixel(x, y)) < 128;
        QCOMPARE(black > 0, struckOut);
    }
}

void TestPrintedSheet::everythingOnThePage_data()
{
    QTest::addColumn<int>("listLength");
    QTest::newRow("long lists") << 0;
    QTest::newRow("every list at its limit") << 19;
}

// Nothing lies beyond the page's edges, and the lowest item ends the page.
void TestPrintedSheet::everythingOnThePage()
{
    QFETCH(int, listLength);
    PrintedSheet sheet = fullCharacter();
    if (listLength) {
        for (auto* list : {&sheet.Abilities[0], &sheet.Abilities[1], &sheet.Abilities[2]})
            while (list->size() < listLength)
                list->append({QStringLiteral("Lore"), 1, 5});
        for (auto* list :
             {&sheet.Secondary[0], &sheet.Secondary[1], &sheet.Secondary[2], &sheet.Backgrounds})
            *list = rows(QStringList(listLength, QStringLiteral("Area Knowledge")));
        while (sheet.Disciplines.size() < listLength)
            sheet.Disciplines.append({{QStringLiteral("Mytherceria"), 2, 10}, false});
        sheet.Merits = QStringList(listLength, QStringLiteral("Lucky (3)"));
        sheet.Flaws = QStringList(listLength, QStringLiteral("Nightmares (1)"));
    }
    const SheetPage page = SheetComposer::compose(sheet);
    qreal lowest = 0;
    for (const SheetPage::Item& item : page.items()) {
        const QRectF& box = item.rect;
        QVERIFY2(box.left() >= 0 && box.right() <= W, qPrintable(item.text));
        QVERIFY2(box.top() >= 0 && box.bottom() <= page.height(), qPrintable(item.text));
        lowest = std::max(lowest, box.bottom());
    }
    QVERIFY(page.height() - lowest < 3 * page.items(Part::TraitName).first().rect.height());
    if (keepPrintouts())
        page.image().save(keptPath(QStringLiteral("png")));
    QCOMPARE(page.items(Part::Merit).size(), sheet.Merits.size());
}

void TestPrintedSheet::pdf_data()
{
    QTest::addColumn<bool>("withSheet");
    QTest::addColumn<int>("notesParagraphs"); // 0: no notes
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("texts");
    const QStringList sheetTexts{
        "Aurelianus",    "Tzimisce",  "Vicissitude", "Intimidation", "Black Hand Membership",
        "Huge Size (4)", "Experience"};
    QTest::newRow("sheet") << true << 0 << 1 << sheetTexts;
    QTest::newRow("notes") << false << 1 << 1 << QStringList{"Paragraph 1 of the notes"};
    QTest::newRow("both") << true << 1 << 2 << sheetTexts + QStringList{"Paragraph 1 of"};
    QTest::newRow("long notes run over pages")
        << false << 150 << 3
        << QStringList{"Paragraph 1 of", "Paragraph 75 of", "Paragraph 150 of the notes"};
}

void TestPrintedSheet::pdf()
{
    QFETCH(bool, withSheet);
    QFETCH(int, notesParagraphs);
    QFETCH(int, pages);
    QFETCH(QStringList, texts);
    const PrintedSheet sheet = fullCharacter();
    QTextDocument notes;
    notes.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 10));
    QStringList paragraphs;
    for (int i = 1; i <= notesParagraphs; ++i)
        paragraphs << QStringLiteral("Paragraph %1 of the notes.").arg(i);
    notes.setPlainText(paragraphs.join(u'\n'));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
    QCOMPARE(SheetPrinter::writePdf(file, sheet.Name, withSheet ? &sheet : nullptr,
                                    notesParagraphs ? &notes : nullptr),
             QString());

    const QString info = run(QStringLiteral("pdfinfo"), {file});
    QVERIFY2(!info.isEmpty(), "pdfinfo (poppler-utils) did not read the file");
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
    QVERIFY(info.contains(QStringLiteral("Tarnoch - Aurelianus")));
    const QString text = run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}).simplified();
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected));
    // No line of the notes lost or printed twice where a page breaks.
    QCOMPARE(text.count(QStringLiteral("Paragraph ")), notesParagraphs);
    // For looking at: TARNOCH_KEEP_PRINTOUTS=1 leaves each row's file beside the test.
    if (keepPrintouts()) {
        QFile::remove(keptPath(QStringLiteral("pdf")));
        QFile::copy(file, keptPath(QStringLiteral("pdf")));
    }
}

void TestPrintedSheet::pdfError()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("missing/sheet.pdf"));
    const PrintedSheet sheet = blankCharacter();
    const QString error = SheetPrinter::writePdf(file, sheet.Name, &sheet, nullptr);
    QVERIFY(error.contains(QDir::toNativeSeparators(file)));
    QVERIFY(!QFile::exists(file));
}

QTEST_MAIN(TestPrintedSheet)
#include "tst_printedsheet.moc"
