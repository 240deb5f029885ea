#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "../support/Processes.h"
#include "../support/ProgramFonts.h"
#include "output/ExperienceLogDocument.h"
#include "output/SheetComposer.h"
#include "output/SheetPrinter.h"

#include <QTemporaryDir>
#include <QTextDocument>

using Part = SheetPage::Part;

namespace {

constexpr int W = SheetComposer::PageWidth;
constexpr int Column = W / 3;
constexpr int Body = W / 60;

// Rows named by a comma-separated list.
QList<PrintedSheet::TraitRow> rows(const QString& names, int filled = 2, int maxDots = 5)
{
    QList<PrintedSheet::TraitRow> list;
    for (const QString& name : names.split(u',', Qt::SkipEmptyParts))
        list.append({name, filled, maxDots});
    return list;
}

// A new character: the standard abilities, the clan disciplines, nothing else.
PrintedSheet blankCharacter()
{
    PrintedSheet sheet;
    sheet.Name = QStringLiteral("Mara");
    sheet.Generation = QStringLiteral("13th");
    sheet.Abilities = {
        rows("Acting,Alertness,Athletics,Brawl,Dodge,Empathy,Intimidation,Leadership,Streetwise,"
             "Subterfuge"),
        rows("Animal Ken,Drive,Etiquette,Firearms,Melee,Music,Repair,Security,Stealth,Survival"),
        rows("Bureaucracy,Computer,Finance,Investigation,Law,Linguistics,Medicine,Occult,"
             "Politics,Science")};
    for (const PrintedSheet::TraitRow& row : rows("Celerity,Potence,Presence", 1))
        sheet.Disciplines.append({row, true});
    sheet.Virtues = {{{"Conscience", 1, 5}, {"Self-Control", 1, 5}, {"Courage", 1, 5}}};
    return sheet;
}

// Every list at its limit, a long name, Huge Size and the seventh generation.
PrintedSheet fullCharacter()
{
    PrintedSheet sheet = blankCharacter();
    sheet.Name = QStringLiteral("Aurelianus Maximilian von Drachenfels-Ravenscroft");
    sheet.Chronicle = QStringLiteral("Nights of the Long Knives over Prague");
    sheet.Clan = QStringLiteral("Tzimisce");
    sheet.Generation = QStringLiteral("7th");
    sheet.AppearanceStruckOut = sheet.HugeSize = true;
    const QString names = QStringLiteral("Area Knowledge,").repeated(19);
    for (int c = 0; c < 3; ++c) {
        sheet.Abilities[c] += rows(names).mid(10);
        sheet.Secondary[c] = rows(names);
    }
    sheet.Backgrounds = rows("Black Hand Membership," + names).mid(0, 19);
    for (const PrintedSheet::TraitRow& row : rows("Vicissitude," + names, 2, 10).mid(0, 16))
        sheet.Disciplines.append({row, false});
    sheet.Merits = QStringList(18, QStringLiteral("Lucky (3)")) << QStringLiteral("Huge Size (4)");
    sheet.Flaws = QStringList(19, QStringLiteral("Nightmares (1)"));
    return sheet;
}

QStringList headings(const SheetPage& page)
{
    QStringList texts;
    for (const SheetPage::Item& item : page.items(Part::Heading))
        texts << item.text;
    return texts;
}

} // namespace

class TestPrintedSheet : public QObject
{
    Q_OBJECT

private slots:
    void bloodPool_data()
    {
        // Squares per row, top to bottom.
        columns<QString, QList<int>>({"generation", "rows"});
        dataRow("13th: one row of ten", "13th", QList<int>{10});
        dataRow("8th: fifteen", "8th", QList<int>{15});
        dataRow("4th: five rows of ten", "4th", QList<int>{10, 10, 10, 10, 10});
        dataRow("3rd: none", "3rd", QList<int>{});
        dataRow("16th: none", "16th", QList<int>{});
        dataRow("no number: none", "Unknown", QList<int>{});
    }
    void bloodPool()
    {
        const auto [generation, rows] = fetch<QString, QList<int>>({"generation", "rows"});
        PrintedSheet sheet = blankCharacter();
        sheet.Generation = generation;
        const SheetPage page = SheetComposer::compose(sheet);
        QMap<qreal, int> perTop;
        for (const SheetPage::Item& square : page.items(Part::BloodSquare)) {
            ++perTop[square.rect.top()];
            QVERIFY(square.rect.left() >= Column && square.rect.right() <= 2 * Column);
        }
        QCOMPARE(perTop.values(), rows);
        // A row of ten stands under the Willpower squares.
        if (rows.value(0) == 10)
            QCOMPARE(page.items(Part::BloodSquare).last().rect.left(),
                     page.items(Part::WillpowerSquare).last().rect.left());
    }

    void health_data()
    {
        // Level and penalty on each line.
        columns<bool, QString>({"hugeSize", "lines"});
        dataRow("normal", false,
                "Bruised,Hurt -1,Injured -1,Wounded -2,Mauled -2,Crippled -5,Incapacitated");
        dataRow("Huge Size", true,
                "Bruised,Hurt,Hurt -1,Injured -1,Wounded -2,Mauled -2,Crippled -5,Incapacitated");
    }
    void health()
    {
        QFETCH(bool, hugeSize);
        PrintedSheet sheet = blankCharacter();
        sheet.HugeSize = hugeSize;
        const SheetPage page = SheetComposer::compose(sheet);
        const QList<SheetPage::Item> levels = page.items(Part::HealthLevel);
        const QList<SheetPage::Item> squares = page.items(Part::HealthSquare);
        QCOMPARE(squares.size(), levels.size());
        QStringList shown;
        for (qsizetype i = 0; i < levels.size(); ++i) {
            shown << levels[i].text;
            for (const SheetPage::Item& penalty : page.items(Part::Penalty))
                if (penalty.rect.top() == levels[i].rect.top())
                    shown.last() += u' ' + penalty.text;
            QVERIFY(levels[i].rect.contains(levels[i].rect.left(), squares[i].rect.center().y()));
        }
        QTEST(shown.join(u','), "lines");
    }

    void sectionsLeftOut_data()
    {
        // The headings shown below the abilities.
        columns<QString, QString, QString, QString>(
            {"secondaryKnowledges", "merits", "flaws", "shown"});
        const QString middle(
            "Disciplines,Backgrounds,Virtues,Humanity,Willpower,Blood Pool,Health");
        dataRow("only open rows", "", "", "", middle + ",Combat,Experience");
        dataRow("one secondary row, flaws only", "Poisons", "", "Amnesia (2)",
                "Secondary Talents,Secondary Skills,Secondary Knowledge," + middle +
                    ",Flaws,Combat,Experience");
        dataRow("merits only", "", "Eat Food (1),Lucky (3)", "",
                middle + ",Merits,Combat,Experience");
    }
    void sectionsLeftOut()
    {
        const auto [secondaryKnowledges, merits, flaws] =
            fetch<QString, QString, QString>({"secondaryKnowledges", "merits", "flaws"});
        PrintedSheet sheet = blankCharacter();
        sheet.Secondary[2] = rows(secondaryKnowledges);
        sheet.Merits = merits.split(u',', Qt::SkipEmptyParts);
        sheet.Flaws = flaws.split(u',', Qt::SkipEmptyParts);
        const SheetPage page = SheetComposer::compose(sheet);
        QTEST(headings(page).mid(6).join(u','), "shown");
        QCOMPARE(page.items(Part::Merit).size(), sheet.Merits.size());
        QCOMPARE(page.items(Part::Flaw).size(), sheet.Flaws.size());
    }

    // The same name in the only background row and in the header's Name.
    void fitting_data()
    {
        columns<QString, bool, bool>({"name", "shrinks", "shortened"});
        dataRow("short: full size, dotted", "Herd", false, false);
        dataRow("placeholder prints as dots", "...................", false, false);
        dataRow("long: smaller, whole", "Black Hand Membership and Sect Status", true, false);
        dataRow("too long for any size: shortened", QString(3000, u'M'), true, true);
    }
    void fitting()
    {
        const auto [name, shrinks, shortened] =
            fetch<QString, bool, bool>({"name", "shrinks", "shortened"});
        PrintedSheet sheet = blankCharacter();
        sheet.Backgrounds = rows(name);
        sheet.Name = name;
        const SheetPage page = SheetComposer::compose(sheet);

        const QString stripped = QString(name).remove(QRegularExpression(QStringLiteral("\\.+$")));
        QList<SheetPage::Item> row;
        for (const SheetPage::Item& item : page.items(Part::TraitName))
            if (item.rect.left() == Column &&
                item.rect.top() > page.items(Part::Divider)[2].rect.top())
                row << item;
        QCOMPARE(row.size(), 1);
        QCOMPARE(row[0].points < Body, shrinks);
        QCOMPARE(row[0].text.startsWith(stripped), !shortened);
        QVERIFY(row[0].text.endsWith(u'.') || shortened);
        QVERIFY(row[0].rect.right() <= Column + Column / 2); // clear of the dots

        const SheetPage::Item value = page.items(Part::HeaderValue).first();
        QCOMPARE(value.points < Body, shrinks);
        QCOMPARE(value.text == name, !shortened);
        QVERIFY(value.rect.right() <= Column);
    }

    // A specialty prints after its name while the rating is 4 or more, whole, clear of the dots.
    void specialties_data()
    {
        columns<int, QString, QStringList>({"rating", "specialty", "printed"});
        dataRow("fits on the row", 4, "Grappling", QStringList{"Brawl (Grappling)"});
        dataRow("long: two lines, whole", 5, "Grappling with much larger opponents",
                QStringList{"Brawl", "(Grappling with much larger opponents)"});
        dataRow("below 4: left off", 3, "Grappling", QStringList{"Brawl."});
    }
    void specialties()
    {
        const auto [rating, specialty, printed] =
            fetch<int, QString, QStringList>({"rating", "specialty", "printed"});
        Character character;
        character.abilities[0][3] = {.name = u"Brawl"_qs, .rating = rating, .specialty = specialty};
        character.attributes[0] = {.rating = rating, .specialty = specialty};
        const SheetPage page = SheetComposer::compose(PrintedSheet::of(character));
        QStringList brawl;
        int withSpecialty = 0; // Strength's and Brawl's
        for (const SheetPage::Item& item : page.items(Part::TraitName)) {
            const int columnLeft = int(item.rect.left()) / Column * Column;
            QVERIFY(item.rect.right() <= columnLeft + Column / 2); // clear of the dots
            if (item.text.startsWith(u"Brawl") || (item.text.startsWith(u'(') && brawl.size()))
                brawl << item.text;
            withSpecialty += item.text.contains(specialty) ? 1 : 0;
        }
        if (rating < 4) {
            QCOMPARE(brawl.size(), 1);
            QVERIFY(brawl[0].startsWith(printed[0]));
        } else {
            QCOMPARE(brawl, printed);
        }
        QCOMPARE(withSpecialty, rating < 4 ? 0 : 2);
    }

    void strikeOut_data()
    {
        QTest::addColumn<bool>("struckOut");
        dataRow("struck out", true);
        dataRow("plain", false);
    }
    void strikeOut()
    {
        QFETCH(bool, struckOut);
        PrintedSheet sheet = blankCharacter();
        sheet.AppearanceStruckOut = struckOut;
        const SheetPage page = SheetComposer::compose(sheet);
        const QImage image = page.image();
        QCOMPARE(image.format(), QImage::Format_Mono);
        QCOMPARE(image.size(), QSize(W, page.height()));

        // Appearance: the middle column's third row of five dots.
        QList<QRectF> dots;
        for (const SheetPage::Item& item : page.items(Part::Dot))
            if (item.rect.left() > Column && item.rect.left() < 2 * Column)
                dots << item.rect;
        // Between two empty dots and across one: ink only where the line runs.
        for (const int x :
             {int(dots[10].right() + dots[11].left()) / 2, int(dots[10].center().x())}) {
            const QRect column(x, int(dots[10].top()) + 4, 1, int(dots[10].height()) - 8);
            QCOMPARE(
                countPixels(image, column, [](const QColor& c) { return c.lightness() < 128; }) > 0,
                struckOut);
        }
    }

    // Nothing lies beyond the page's edges, and the page ends below the lowest item.
    void everythingOnThePage()
    {
        const PrintedSheet sheet = fullCharacter();
        const SheetPage page = SheetComposer::compose(sheet);
        qreal lowest = 0;
        for (const SheetPage::Item& item : page.items()) {
            const QRectF& r = item.rect;
            QVERIFY2(r.left() >= 0 && r.right() <= W && r.top() >= 0 && r.bottom() <= page.height(),
                     qPrintable(item.text));
            lowest = std::max(lowest, item.rect.bottom());
        }
        QVERIFY(page.height() - lowest < 3 * Body);
        QCOMPARE(page.items(Part::Flaw).size(), sheet.Flaws.size());
    }

    // Left under "Current", earned under "Total", once the character has any experience.
    void experienceBox_data()
    {
        columns<bool, int, int, QStringList>({"shown", "left", "earned", "texts"});
        dataRow("creating", false, 0, 0, QStringList{});
        dataRow("played", true, 6, 20, QStringList{"6", "20"});
        dataRow("all spent", true, 0, 35, QStringList{"0", "35"});
    }
    void experienceBox()
    {
        const auto [shown, left, earned, texts] =
            fetch<bool, int, int, QStringList>({"shown", "left", "earned", "texts"});
        PrintedSheet sheet = blankCharacter();
        sheet.ExperienceShown = shown;
        sheet.ExperienceLeft = left;
        sheet.ExperienceEarned = earned;
        const SheetPage page = SheetComposer::compose(sheet);
        const QList<SheetPage::Item> values = page.items(Part::ExperienceValue);
        QCOMPARE(values.size(), texts.size());
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(values[i].text, texts[i]);
            const qreal half = 2 * Column + i * Column / 2;
            QVERIFY(values[i].rect.left() > half && values[i].rect.right() < half + Column / 2);
            QVERIFY(values[i].rect.bottom() < page.height());
        }
    }

    void pdf_data()
    {
        // No notes paragraphs: no notes.
        columns<bool, int, bool, int, QString>(
            {"withSheet", "notesParagraphs", "withLog", "pages", "texts"});
        const QString sheetTexts = QStringLiteral("Aurelianus,Tzimisce,Vicissitude,Intimidation,"
                                                  "Black Hand Membership,Huge Size (4),Experience");
        dataRow("notes", false, 1, false, 1, "Paragraph 1 of the notes");
        dataRow("both", true, 1, false, 2, sheetTexts + ",Paragraph 1 of");
        dataRow("long notes run over pages", false, 150, false, 3,
                "Paragraph 1 of,Paragraph 75 of,Paragraph 150 of the notes");
        dataRow("sheet and log", true, 0, true, 2,
                sheetTexts + ",Experience log: Aurelianus,Earned 20,spent 14,left 6,Brawl,"
                             "2 to 3,session 3");
    }
    void pdf()
    {
        const auto [withSheet, notesParagraphs, withLog, pages] =
            fetch<bool, int, bool, int>({"withSheet", "notesParagraphs", "withLog", "pages"});
        Character played;
        played.header[0] = QStringLiteral("Aurelianus");
        played.experience.creationFinished = true;
        played.experience.log = {{{}, "", 0, 0, -20, QDate(2026, 12, 7), "session 3"},
                                 {{TraitRef::Ability, 0, 2}, "Brawl", 2, 3, 4, {}, ""},
                                 {{TraitRef::Discipline, 0, 3}, "Auspex", 0, 1, 10, {}, ""}};
        QTextDocument log;
        log.setHtml(ExperienceLogDocument::html(played));
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
                                        notesParagraphs ? &notes : nullptr,
                                        withLog ? &log : nullptr),
                 QString());

        const QString info = QString::fromUtf8(runProgram("pdfinfo", {file}).output);
        QVERIFY2(!info.isEmpty(), "pdfinfo (poppler-utils) did not read the file");
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
                 qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Tarnoch - Aurelianus")));
        const QString text =
            QString::fromUtf8(runProgram("pdftotext", {file, "-"}).output).simplified();
        QFETCH(QString, texts);
        for (const QString& expected : texts.split(u','))
            QVERIFY2(text.contains(expected), qPrintable(expected));
        // No line of the notes lost or printed twice where a page breaks.
        QCOMPARE(text.count(QStringLiteral("Paragraph ")), notesParagraphs);
    }

private:
    ProgramFonts m_fonts;
};

QTEST_MAIN(TestPrintedSheet)
#include "tst_printedsheet.moc"
