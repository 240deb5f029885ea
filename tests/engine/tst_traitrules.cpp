#include "../support/DataRows.h"
#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "engine/MeritFlawRules.h"
#include "engine/VirtueRules.h"

#include <QtTest>

using namespace GenerationRules;

namespace {

// "Generation:2,Age:3,:0" -> rows; an empty name is the open placeholder row.
std::vector<Background> backgrounds(const QString& text)
{
    std::vector<Background> rows;
    for (const QString& row : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype colon = row.lastIndexOf(u':');
        rows.push_back({row.left(colon), row.mid(colon + 1).toInt()});
    }
    return rows;
}

QString disciplinesText(const std::vector<ClanRules::Discipline>& list)
{
    QStringList parts;
    for (const auto& d : list)
        parts << d.name + u':' + QString::number(d.rating);
    return parts.join(u',');
}

std::vector<ClanRules::Discipline> disciplines(const QString& text)
{
    std::vector<ClanRules::Discipline> list;
    for (const Background& row : backgrounds(text))
        list.push_back({row.name, row.rating});
    return list;
}

} // namespace

class TestTraitRules : public QObject
{
    Q_OBJECT
private slots:
    void generationTable_data()
    {
        columns<int, int, int, int>({"generation", "maxTrait", "boxes", "rows"});
        const int table[][4] = {{3, 10, 0, 0},  {4, 9, 50, 5},  {5, 8, 40, 4},  {6, 7, 30, 3},
                                {7, 6, 20, 2},  {8, 5, 15, 1},  {9, 5, 14, 1},  {10, 5, 13, 1},
                                {11, 5, 12, 1}, {12, 5, 11, 1}, {13, 5, 10, 1}, {14, 5, 10, 1},
                                {15, 5, 10, 1}};
        for (const auto& row : table)
            QTest::addRow("%d", row[0]) << row[0] << row[1] << row[2] << row[3];
    }
    void generationTable()
    {
        QFETCH(int, generation);
        QTEST(maxTraitRating(generation, false, 2), "maxTrait");
        QTEST(bloodPoolBoxes(generation), "boxes");
        QTEST(bloodPoolRows(generation), "rows");
        QCOMPARE(ordinal(generation), QString::number(generation) + (generation == 3 ? "rd" : "th"));
    }

    void golcondaLiftsLimits_data()
    {
        columns<bool, int, int, int>({"on", "choice", "traits", "disciplines"});
        QTest::newRow("off") << false << 2 << 5 << 5;
        QTest::newRow("no trait") << true << 0 << 5 << 5;
        QTest::newRow("disciplines only") << true << 1 << 5 << 10;
        QTest::newRow("any trait") << true << 2 << 10 << 10;
    }
    void golcondaLiftsLimits()
    {
        QFETCH(bool, on);
        QFETCH(int, choice);
        const int limit = maxTraitRating(13, on, choice);
        QTEST(limit, "traits");
        QTEST(disciplineMaxDots(limit, on, choice), "disciplines");
        QCOMPARE(backgroundMaxDots("Elder Status", 10), 5);
    }

    // The recalculation's generation step.
    void generationFromBackgrounds_data()
    {
        columns<int, int, bool, QString, QString, int, int>(
            {"shown", "starting", "reset", "rows", "text", "bonus", "penalty"});
        QTest::newRow("new sheet") << 13 << 13 << false << ":0" << "13th" << 0 << 0;
        QTest::newRow("two dots") << 11 << 13 << false << "Generation:2,:0" << "11th" << 0 << 0;
        QTest::newRow("six dots") << 13 << 13 << false << "Generation:6,:0" << "7th" << 0 << 0;
        QTest::newRow("below 3rd") << 10 << 10 << false << "Generation:8" << "3rd" << 0 << 0;
        QTest::newRow("elder name") << 13 << 13 << false << "Elder Generation:3" << "10th" << 0 << 0;
        QTest::newRow("higher kept") << 14 << 13 << false << ":0" << "14th" << 0 << 0;
        QTest::newRow("lower raised") << 9 << 13 << false << ":0" << "13th" << 0 << 0;
        QTest::newRow("new start") << 13 << 10 << false << ":0" << "13th" << 0 << 0;
        QTest::newRow("reset") << 13 << 10 << true << ":0" << "10th" << 0 << 0;
        QTest::newRow("age 3") << 13 << 13 << false << "Age:3" << "13th" << 75 << -3;
        QTest::newRow("age 7") << 13 << 13 << false << "Age:7" << "13th" << 100 << -5;
        QTest::newRow("age 0") << 13 << 13 << false << "Age:0" << "13th" << 0 << 0;
    }
    void generationFromBackgrounds()
    {
        QFETCH(int, shown);
        QFETCH(int, starting);
        QFETCH(bool, reset);
        QFETCH(QString, rows);
        const Derived derived = derive(shown, starting, reset, backgrounds(rows));
        QTEST(derived.text, "text");
        QTEST(derived.age.freebieBonus, "bonus");
        QTEST(derived.age.humanityPenalty, "penalty");
    }

    // A generation chosen in the header keeps the generation background in step.
    void backgroundForChosenGeneration_data()
    {
        columns<int, bool, QString, int, QString, int>(
            {"generation", "elder", "rows", "row", "name", "rating"});
        QTest::newRow("11th adds") << 11 << false << "Allies:2,:0" << 1 << "Generation" << 2;
        QTest::newRow("elder adds") << 11 << true << ":0" << 0 << "Elder Generation" << 2;
        QTest::newRow("re-rated") << 9 << false << "Generation:2,:0" << 0 << "Generation" << 4;
        QTest::newRow("14th removes") << 14 << false << "Generation:2,:0" << 0 << "" << 0;
        QTest::newRow("13th keeps none") << 13 << false << ":0" << -1 << "" << 0;
        QTest::newRow("full list untouched") << 11 << false << "Allies:2,Contacts:1" << -1 << "" << 0;
    }
    void backgroundForChosenGeneration()
    {
        QFETCH(int, generation);
        QFETCH(bool, elder);
        QFETCH(QString, rows);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(int, rating);
        const BackgroundChange change = backgroundForGeneration(generation, 13, elder, backgrounds(rows));
        QCOMPARE(change, (BackgroundChange{row, name, rating}));
    }

    void clanDisciplines_data()
    {
        columns<QString, QString>({"before", "after"});
        const QString clan = "Dominate,Obtenebration,Potence";
        QTest::newRow("lost clan discipline moves down")
            << "Auspex:2,Dominate:1,Obfuscate:0,:0" << "Dominate:1,Obtenebration:0,Potence:0,Auspex:2";
        QTest::newRow("non-clan order kept")
            << "Celerity:1,Potence:3,Fortitude:0,Presence:2"
            << "Dominate:0,Obtenebration:0,Potence:3,Celerity:1,Presence:2";
        QTest::newRow("empty sheet") << ":0" << "Dominate:0,Obtenebration:0,Potence:0";
    }
    void clanDisciplines()
    {
        QFETCH(QString, before);
        const auto rebuilt = ClanRules::rebuiltDisciplines(
            disciplines(before), {"Dominate", "Obtenebration", "Potence"});
        QTEST(disciplinesText(rebuilt), "after");
    }

    void clanMeritsAndFlaws_data()
    {
        // The result is "keep", "" (removed) or the new entry.
        columns<QString, bool, QString, QString>({"clan", "flaw", "entry", "result"});
        QTest::newRow("Ventrue prey") << "Ventrue" << true << "Prey Exclusion (1)" << "";
        QTest::newRow("Ventrue digestion") << "Ventrue" << true << "Selective Digestion (2)" << "";
        QTest::newRow("Brujah prey") << "Brujah" << true << "Prey Exclusion (1)" << "keep";
        QTest::newRow("Nosferatu monstrous") << "Nosferatu" << true << "Monstrous (3)" << "Monstrous (1)";
        QTest::newRow("Brujah monstrous") << "Brujah" << true << "Monstrous (1)" << "Monstrous (3)";
        QTest::newRow("Samedi disfigured") << "Samedi" << true << "Disfigured (2)" << "";
        QTest::newRow("Lasombra reflection") << "Old Clan Lasombra" << true << "Cast No Reflection (2)" << "";
        QTest::newRow("Malkavian sire") << "Malkavian Antitribu" << true << "Insane Sire (1)" << "";
        QTest::newRow("misspelt clan") << "Malkavian Anititribu" << true << "Insane Sire (1)" << "";
        QTest::newRow("Gargoyle baby face") << "Gargoyles" << false << "Baby Face (2)" << "";
        QTest::newRow("Toreador baby face") << "Toreador" << false << "Baby Face (2)" << "keep";
    }
    void clanMeritsAndFlaws()
    {
        QFETCH(QString, clan);
        QFETCH(bool, flaw);
        QFETCH(QString, entry);
        const ClanRules::Context context{clan, ClanRules::hasZeroAppearance(clan)};
        const auto changed = flaw ? ClanRules::flawUnderClan(entry, context)
                                  : ClanRules::meritUnderClan(entry, context);
        QTEST(changed.value_or("keep"), "result");
    }

    void virtueNames_data()
    {
        columns<QString, QString>({"set", "names"});
        QTest::newRow("human") << "Human (Conscience, Self-Control & Courage)" << "Conscience|Self-Control|Courage";
        QTest::newRow("sabbat") << "Sabbat (Callousness, Instincts & Morale)" << "Callousness|Instincts|Morale";
        QTest::newRow("no shape") << "whatever" << "||";
    }
    void virtueNames()
    {
        QFETCH(QString, set);
        const auto names = VirtueRules::virtueNames(set);
        QTEST(QStringList({names[0], names[1], names[2]}).join(u'|'), "names");
    }

    void humanityAndWillpower_data()
    {
        // Virtues: Conscience, Self-Control, Courage; bought: Humanity, Willpower; derived:
        // Humanity, its freebies, Willpower, its freebies.
        columns<QList<int>, QList<int>, int, int, QString, QList<int>>(
            {"virtues", "bought", "age", "maxHumanity", "path", "derived"});
        QTest::newRow("new") << QList{1, 1, 1} << QList{0, 0} << 0 << 999 << "Humanity" << QList{2, 0, 1, 0};
        QTest::newRow("bought") << QList{2, 1, 3} << QList{2, 1} << 0 << 999 << "Humanity" << QList{5, 2, 4, 1};
        QTest::newRow("age 2") << QList{3, 3, 1} << QList{0, 0} << -2 << 999 << "Humanity" << QList{4, 0, 1, 0};
        QTest::newRow("sabbat cap") << QList{4, 4, 1} << QList{0, 0} << 0 << 5 << "Humanity" << QList{5, -3, 1, 0};
        QTest::newRow("path uncapped") << QList{4, 4, 1} << QList{0, 0} << 0 << 5 << "Path of Caine" << QList{8, 0, 1, 0};
    }
    void humanityAndWillpower()
    {
        QFETCH(QList<int>, virtues);
        QFETCH(QList<int>, bought);
        QFETCH(int, age);
        QFETCH(int, maxHumanity);
        QFETCH(QString, path);
        const VirtueRules::Derived d = VirtueRules::derive(
            {.Conscience = virtues[0], .SelfControl = virtues[1], .Courage = virtues[2],
             .BoughtHumanity = bought[0], .BoughtWillpower = bought[1],
             .AgeHumanityPenalty = age, .MaxHumanity = maxHumanity, .path = path});
        QTEST((QList<int>{d.Humanity, d.humanityFreebies, d.Willpower, d.willpowerFreebies}), "derived");
    }

    void meritAndFlawCosts_data()
    {
        columns<QString, int>({"entry", "cost"});
        QTest::newRow("one digit") << "Baby Face (2)" << 2;
        QTest::newRow("two digits") << "True Love (10)" << 10;
        QTest::newRow("typed, none") << "My own quirk" << 0;
        QTest::newRow("last parenthesis") << "Enemy (mine) (4)" << 4;
    }
    void meritAndFlawCosts()
    {
        QFETCH(QString, entry);
        QTEST(MeritFlawRules::cost(entry), "cost");
    }

    void meritAndFlawLists()
    {
        using namespace MeritFlawRules;
        QCOMPARE(completion("Child", {"Huge Size (4)"}, {"Child (3)"}).value_or(""), QStringLiteral("Child (3)"));
        QVERIFY(!completion("Chil", {}, {"Child (3)"}));
        QCOMPARE(exclusionQuestion("Iron Will (3)", "Weak-Willed (3)"),
                 QStringLiteral("Iron Will and Weak-Willed is mutually exclusive.\nRemove Weak-Willed (3)?"));
        QStringList rows{"A (1)", "", "B (2)", ""};
        QCOMPARE(closeGaps(rows), 3);
        QCOMPARE(rows.mid(0, 3), QStringList({"A (1)", "B (2)", ""}));
        QStringList full(20, "X (1)");
        QCOMPARE(closeGaps(full), 20);

        // Every filled row counts, a twentieth too; the penalties and flags follow the entries.
        const Totals t = totals({"Huge Size (4)"}, QStringList(19, "Short (1)") << "Inept (5)");
        QCOMPARE(t.MeritPoints, 4);
        QCOMPARE(t.FlawPoints, 24);
        QVERIFY(t.HugeSize);
        QCOMPARE(t.TalentPenalty, 5);
        QCOMPARE(t.SkillPenalty, 0);
        QVERIFY(totals({}, {"Monstrous (3)"}).ZeroAppearanceFlaw);
        QVERIFY(!totals({}, {"Monstrous (1)"}).ZeroAppearanceFlaw);
    }
};

QTEST_APPLESS_MAIN(TestTraitRules)
#include "tst_traitrules.moc"
