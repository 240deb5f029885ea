#include "../support/DataRows.h"
#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "engine/MeritFlawRules.h"
#include "engine/VirtueRules.h"

using namespace GenerationRules;
Q_DECLARE_METATYPE(BackgroundChange)

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
        QCOMPARE(ordinal(generation),
                 QString::number(generation) + (generation == 3 ? "rd" : "th"));
    }

    void golcondaLiftsLimits_data()
    {
        columns<bool, int, int, int>({"on", "choice", "traits", "disciplines"});
        dataRow("off", false, 2, 5, 5);
        dataRow("no trait", true, 0, 5, 5);
        dataRow("disciplines only", true, 1, 5, 10);
        dataRow("any trait", true, 2, 10, 10);
    }
    void golcondaLiftsLimits()
    {
        const auto [on, choice] = fetch<bool, int>({"on", "choice"});
        const int limit = maxTraitRating(13, on, choice);
        QTEST(limit, "traits");
        QTEST(disciplineMaxDots(limit, on, choice), "disciplines");
        QCOMPARE(backgroundMaxDots("Elder Status", 10), 5);
    }

    // The recalculation's generation step: the text shown, Age's freebies and Humanity penalty.
    void generationFromBackgrounds_data()
    {
        columns<int, int, bool, QString, QString>(
            {"shown", "starting", "reset", "rows", "derived"});
        dataRow("new sheet", 13, 13, false, ":0", "13th 0 0");
        dataRow("two dots", 11, 13, false, "Generation:2,:0", "11th 0 0");
        dataRow("six dots", 13, 13, false, "Generation:6,:0", "7th 0 0");
        dataRow("below 3rd", 10, 10, false, "Generation:8", "3rd 0 0");
        dataRow("elder name", 13, 13, false, "Elder Generation:3", "10th 0 0");
        dataRow("higher kept", 14, 13, false, ":0", "14th 0 0");
        dataRow("lower raised", 9, 13, false, ":0", "13th 0 0");
        dataRow("new start", 13, 10, false, ":0", "13th 0 0");
        dataRow("reset", 13, 10, true, ":0", "10th 0 0");
        dataRow("age 3", 13, 13, false, "Age:3", "13th 75 -3");
        dataRow("age 7", 13, 13, false, "Age:7", "13th 100 -5");
        dataRow("age 0", 13, 13, false, "Age:0", "13th 0 0");
    }
    void generationFromBackgrounds()
    {
        const auto [shown, starting, reset, rows] =
            fetch<int, int, bool, QString>({"shown", "starting", "reset", "rows"});
        const Derived d = derive(shown, starting, reset, backgrounds(rows));
        QTEST(d.text + QStringLiteral(" %1 %2").arg(d.age.freebieBonus).arg(d.age.humanityPenalty),
              "derived");
    }

    // A generation chosen in the header keeps the generation background in step.
    void backgroundForChosenGeneration_data()
    {
        columns<int, bool, QString, BackgroundChange>({"generation", "elder", "rows", "change"});
        using C = BackgroundChange;
        dataRow("11th adds", 11, false, "Allies:2,:0", C{1, "Generation", 2});
        dataRow("elder adds", 11, true, ":0", C{0, "Elder Generation", 2});
        dataRow("re-rated", 9, false, "Generation:2,:0", C{0, "Generation", 4});
        dataRow("14th removes", 14, false, "Generation:2,:0", C{0, "", 0});
        dataRow("13th keeps none", 13, false, ":0", C{-1, "", 0});
        dataRow("full list untouched", 11, false, "Allies:2,Contacts:1", C{-1, "", 0});
    }
    void backgroundForChosenGeneration()
    {
        const auto [generation, elder, rows, change] =
            fetch<int, bool, QString, BackgroundChange>({"generation", "elder", "rows", "change"});
        QCOMPARE(backgroundForGeneration(generation, 13, elder, backgrounds(rows)), change);
    }

    void clanDisciplines_data()
    {
        columns<QString, QString>({"before", "after"});
        dataRow("lost clan discipline moves down", "Auspex:2,Dominate:1,Obfuscate:0,:0",
                "Dominate:1,Obtenebration:0,Potence:0,Auspex:2");
        dataRow("non-clan order kept", "Celerity:1,Potence:3,Fortitude:0,Presence:2",
                "Dominate:0,Obtenebration:0,Potence:3,Celerity:1,Presence:2");
        dataRow("empty sheet", ":0", "Dominate:0,Obtenebration:0,Potence:0");
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
        dataRow("Ventrue prey", "Ventrue", true, "Prey Exclusion (1)", "");
        dataRow("Ventrue digestion", "Ventrue", true, "Selective Digestion (2)", "");
        dataRow("Brujah prey", "Brujah", true, "Prey Exclusion (1)", "keep");
        dataRow("Nosferatu monstrous", "Nosferatu", true, "Monstrous (3)", "Monstrous (1)");
        dataRow("Brujah monstrous", "Brujah", true, "Monstrous (1)", "Monstrous (3)");
        dataRow("Samedi disfigured", "Samedi", true, "Disfigured (2)", "");
        dataRow("Lasombra reflection", "Old Clan Lasombra", true, "Cast No Reflection (2)", "");
        dataRow("Malkavian sire", "Malkavian Antitribu", true, "Insane Sire (1)", "");
        dataRow("misspelt clan", "Malkavian Anititribu", true, "Insane Sire (1)", "");
        dataRow("Gargoyle baby face", "Gargoyles", false, "Baby Face (2)", "");
        dataRow("Toreador baby face", "Toreador", false, "Baby Face (2)", "keep");
    }
    void clanMeritsAndFlaws()
    {
        const auto [clan, flaw, entry] = fetch<QString, bool, QString>({"clan", "flaw", "entry"});
        const ClanRules::Context context{clan, ClanRules::hasZeroAppearance(clan)};
        const auto changed = flaw ? ClanRules::flawUnderClan(entry, context)
                                  : ClanRules::meritUnderClan(entry, context);
        QTEST(changed.value_or("keep"), "result");
    }

    void virtueNames_data()
    {
        columns<QString, QString>({"set", "names"});
        dataRow("human", "Human (Conscience, Self-Control & Courage)",
                "Conscience|Self-Control|Courage");
        dataRow("no shape", "whatever", "||");
    }
    void virtueNames()
    {
        QFETCH(QString, set);
        const auto names = VirtueRules::virtueNames(set);
        QTEST(QStringList({names[0], names[1], names[2]}).join(u'|'), "names");
    }

    void humanityAndWillpower_data()
    {
        // Conscience, Self-Control, Courage, bought Humanity and Willpower, Age's penalty; then
        // Humanity, its freebies, Willpower, its freebies.
        columns<QList<int>, int, QString, QList<int>>({"input", "maxHumanity", "path", "derived"});
        using L = QList<int>;
        dataRow("new", L{1, 1, 1, 0, 0, 0}, 999, "Humanity", L{2, 0, 1, 0});
        dataRow("bought", L{2, 1, 3, 2, 1, 0}, 999, "Humanity", L{5, 2, 4, 1});
        dataRow("age 2", L{3, 3, 1, 0, 0, -2}, 999, "Humanity", L{4, 0, 1, 0});
        dataRow("sabbat cap", L{4, 4, 1, 0, 0, 0}, 5, "Humanity", L{5, -3, 1, 0});
        dataRow("path uncapped", L{4, 4, 1, 0, 0, 0}, 5, "Path of Caine", L{8, 0, 1, 0});
    }
    void humanityAndWillpower()
    {
        const auto [in, maxHumanity, path] =
            fetch<QList<int>, int, QString>({"input", "maxHumanity", "path"});
        const VirtueRules::Derived d = VirtueRules::derive(
            {.Conscience = in[0], .SelfControl = in[1], .Courage = in[2], .BoughtHumanity = in[3],
             .BoughtWillpower = in[4], .AgeHumanityPenalty = in[5], .MaxHumanity = maxHumanity,
             .path = path});
        QTEST((QList<int>{d.Humanity, d.humanityFreebies, d.Willpower, d.willpowerFreebies}),
              "derived");
    }

    void meritAndFlawCosts_data()
    {
        columns<QString, int>({"entry", "cost"});
        dataRow("one digit", "Baby Face (2)", 2);
        dataRow("two digits", "True Love (10)", 10);
        dataRow("typed, none", "My own quirk", 0);
        dataRow("last parenthesis", "Enemy (mine) (4)", 4);
    }
    void meritAndFlawCosts()
    {
        QFETCH(QString, entry);
        QTEST(MeritFlawRules::cost(entry), "cost");
    }

    void meritAndFlawLists()
    {
        using namespace MeritFlawRules;
        QCOMPARE(completion("Child", {"Huge Size (4)"}, {"Child (3)"}).value_or(""), "Child (3)");
        QVERIFY(!completion("Chil", {}, {"Child (3)"}));
        QStringList rows{"A (1)", "", "B (2)", ""};
        QCOMPARE(closeGaps(rows), 3);
        QCOMPARE(rows.mid(0, 3), QStringList({"A (1)", "B (2)", ""}));
        QStringList full(20, "X (1)");
        QCOMPARE(closeGaps(full), 20);

        // Every filled row counts, a twentieth too; the penalties and flags follow the entries.
        const Totals t = totals({"Huge Size (4)"}, QStringList(19, "Short (1)") << "Inept (5)");
        QCOMPARE(QList<int>({t.MeritPoints, t.FlawPoints, t.TalentPenalty, t.SkillPenalty}),
                 QList<int>({4, 24, 5, 0}));
        QVERIFY(t.HugeSize);
        QVERIFY(totals({}, {"Monstrous (3)"}).ZeroAppearanceFlaw);
        QVERIFY(!totals({}, {"Monstrous (1)"}).ZeroAppearanceFlaw);
    }
};

QTEST_APPLESS_MAIN(TestTraitRules)
#include "tst_traitrules.moc"
