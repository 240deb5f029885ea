#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"
#include "rules/RuleTables.h"
#include "rules/RulesDataLoader.h"

#include <QFile>
#include <QtTest>

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
};

QTEST_GUILESS_MAIN(TestRuleTables)
#include "tst_ruletables.moc"
