#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"
#include "rules/RuleTables.h"
#include "rules/RulesDataLoader.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

namespace {

const QString Core = QStringLiteral("*2002Vampire - The Masquerade");
const QString Guide = QStringLiteral("*2206Vampire Players Guide");

// Builds a whole data line list from the sections given; sections left out are empty.
QStringList sections(const QMap<int, QStringList>& content)
{
    QStringList lines;
    for (int s = 1; s <= DataGrammar::SectionCount; ++s) {
        lines += content.value(s);
        lines += QStringLiteral("---");
    }
    return lines;
}

QStringList shippedLines()
{
    return RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat")).lines;
}

// The lines of each of the 17 sections, "---" left out (index 0 is section 1).
QList<QStringList> splitSections(const QStringList& lines)
{
    QList<QStringList> result(1);
    for (const QString& line : lines) {
        if (DataFile::isSectionEnd(line))
            result.append(QStringList());
        else
            result.last().append(line);
    }
    result.removeLast(); // nothing follows the seventeenth "---"
    return result;
}

// Lines of one record in the sections that allow book headers (section 12 has its own shape).
int recordLength(int section)
{
    switch (section) {
    case 1: return 6;
    case 13: return 12;
    default: return 1;
    }
}

// Visits every record key of a section with the title of the book block it stands in
// ("" before the first header). In section 12 the keys are the discipline name lines and
// the power lines prefixed with their discipline's name.
template<typename Visit>
void forEachKey(int section, const QStringList& lines, Visit visit)
{
    QString title;
    QString discipline;
    for (qsizetype i = 0; i < lines.size();) {
        if (DataFile::isHeader(lines[i])) {
            title = DataFile::headerTitle(lines[i]);
            ++i;
            continue;
        }
        if (section == 12) {
            if (DataFile::leadingNumber(lines[i]) == 0) {
                discipline = lines[i];
                visit(title, lines[i]);
            } else {
                visit(title, discipline + QStringLiteral(" / ") + lines[i]);
            }
            ++i;
            continue;
        }
        visit(title, lines[i]);
        i += recordLength(section);
    }
}

// "Name (3)" gives 3; 0 when the entry has no cost in parentheses at its end.
int costOf(const QString& entry)
{
    static const QRegularExpression cost(QStringLiteral(" \\(([0-9]+)\\)$"));
    const auto match = cost.match(entry);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

class TestRuleTables : public QObject
{
    Q_OBJECT
private slots:
    void sortedListIgnoresCase()
    {
        SortedTextList list;
        QCOMPARE(list.add("Malkavian"), 0);
        QCOMPARE(list.add("brujah"), 0);
        QCOMPARE(list.add("Caitiff"), 1);
        QCOMPARE(list.add("BRUJAH"), 0);
        QCOMPARE(list.items(), (QStringList{"brujah", "Caitiff", "Malkavian"}));
        QCOMPARE(list.find("malkavian"), 2);
        QCOMPARE(list.indexOf("malkavian"), -1);
    }

    void clansSortWithTheirColumns()
    {
        RuleTables tables;
        tables.build(sections({{1,
                                {Core, "Ventrue", "Dominate", "Fortitude", "Presence", "Kings.",
                                 "Picky eaters.", "Brujah", "Celerity", "Potence", "Presence",
                                 "Rebels.", "Frenzy.", Guide, "Lasombra", "Dominate",
                                 "Obtenebration", "Potence", "Shadows.", "No reflection."}}}),
                     false);
        QCOMPARE(tables.ClanNames.items(), (QStringList{"Brujah", "Lasombra", "Ventrue"}));
        QCOMPARE(tables.ClanDiscipline1, (QStringList{"Celerity", "Dominate", "Dominate"}));
        QCOMPARE(tables.ClanDiscipline2, (QStringList{"Potence", "Obtenebration", "Fortitude"}));
        QCOMPARE(tables.ClanDescriptions, (QStringList{"Rebels.", "Shadows.", "Kings."}));
        QCOMPARE(tables.ClanWeaknesses, (QStringList{"Frenzy.", "No reflection.", "Picky eaters."}));
        QCOMPARE(tables.clanIndex("Lasombra"), 1);
        QCOMPARE(tables.clanIndex("lasombra"), -1);
    }

    void sameEntryFromTwoBooksOnce()
    {
        RuleTables tables;
        tables.build(sections({{3, {Core, "Rebel", "Architect", Guide, "rebel", "Visionary"}},
                               {14, {Core, "Baby Face (2)", Guide, "Baby Face (2)"}},
                               {12, {Core, "Celerity", "1: Quickness", "2: Precision", Guide,
                                     "Celerity", "1: Quickness", "6: Projectile"}}}),
                     false);
        QCOMPARE(tables.Archetypes.items(), (QStringList{"Architect", "Rebel", "Visionary"}));
        QCOMPARE(tables.Merits.items(), (QStringList{"Baby Face (2)"}));
        QCOMPARE(tables.DisciplineNames.items(), (QStringList{"Celerity"}));
        QCOMPARE(tables.DisciplinePowers[0].items(),
                 (QStringList{"1: Quickness", "2: Precision", "6: Projectile"}));
    }

    void powersSortAsTexts()
    {
        RuleTables tables;
        tables.build(sections({{12, {"Auspex", "2: Aura Perception", "1: Heightened Senses",
                                     "1: Ancient Echo", "Potence", "1: Might"}}}),
                     false);
        QCOMPARE(tables.DisciplinePowers[0].items(),
                 (QStringList{"1: Ancient Echo", "1: Heightened Senses", "2: Aura Perception"}));
        QCOMPARE(tables.disciplineIndex("Potence......"), 1);
        QCOMPARE(tables.disciplineIndex("potence"), -1);
        QCOMPARE(tables.DisciplinePowers[1].items(), (QStringList{"1: Might"}));
    }

    void rebuildWithFewerDisciplines()
    {
        RuleTables tables;
        tables.build(sections({{12, {"Auspex", "1: Senses", "Celerity", "1: Quickness",
                                     "Potence", "1: Might"}}}),
                     false);
        QCOMPARE(tables.DisciplinePowers[2].items(), (QStringList{"1: Might"}));
        tables.build(sections({{12, {"Potence", "2: Leap"}}}), false);
        QCOMPARE(tables.DisciplineNames.items(), (QStringList{"Potence"}));
        QCOMPARE(tables.DisciplinePowers[0].items(), (QStringList{"2: Leap"}));
        // Lists beyond the current disciplines are left as they were and never read.
        QCOMPARE(tables.DisciplinePowers[1].items(), (QStringList{"1: Quickness"}));
    }

    void elderGenerationRename()
    {
        const QStringList lines =
            sections({{11, {Core, "Allies", "Generation", "Resources", Guide, "Age", "Elder Status"}}});
        RuleTables tables;
        tables.build(lines, true);
        QCOMPARE(tables.Backgrounds.items(),
                 (QStringList{"Age", "Allies", "Elder Generation", "Elder Status", "Resources"}));
        tables.renameGenerationBackground(false);
        QCOMPARE(tables.Backgrounds.items(),
                 (QStringList{"Age", "Allies", "Elder Status", "Generation", "Resources"}));
        tables.renameGenerationBackground(true);
        QCOMPARE(tables.Backgrounds.items().at(2), QStringLiteral("Elder Generation"));
        tables.build(lines, false);
        QCOMPARE(tables.Backgrounds.find("Generation"), 3);
    }

    void fileOrderTables()
    {
        RuleTables tables;
        tables.build(sections({{16, {"Huge Size (4)", "Short (1)", "Baby Face (2)", "Monstrous (3)"}},
                               {17, {Core, "Sabbat (Callousness, Instincts & Morale)", Guide,
                                     "Human (Conscience, Self-Control & Courage)"}}}),
                     false);
        QCOMPARE(tables.ExclusivePairsFirst, (QStringList{"Huge Size (4)", "Baby Face (2)"}));
        QCOMPARE(tables.ExclusivePairsSecond, (QStringList{"Short (1)", "Monstrous (3)"}));
        QCOMPARE(tables.VirtueSets.first(), QStringLiteral("Sabbat (Callousness, Instincts & Morale)"));
    }

    void truncatedLinesStopAtTheEnd()
    {
        QFile file(QStringLiteral(TARNOCH_SOURCE_DIR "tests/rules/small-rules.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = DataSource::parse(file.readAll()).lines;
        RuleTables tables;
        for (qsizetype n = 0; n <= lines.size(); ++n)
            tables.build(lines.mid(0, n), false); // must neither crash nor hang
        QCOMPARE(tables.GenerationNames.size(), 13);
        // A power line right after a header cannot be credited and is passed over.
        tables.build(sections({{12, {Core, "1: Orphan", "Potence", "1: Might"}}}), false);
        QCOMPARE(tables.DisciplineNames.items(), (QStringList{"Potence"}));
        QCOMPARE(tables.DisciplinePowers[0].items(), (QStringList{"1: Might"}));
    }

    void lookups()
    {
        RuleTables tables;
        QStringList generations;
        for (int g = 3; g <= 15; ++g)
            generations << QStringLiteral("%1th").arg(g) << "t" << "5" << "10" << "1";
        QStringList abilities;
        for (int i = 0; i < 30; ++i)
            abilities << QStringLiteral("A%1").arg(i);
        tables.build(sections({{2, generations}, {4, abilities}}), false);
        QCOMPARE(tables.generationRow(3), 0);
        QCOMPARE(tables.generationRow(15), 12);
        QCOMPARE(tables.generationRow(16), -1);
        QCOMPARE(tables.generationRow(2), -1);
        QCOMPARE(tables.standardAbility(1, 4), QStringLiteral("A14"));
        QCOMPARE(tables.standardAbility(2, 9), QStringLiteral("A29"));
        QCOMPARE(tables.standardAbility(3, 0), QString());
    }

    // The data file the program ships.
    void shippedContent()
    {
        const QStringList lines = shippedLines();
        QVERIFY(!lines.isEmpty());
        RuleTables tables;
        tables.build(lines, false);
        QCOMPARE(tables.GenerationNames.size(), 13);
        for (const QStringList* column : {&tables.GenerationTitles, &tables.GenerationMaxTraits,
                                          &tables.GenerationBloodPools, &tables.GenerationBloodPerTurn})
            QCOMPARE(column->size(), 13);
        for (int g = 3; g <= 15; ++g)
            QCOMPARE(DataFile::leadingNumber(tables.GenerationNames[tables.generationRow(g)]), g);
        QCOMPARE(tables.StandardAbilities.size(), 30);
        QVERIFY(tables.DisciplineNames.size() <= RuleTables::PowerLists);
        for (const QStringList* column : {&tables.ClanDiscipline1, &tables.ClanDiscipline2,
                                          &tables.ClanDiscipline3, &tables.ClanDescriptions,
                                          &tables.ClanWeaknesses})
            QCOMPARE(column->size(), tables.ClanNames.size());
        QCOMPARE(tables.PathDescriptions.size(), tables.PathNames.size());
        QCOMPARE(tables.ExclusivePairsFirst.size(), tables.ExclusivePairsSecond.size());
        for (qsizetype d = 0; d < tables.DisciplineNames.size(); ++d) {
            QVERIFY2(!tables.DisciplinePowers[d].isEmpty(), qPrintable(tables.DisciplineNames.at(d)));
            for (const QString& power : tables.DisciplinePowers[d].items())
                QVERIFY2(DataFile::leadingNumber(power) > 0, qPrintable(power));
        }
        // Every clan discipline names a discipline the sheet can rate.
        for (qsizetype c = 0; c < tables.ClanNames.size(); ++c) {
            const QString clan = tables.ClanNames.at(c);
            if (clan == u"Caitiff" || clan == u"Panders (Sabbat Caitiff)")
                continue;
            for (const QStringList* column :
                 {&tables.ClanDiscipline1, &tables.ClanDiscipline2, &tables.ClanDiscipline3})
                QVERIFY2(tables.DisciplineNames.indexOf(column->at(c)) >= 0,
                         qPrintable(clan + ": " + column->at(c)));
        }
    }

    void shippedNamesTheRulesUse_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("name");
        for (const char* clan : {"Caitiff", "Panders (Sabbat Caitiff)", "Nosferatu",
                                 "Nosferatu Antitribu", "Samedi", "Gargoyles", "Ventrue",
                                 "Lasombra", "Malkavian", "Malkavian Antitribu"})
            QTest::newRow(clan) << "clan" << clan;
        for (const char* merit : {"Baby Face (2)", "Huge Size (4)"})
            QTest::newRow(merit) << "merit" << merit;
        for (const char* flaw : {"Child (3)", "Short (1)", "Selective Digestion (2)",
                                 "Prey Exclusion (1)", "Monstrous (3)", "Disfigured (2)",
                                 "Cast No Reflection (2)", "Insane Sire (1)", "Inept (5)",
                                 "Unskilled (5)", "Uneducated (5)"})
            QTest::newRow(flaw) << "flaw" << flaw;
        for (const char* background : {"Generation", "Age", "Elder Status"})
            QTest::newRow(background) << "background" << background;
        QTest::newRow("human virtues") << "virtues" << "Human (Conscience, Self-Control & Courage)";
        QTest::newRow("sabbat virtues") << "virtues" << "Sabbat (Callousness, Instincts & Morale)";
    }
    void shippedNamesTheRulesUse()
    {
        QFETCH(QString, table);
        QFETCH(QString, name);
        RuleTables tables;
        tables.build(shippedLines(), false);
        const QMap<QString, QStringList> byKind = {
            {"clan", tables.ClanNames.items()},     {"merit", tables.Merits.items()},
            {"flaw", tables.Flaws.items()},         {"background", tables.Backgrounds.items()},
            {"virtues", tables.VirtueSets}};
        QVERIFY(byKind[table].contains(name));
    }

    // The three header lines the sourcebook filter names, and the books the "Vampire"
    // preset selects: every book below code 3000 plus Dirty Secrets. Revised-era books
    // must use codes of 3000 and above, or the preset would change its meaning.
    void shippedBooks()
    {
        const QStringList lines = shippedLines();
        for (const char* header : {"*2002Vampire - The Masquerade", "*2206Vampire Players Guide",
                                   "*4210Dirty Secrets of the Black Hand"})
            QVERIFY2(lines.contains(QString::fromLatin1(header)), header);
        QSet<QString> vampireBooks;
        QMap<QString, QString> codeOfTitle;
        for (const QString& line : lines) {
            if (!DataFile::isHeader(line))
                continue;
            const QString title = DataFile::headerTitle(line);
            // The same book heads blocks in many sections, always with the same code.
            QCOMPARE(codeOfTitle.value(title, line.mid(1, 4)), line.mid(1, 4));
            codeOfTitle[title] = line.mid(1, 4);
            if (line < u"*3000" || line == u"*4210Dirty Secrets of the Black Hand")
                vampireBooks.insert(title);
        }
        const QSet<QString> expected = {
            "Vampire - The Masquerade", "Vampire Players Guide", "The Players Guide to the Sabbat",
            "Storytellers Handbook to the Sabbat", "Elysium: The Elder Wars",
            "Dirty Secrets of the Black Hand", "Clanbook: Brujah", "Clanbook: Gangrel",
            "Clanbook: Malkavian", "Clanbook: Nosferatu", "Clanbook: Toreador",
            "Clanbook: Tremere", "Clanbook: Ventrue"};
        QCOMPARE(vampireBooks, expected);
    }

    // Within one book, a section lists each entry once (several blocks of the same book in
    // one section count together). The same entry under two different books is allowed.
    void shippedBlocksListEachEntryOnce()
    {
        const QList<QStringList> sections = splitSections(shippedLines());
        QCOMPARE(sections.size(), DataGrammar::SectionCount);
        for (int section : {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17}) {
            QHash<QString, QSet<QString>> seen;
            forEachKey(section, sections[section - 1], [&](const QString& book, const QString& key) {
                const QString folded = key.toCaseFolded();
                QVERIFY2(!seen[book].contains(folded),
                         qPrintable(QStringLiteral("section %1, %2: %3 twice")
                                        .arg(section)
                                        .arg(book, key)));
                seen[book].insert(folded);
            });
        }
    }

    void shippedMeritsAndFlaws()
    {
        RuleTables tables;
        tables.build(shippedLines(), false);
        QVERIFY2(tables.Merits.size() >= 90, qPrintable(QString::number(tables.Merits.size())));
        QVERIFY2(tables.Flaws.size() >= 90, qPrintable(QString::number(tables.Flaws.size())));
        for (const SortedTextList* list : {&tables.Merits, &tables.Flaws})
            for (const QString& entry : list->items())
                QVERIFY2(costOf(entry) >= 1 && costOf(entry) <= 7, qPrintable(entry));
        // No trait is both a merit and a flaw.
        for (const QString& merit : tables.Merits.items())
            QVERIFY2(tables.Flaws.indexOf(merit) < 0, qPrintable(merit));
        // Traits whose cost varies have one entry per cost.
        const QStringList variable = {"Enemy (1)",  "Enemy (2)",  "Enemy (3)",  "Enemy (4)",
                                      "Enemy (5)",  "Cursed (1)", "Cursed (2)", "Cursed (3)",
                                      "Cursed (4)", "Cursed (5)", "Bad Sight (1)",
                                      "Bad Sight (3)"};
        for (const QString& flaw : variable)
            QVERIFY2(tables.Flaws.indexOf(flaw) >= 0, qPrintable(flaw));
        for (const char* merit : {"Debt of Gratitude (1)", "Debt of Gratitude (2)",
                                  "Debt of Gratitude (3)"})
            QVERIFY2(tables.Merits.indexOf(QString::fromLatin1(merit)) >= 0, merit);
    }

    void shippedExclusivePairs()
    {
        RuleTables tables;
        tables.build(shippedLines(), false);
        const qsizetype count = tables.ExclusivePairsFirst.size();
        QVERIFY2(count >= 25, qPrintable(QString::number(count)));
        QSet<QString> pairs;
        for (qsizetype k = 0; k < count; ++k) {
            const QString first = tables.ExclusivePairsFirst[k];
            const QString second = tables.ExclusivePairsSecond[k];
            // A merit, then a flaw, each exactly as its table writes it (cost included).
            QVERIFY2(tables.Merits.indexOf(first) >= 0, qPrintable(first));
            QVERIFY2(tables.Flaws.indexOf(second) >= 0, qPrintable(second));
            QVERIFY2(!pairs.contains(first + u'|' + second), qPrintable(first + " / " + second));
            pairs.insert(first + u'|' + second);
        }
        for (const auto& [merit, flaw] :
             {std::pair{"Iron Will (3)", "Weak-Willed (3)"},
              std::pair{"Clan Friendship (3)", "Clan Enmity (2)"},
              std::pair{"Huge Size (4)", "Short (1)"}, std::pair{"Huge Size (4)", "Child (3)"},
              std::pair{"Baby Face (2)", "Disfigured (2)"},
              std::pair{"Baby Face (2)", "Monstrous (3)"}})
            QVERIFY2(pairs.contains(QString::fromLatin1(merit) + u'|' + QString::fromLatin1(flaw)),
                     merit);
        // Pairs the game does not make exclusive: a blind character may have acute hearing.
        for (const auto& [merit, flaw] :
             {std::pair{"Acute Sense (1)", "Blind (6)"}, std::pair{"Acute Sense (1)", "Deaf (4)"},
              std::pair{"Blush of Health (2)", "Smell of the Grave (1)"}})
            QVERIFY2(!pairs.contains(QString::fromLatin1(merit) + u'|' + QString::fromLatin1(flaw)),
                     merit);
        // A trait with several costs is paired once per cost.
        for (int cost = 1; cost <= 5; ++cost)
            QVERIFY(pairs.contains(QStringLiteral("Luck (3)|Cursed (%1)").arg(cost)));
    }

    void shippedDisciplines()
    {
        RuleTables tables;
        tables.build(shippedLines(), false);
        QVERIFY(tables.DisciplineNames.size() <= RuleTables::PowerLists);
        auto powers = [&](const char* discipline) {
            const qsizetype d = tables.disciplineIndex(QString::fromLatin1(discipline));
            return d < 0 ? QStringList() : tables.DisciplinePowers[d].items();
        };
        QVERIFY(powers("Animalism").contains("1: Feral Whispers"));
        QVERIFY(powers("Protean").contains("5: Mist Form"));
        QVERIFY(powers("Temporis").contains("1: Hourglass of the Mind"));
        QVERIFY(powers("Sanguinus").contains("1: Brother's Blood"));
        const QStringList thaumaturgy = powers("Thaumaturgy");
        for (const char* path : {"(Path of Corruption)", "(Green Path)", "(Neptune's Might)",
                                 "(Spirit Manipulation)", "(Father's Vengeance)",
                                 "(Technomancy)"})
            for (int level = 1; level <= 5; ++level) {
                const QString prefix = QStringLiteral("%1: ").arg(level);
                QVERIFY2(std::any_of(thaumaturgy.cbegin(), thaumaturgy.cend(),
                                     [&](const QString& p) {
                                         return p.startsWith(prefix) &&
                                                p.endsWith(QString::fromLatin1(path));
                                     }),
                         qPrintable(prefix + path));
            }
        for (const char* clan : {"True Brujah", "Old Clan Tzimisce", "Blood Brothers"})
            QVERIFY2(tables.ClanNames.indexOf(QString::fromLatin1(clan)) >= 0, clan);
    }

    // Virtue sets keep file order with duplicates, so each is listed once; every path
    // names its virtues, and a set with those virtues exists.
    void shippedPathsAndVirtueSets()
    {
        RuleTables tables;
        tables.build(shippedLines(), false);
        QCOMPARE(QSet<QString>(tables.VirtueSets.cbegin(), tables.VirtueSets.cend()).size(),
                 tables.VirtueSets.size());
        static const QRegularExpression virtues(
            QStringLiteral("Virtues: (\\w[\\w-]*), (\\w[\\w-]*) and (\\w[\\w-]*)"));
        for (qsizetype p = 0; p < tables.PathNames.size(); ++p) {
            const QString path = tables.PathNames.at(p);
            const auto match = virtues.match(tables.PathDescriptions[p]);
            QVERIFY2(match.hasMatch(), qPrintable(path));
            const QString set = QStringLiteral("(%1, %2 & %3)")
                                    .arg(match.captured(1), match.captured(2), match.captured(3));
            const bool found = std::any_of(tables.VirtueSets.cbegin(), tables.VirtueSets.cend(),
                                           [&](const QString& s) { return s.endsWith(set); });
            QVERIFY2(found, qPrintable(path + ": " + set));
        }
        for (const char* path : {"Humanity", "Path of Metamorphosis", "Path of Blood",
                                 "Path of Bones", "Path of Typhon", "Path of Paradox",
                                 "Path of Death and the Soul", "Path of Honorable Accord"})
            QVERIFY2(tables.PathNames.indexOf(QString::fromLatin1(path)) >= 0, path);
    }
};

QTEST_GUILESS_MAIN(TestRuleTables)
#include "tst_ruletables.moc"
