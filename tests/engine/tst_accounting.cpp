#include "../support/DataRows.h"
#include "../support/RulesLines.h"
#include "../support/ScriptedAnswers.h"
#include "../support/ShippedCharacter.h"
#include "controls/DotsRating.h"
#include "engine/CharacterEditing.h"
#include "engine/CharacterPass.h"
#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "engine/MeritFlawEditing.h"
#include "engine/MeritFlawRules.h"
#include "engine/PointAccounting.h"
#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"
#include "engine/RulesSettings.h"
#include "engine/VirtueRules.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

#include <limits>

using namespace GenerationRules;
using namespace PointAccounting;
using L = QList<int>;
using Boxes = RulesBoxTexts;
// ratings, allowance, virtues (else attributes), red dots, tally, freebie tally
using GroupRow = std::tuple<L, int, bool, L, QString, QString>;
// primary, secondary, allowance, penalty, highest rating, cost factor, red dots (primary,
// then secondary), tally, freebie tally
using AbilityRow = std::tuple<L, L, int, int, int, float, L, QString, QString>;
// ratings, points, elder rules, Dirty Secrets, Elysium, red dots, tally, freebie tally
using DisciplineRow = std::tuple<L, int, bool, bool, bool, L, QString, QString>;
// ratings, names, points, red dots, tally, freebie tally
using BackgroundRow = std::tuple<L, QStringList, int, L, QString, QString>;

Q_DECLARE_METATYPE(GroupRow)
Q_DECLARE_METATYPE(AbilityRow)
Q_DECLARE_METATYPE(DisciplineRow)
Q_DECLARE_METATYPE(BackgroundRow)
Q_DECLARE_METATYPE(FreebieCostInput)
Q_DECLARE_METATYPE(RulesBoxTexts)
Q_DECLARE_METATYPE(RulesPresets::PresetMatch)

namespace {

std::vector<int> toVector(const L& list)
{
    return {list.begin(), list.end()};
}

// The freebie dots the rating controls end up showing.
L shown(const std::vector<int>& raw, const L& ratings, int minDots)
{
    L result;
    for (int i = 0; i < ratings.size(); ++i)
        result.append(clampFreebies(raw[i], ratings[i], minDots));
    return result;
}

Boxes with(Boxes boxes, QString Boxes::*box, const QString& text)
{
    boxes.*box = text;
    return boxes;
}

// The settings the boxes give in the order of the panel, then the virtue set's first word.
QString numbers(const RulesSettings& s)
{
    const auto& [a1, a2, a3] = s.AttributePriorities;
    const auto& [b1, b2, b3] = s.AbilityPriorities;
    QStringList words;
    for (int n : {a1, a2, a3, b1, b2, b3, s.DisciplinePoints, s.BackgroundPoints, s.VirtuePoints,
                  s.MaxAbilityRating, s.MaxSecondaryRating, s.MaxHumanity, s.FreebiePoints,
                  s.StartingGeneration})
        words << QString::number(n);
    return words.join(u' ') + u' ' + s.VirtueNames.section(u' ', 0, 0) +
           (s.ElderRules ? " elder" : "");
}

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

// A character whose background rows are "name:rating,..." (the last one the open row).
Character withBackgrounds(const QString& rows)
{
    Character c;
    const std::vector<Background> list = backgrounds(rows);
    c.rows.BackgroundRows = int(list.size());
    for (int r = 0; r < int(list.size()); ++r)
        c.backgrounds[r] = {.name = list[r].name, .rating = list[r].rating};
    return c;
}

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

} // namespace

// The engine's rules as functions of plain values: the point accounting, the generation,
// clan, virtue, merit and flaw rules.
class TestAccounting : public QObject
{
    Q_OBJECT
private slots:
    void settingValueFallsBack_data()
    {
        columns<QString, int, int>({"text", "fallback", "value"});
        dataRow("number", "8", 7, 8);
        dataRow("negative", "-2", 5, -2);
        dataRow("blanks around", " 12 ", 13, 12);
        dataRow("Unlimited", "Unlimited", 999, 999);
        dataRow("trailing letters", "12abc", 13, 13);
        dataRow("too large", "99999999999", 15, 15);
    }
    void settingValueFallsBack()
    {
        QTEST(settingValue(column<QString>("text"), column<int>("fallback")), "value");
    }

    // Options without a box (here the elder rules) stay as the caller had them.
    void rulesBoxes_data()
    {
        columns<Boxes, QString>({"boxes", "settings"});
        const QString x = QStringLiteral("x"), virtues = Boxes().VirtueNamesEdit;
        dataRow("no numbers", Boxes{x, x, x, x, x, x, x, x, x, x, virtues, x, x, x, x},
                "7 5 3 13 9 5 3 5 7 999 999 999 15 13 Human elder");
        dataRow("Elder", RulesPresets::Elder(), "10 7 5 20 12 8 10 15 7 3 3 999 20 10 Human elder");
        dataRow("Sabbat", RulesPresets::Sabbat(), "7 5 3 13 9 5 4 0 5 3 3 5 15 13 Sabbat elder");
    }
    void rulesBoxes()
    {
        QFETCH(Boxes, boxes);
        RulesSettings read{.AttributePriorities = {1, 1, 1}, .MaxHumanity = 1, .ElderRules = true};
        readRulesBoxes(boxes, read);
        QTEST(numbers(read), "settings");
    }

    void presetCaptions_data()
    {
        using namespace RulesPresets;
        columns<Boxes, bool, PresetMatch>({"boxes", "elderRules", "red"});
        const PresetMatch none, camarilla{.Camarilla = true}, elder{.Elder = true};
        const QString sabbatVirtues = Sabbat().VirtueNamesEdit;
        dataRow("7 with a blank", with(Camarilla(), &Boxes::AttPriEdit, "7 "), false, none);
        dataRow("Camarilla ignores elder rules", Camarilla(), true, camarilla);
        dataRow("Elder without elder rules", Elder(), false, none);
        dataRow("Elder ignores the virtue set",
                with(Elder(), &Boxes::VirtueNamesEdit, sabbatVirtues), true, elder);
        dataRow("Elder with 15 freebies", with(Elder(), &Boxes::FreebiesEdit, "15"), true, none);
    }
    void presetCaptions()
    {
        QVERIFY(RulesPresets::matchingPresets(column<Boxes>("boxes"), column<bool>("elderRules")) ==
                column<RulesPresets::PresetMatch>("red"));
    }

    // Each rating's first dot is free; the allowance is used up in order.
    void attributeAndVirtueGroups_data()
    {
        const auto row = rowColumn<GroupRow>();
        row("over, not clamped", {{5, 5, 2}, 7, false, {0, 1, 1}, "(9/7)", "10/15"});
        row("first over, later free", {{5, 1, 1}, 3, false, {1, 0, 0}, "(4/3)", "5/15"});
        row("all at 5 on tertiary", {{5, 5, 5}, 3, false, {1, 4, 4}, "(12/3)", "45/15"});
        row("no allowance at all",
            {{2, 2, 2}, intMin, false, {1, 1, 1}, "(3/-2147483648)", "15/15"});
        row("endless allowance", {{5, 5, 5}, intMax, false, {0, 0, 0}, "(12/2147483647)", "0/15"});
        row("virtues one over", {{5, 5, 1}, 7, true, {0, 1, 0}, "(8/7)", "2/15"});
    }
    void attributeAndVirtueGroups()
    {
        QFETCH(GroupRow, row);
        const auto& [ratings, allowance, virtues, redDots, tally, freebieTally] = row;
        const TraitGroupResult result = traitGroup({ratings[0], ratings[1], ratings[2]}, allowance);
        const L dots = shown({result.freebies.begin(), result.freebies.end()}, ratings, 1);
        QCOMPARE(dots, redDots);
        QCOMPARE(result.tally, tally);
        FreebieCostInput cost;
        (virtues ? cost.virtueFreebies : cost.attributeFreebies) = toVector(dots);
        QCOMPARE(freebieCost(cost).tally, freebieTally);
    }

    void abilityColumns_data()
    {
        const auto row = rowColumn<AbilityRow>();
        row("talent at 4 without a limit",
            {{4, 0}, {0}, 13, 0, 999, 0.5f, {0, 0, 0}, "(4/13)", "0/15"});
        row("allowance used in order",
            {{3, 3, 3, 3, 2}, {}, 13, 0, 3, 0.5f, {0, 0, 0, 0, 1}, "(14/13)", "2/15"});
        row("half cost, 1 point left",
            {{3, 3, 3, 3}, {2}, 13, 0, 3, 0.5f, {0, 0, 0, 0, 0}, "(13/13)", "0/15"});
        row("normal cost, 1 point left",
            {{3, 3, 3, 3}, {2}, 13, 0, 3, 1.0f, {0, 0, 0, 0, 1}, "(14/13)", "2/15"});
        row("half point left",
            {{3, 3, 3, 3}, {1, 2}, 13, 0, 3, 0.5f, {0, 0, 0, 0, 0, 1}, "(13.5/13)", "1/15"});
        row("secondary above its limit", {{0}, {4}, 5, 0, 3, 0.5f, {0, 1}, "(1.5/5)", "1/15"});
        row("Inept takes five, one over",
            {{3, 3, 3}, {}, 13, 5, 3, 0.5f, {0, 0, 1}, "(9/8)", "2/15"});
        row("penalty eats a tertiary column", {{1}, {1}, 5, 5, 3, 0.5f, {1, 1}, "(1.5/0)", "3/15"});
        row("zero cost factor", {{0}, {4}, 13, 0, 3, 0.0f, {0, 1}, "(0/13)", "0/15"});
    }
    void abilityColumns()
    {
        QFETCH(AbilityRow, row);
        const auto& [primary, secondary, allowance, penalty, maxAbility, factor, redDots, tally,
                     freebieTally] = row;
        const AbilityColumnResult result = abilityColumn(
            {toVector(primary), toVector(secondary), allowance, penalty, maxAbility, 3, factor});
        const L primaryDots = shown(result.primaryFreebies, primary, 0);
        const L secondaryDots = shown(result.secondaryFreebies, secondary, 0);
        QCOMPARE(primaryDots + secondaryDots, redDots);
        QCOMPARE(result.tally, tally);
        QCOMPARE(freebieCost({.abilityFreebies = toVector(primaryDots),
                              .secondaryFreebies = toVector(secondaryDots),
                              .SecondaryCostFactor = factor})
                     .tally,
                 freebieTally);
    }

    // Rows 0 to 2 are the clan disciplines.
    void disciplineRows_data()
    {
        const auto row = rowColumn<DisciplineRow>();
        row("clan excess on the later rows",
            {{2, 2, 1, 0}, 3, false, true, true, {0, 1, 1, 0}, "(3/3)", "14/15"});
        row("discipline rules need elder rules",
            {{3, 2, 4, 3}, 10, false, true, true, {0, 0, 0, 3}, "(9/10)", "21/15"});
        row("elder rules alone share the allowance",
            {{0, 0, 0, 2}, 3, true, false, false, {0, 0, 0, 0}, "(2/3)", "0/15"});
        row("Dirty Secrets, allowance used up",
            {{3, 2, 4, 3}, 10, true, true, false, {0, 0, 0, 2}, "(10/10)", "14/15"});
        row("Dirty Secrets, allowance left",
            {{3, 2, 4, 3}, 20, true, true, false, {0, 0, 0, 1}, "(11/20)", "7/15"});
        row("Elysium halves the allowance",
            {{1, 1, 1, 4, 3}, 10, true, false, true, {0, 0, 0, 0, 2}, "(8/10)", "14/15"});
        row("Elysium with an odd allowance",
            {{0, 0, 0, 4}, 7, true, false, true, {0, 0, 0, 1}, "(3/7)", "7/15"});
        row("both rules over the allowance",
            {{3, 3, 3, 3, 3}, 10, true, true, true, {0, 0, 0, 2, 3}, "(10/10)", "35/15"});
        row("non-clan below the lowest clan one",
            {{3, 3, 3, 1, 1, 1}, 12, true, true, true, {0, 0, 0, 0, 0, 0}, "(12/12)", "0/15"});
    }
    void disciplineRows()
    {
        QFETCH(DisciplineRow, row);
        const auto& [ratings, points, elder, dirtySecrets, elysium, redDots, tally, freebieTally] =
            row;
        const DisciplineResult result =
            disciplines(toVector(ratings), {points, elder, dirtySecrets, elysium});
        const L dots = shown(result.freebies, ratings, 0);
        QCOMPARE(dots, redDots);
        QCOMPARE(result.tally, tally);
        QCOMPARE(disciplineTally(toVector(ratings), toVector(dots), points), tally);
        QCOMPARE(freebieCost({.disciplineFreebies = toVector(dots), .ElderRules = elder}).tally,
                 freebieTally);
    }

    // Age, Elder Status and Elder Generation cost 4 a dot, the others 1.
    void backgroundRows_data()
    {
        const auto row = rowColumn<BackgroundRow>();
        row("one over", {{3, 3}, {"Resources", "Allies"}, 5, {0, 1}, "(6/5)", "1/15"});
        row("Age, dots stripped",
            {{3, 3}, {"Resources", "Age......."}, 5, {0, 1}, "(6/5)", "4/15"});
        row("Elder Status", {{5, 2}, {"Allies", "Elder Status"}, 5, {0, 2}, "(7/5)", "8/15"});
        row("Elder Generation",
            {{5, 1}, {"Allies", "Elder Generation"}, 5, {0, 1}, "(6/5)", "4/15"});
        row("names compared with case", {{5, 1}, {"Allies", "age"}, 5, {0, 1}, "(6/5)", "1/15"});
        row("no background points", {{1}, {"Herd"}, 0, {1}, "(1/0)", "1/15"});
    }
    void backgroundRows()
    {
        QFETCH(BackgroundRow, row);
        const auto& [ratings, names, points, redDots, tally, freebieTally] = row;
        const BackgroundResult result = backgrounds(toVector(ratings), points);
        const L dots = shown(result.freebies, ratings, 0);
        QCOMPARE(dots, redDots);
        QCOMPARE(result.tally, tally);
        FreebieCostInput cost;
        for (int i = 0; i < names.size(); ++i)
            cost.backgroundFreebies.push_back({names[i], dots[i]});
        QCOMPARE(freebieCost(cost).tally, freebieTally);
    }

    void freebieBalance_data()
    {
        using In = FreebieCostInput;
        columns<In, QString, int>({"input", "tally", "boughtHumanity"});
        dataRow("virtue dot", In{.virtueFreebies = {0, 1, 0}}, "2/15", 0);
        dataRow("elder virtue dot", In{.virtueFreebies = {1}, .ElderRules = true}, "4/15", 0);
        dataRow("Humanity dots", In{.BoughtHumanity = 2}, "2/15", 2);
        dataRow("elder Humanity", In{.BoughtHumanity = 2, .ElderRules = true}, "10/15", 2);
        dataRow("Willpower dot", In{.willpowerFreebies = 1}, "2/15", 0);
        dataRow("elder Willpower", In{.willpowerFreebies = 1, .ElderRules = true}, "5/15", 0);
        dataRow("elder rules keep the other costs",
                In{.attributeFreebies = {1},
                   .abilityFreebies = {1},
                   .secondaryFreebies = {1},
                   .disciplineFreebies = {1},
                   .backgroundFreebies = {{"Allies", 1}},
                   .ElderRules = true},
                "16/15", 0);
        dataRow("merits spend, flaws and Age give",
                In{.MeritPoints = 3, .FlawPoints = 4, .AgeFreebieBonus = 30}, "3/49", 0);
        dataRow("Humanity beyond 10 given back",
                In{.BoughtHumanity = 3, .Conscience = 5, .SelfControl = 5}, "0/15", 0);
        dataRow(
            "Humanity with an Age penalty",
            In{.BoughtHumanity = 5, .Conscience = 4, .SelfControl = 5, .AgeHumanityPenalty = -2},
            "3/15", 3);
        dataRow("Humanity of exactly 10 kept",
                In{.BoughtHumanity = 2, .Conscience = 4, .SelfControl = 4}, "2/15", 2);
        dataRow("an empty control buys nothing",
                In{.attributeFreebies = {-1},
                   .virtueFreebies = {-1},
                   .BoughtHumanity = -2,
                   .willpowerFreebies = -1},
                "0/15", -2);
    }
    void freebieBalance()
    {
        const FreebieCostResult result = freebieCost(column<FreebieCostInput>("input"));
        QTEST(result.tally, "tally");
        QTEST(result.BoughtHumanity, "boughtHumanity");
    }

    // The accounting's copy of the control's rule agrees with the control everywhere.
    void clampMatchesRatingControl()
    {
        for (int minDots : {0, 1, 2})
            for (int filled = 0; filled <= 10; ++filled)
                for (int value = -3; value <= 13; ++value) {
                    DotsRating control;
                    control.setMaxDots(10);
                    control.setMinDots(minDots);
                    control.setFilled(filled);
                    control.setFreebies(value);
                    QCOMPARE(clampFreebies(value, filled, minDots), control.Freebies());
                }
    }

    void shortestDecimal()
    {
        QCOMPARE(realText(7.0), "7");
        QCOMPARE(realText(-0.0), "0");
        QCOMPARE(realText(0.25), "0.25");
        QCOMPARE(realText(1234567.5), "1234567.5");
    }

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
        Character c = withBackgrounds(rows);
        c.header[6] = ordinal(shown);
        c.settings.StartingGeneration = starting;
        CharacterEditing::generationFromBackgrounds(c, reset);
        QTEST(c.header[6] + QStringLiteral(" %1 %2")
                                .arg(c.counters.AgeFreebieBonus)
                                .arg(c.counters.AgeHumanityPenalty),
              "derived");
    }

    // A generation chosen in the header: the limits, the blood pool and the generation
    // background in step with it.
    void generationChosen_data()
    {
        // limits: highest trait rating, blood pool boxes, the first background's highest rating
        columns<int, bool, QString, QString, L>({"generation", "elder", "rows", "after", "limits"});
        dataRow("11th adds", 11, false, "Allies:2,:0", "Allies:2,Generation:2", L{5, 12, 5});
        dataRow("elder adds", 11, true, ":0", "Elder Generation:2", L{5, 12, 5});
        dataRow("re-rated", 9, false, "Generation:2,:0", "Generation:4,:0", L{5, 14, 5});
        dataRow("14th removes", 14, false, "Generation:2,:0", ":0,:0", L{5, 10, 5});
        dataRow("13th keeps none", 13, false, ":0", ":0", L{5, 10, 5});
        dataRow("full list untouched", 11, false, "Allies:2,Contacts:1", "Allies:2,Contacts:1",
                L{5, 12, 5});
        dataRow("7th: six dots, rows of ten", 7, false, "Allies:6", "Allies:6", L{6, 20, 6});
        dataRow("outside the table", 2, false, "Allies:2", "Allies:2", L{5, 0, 5});
    }
    void generationChosen()
    {
        const auto [generation, elder, rows] =
            fetch<int, bool, QString>({"generation", "elder", "rows"});
        Character c = withBackgrounds(rows);
        c.header[6] = ordinal(generation);
        c.settings.ElderRules = elder;
        CharacterEditing::generationSet(c, shippedTables());
        QStringList after;
        for (int r = 0; r < c.rows.BackgroundRows; ++r)
            after << TextRoutines::StripDots(c.backgrounds[r].name) + u':' +
                         QString::number(c.backgrounds[r].rating);
        QTEST(after.join(u','), "after");
        QTEST(L({c.counters.MaxTraitRating, c.bloodPoolBoxes, c.backgrounds[0].maxDots}), "limits");
    }

    // A clan taken: its disciplines fixed in the first rows, the others kept below them.
    void clanDisciplines_data()
    {
        columns<QString, QString, QString, bool>({"clan", "before", "after", "fixed"});
        dataRow("lost clan discipline moves down", "Lasombra", "Auspex:2,Dominate:1,Obfuscate:0,:0",
                "Dominate:1,Obtenebration:0,Potence:0,Auspex:2", true);
        dataRow("non-clan order kept", "Lasombra", "Celerity:1,Potence:3,Fortitude:0,Presence:2",
                "Dominate:0,Obtenebration:0,Potence:3,Celerity:1,Presence:2", true);
        dataRow("empty sheet", "Lasombra", ":0", "Dominate:0,Obtenebration:0,Potence:0", true);
        dataRow("Caitiff keeps its rows", "Caitiff", "Celerity:1,:0", "Celerity:1,:0", false);
        dataRow("unknown clan", "Nobody", "Celerity:1,:0", "Celerity:1,:0", false);
    }
    void clanDisciplines()
    {
        const auto [clan, before] = fetch<QString, QString>({"clan", "before"});
        Character c;
        c.header[5] = clan;
        const std::vector<Background> rows = backgrounds(before);
        c.rows.DisciplineRows = int(rows.size());
        for (int r = 0; r < int(rows.size()); ++r)
            c.disciplines[r] = {.name = rows[r].name, .rating = rows[r].rating};
        QTEST(CharacterEditing::clanSet(c, shippedTables()), "fixed");
        QStringList after;
        for (int r = 0; r < c.rows.DisciplineRows; ++r)
            after << c.disciplines[r].name + u':' + QString::number(c.disciplines[r].rating);
        QTEST(after.join(u','), "after");
        QCOMPARE(c.counters.CaitiffClan, clan == u"Caitiff");
    }

    void clanMeritsAndFlaws_data()
    {
        // The result is "keep", "" (removed) or the new entry.
        columns<QString, bool, QString, QString>({"clan", "flaw", "entry", "result"});
        dataRow("Ventrue digestion", "Ventrue", true, "Selective Digestion (2)", "");
        dataRow("Brujah prey", "Brujah", true, "Prey Exclusion (1)", "keep");
        dataRow("Nosferatu monstrous", "Nosferatu", true, "Monstrous (3)", "Monstrous (1)");
        dataRow("Brujah monstrous", "Brujah", true, "Monstrous (1)", "Monstrous (3)");
        dataRow("Samedi disfigured", "Samedi", true, "Disfigured (2)", "");
        dataRow("Lasombra reflection", "Old Clan Lasombra", true, "Cast No Reflection (2)", "");
        dataRow("revised reflection", "Lasombra Antitribu", true, "Cast No Reflection (1)", "");
        dataRow("Brujah reflection", "Brujah", true, "Cast No Reflection (1)", "keep");
        dataRow("Malkavian sire", "Malkavian Antitribu", true, "Insane Sire (1)", "");
        dataRow("misspelt clan", "Malkavian Anititribu", true, "Insane Sire (1)", "");
        dataRow("revised Malkavian", "Malkavian (Revised)", true, "Insane Sire (1)", "");
        dataRow("revised Samedi", "Samedi (Revised)", true, "Disfigured (2)", "");
        dataRow("revised Ventrue", "Ventrue (Revised)", true, "Prey Exclusion (1)", "");
        dataRow("edition inside the name", "Samedi (Revised) Antitribu", true, "Disfigured (2)",
                "keep");
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
        // Humanity, its freebies, Willpower, its freebies, the bought dots that still fit.
        columns<QList<int>, int, QString, QList<int>>({"input", "maxHumanity", "path", "derived"});
        using L = QList<int>;
        dataRow("new", L{1, 1, 1, 0, 0, 0}, 999, "Humanity", L{2, 0, 1, 0, 0, 0});
        dataRow("bought", L{2, 1, 3, 2, 1, 0}, 999, "Humanity", L{5, 2, 4, 1, 2, 1});
        dataRow("age 2", L{3, 3, 1, 0, 0, -2}, 999, "Humanity", L{4, 0, 1, 0, 0, 0});
        dataRow("sabbat cap", L{4, 4, 1, 0, 0, 0}, 5, "Humanity", L{5, -3, 1, 0, 0, 0});
        dataRow("path uncapped", L{4, 4, 1, 0, 0, 0}, 5, "Path of Caine", L{8, 0, 1, 0, 0, 0});
        dataRow("bought past ten", L{5, 3, 3, 8, 9, 0}, 999, "Humanity", L{10, 2, 10, 7, 2, 7});
        dataRow("base past ten", L{5, 5, 5, 3, 9, 1}, 999, "Humanity", L{10, -1, 10, 5, 0, 5});
    }
    void humanityAndWillpower()
    {
        const auto [in, maxHumanity, path] =
            fetch<QList<int>, int, QString>({"input", "maxHumanity", "path"});
        const VirtueRules::Derived d = VirtueRules::derive({.Conscience = in[0],
                                                            .SelfControl = in[1],
                                                            .Courage = in[2],
                                                            .BoughtHumanity = in[3],
                                                            .BoughtWillpower = in[4],
                                                            .AgeHumanityPenalty = in[5],
                                                            .MaxHumanity = maxHumanity,
                                                            .path = path});
        QTEST((QList<int>{d.Humanity, d.humanityFreebies, d.Willpower, d.willpowerFreebies,
                          d.BoughtHumanity, d.BoughtWillpower}),
              "derived");
    }

    // The pass over a whole character: acts in, the character out, as the sheet shows it.
    void characterPass_data()
    {
        // Ratings set one after the other, each followed by a pass; then a trait's rating and
        // red dots, and the freebie tally.
        columns<QString, QString, L, QString>({"acts", "checked", "expected", "freebies"});
        dataRow("new character", "", "Willpower", L{1, 0}, "0/15");
        dataRow("Willpower bought", "Willpower 10", "Willpower", L{10, 9}, "18/15");
        // Dots bought before a virtue rose stay within the ten the row holds, and cost no more.
        dataRow("then Courage 3", "Willpower 10, Courage 3", "Willpower", L{10, 7}, "14/15");
        dataRow("then Courage 5", "Willpower 10, Courage 5", "Willpower", L{10, 5}, "10/15");
        dataRow("then Courage back to 1", "Willpower 10, Courage 5, Courage 1", "Willpower",
                L{6, 5}, "10/15");
        dataRow("Humanity bought, then the virtues", "Humanity 10, Conscience 5, Self-Control 3",
                "Humanity", L{10, 2}, "2/15");
        dataRow("attributes over the allowance", "Strength 5, Dexterity 4, Stamina 2", "Stamina",
                L{2, 1}, "5/15");
        dataRow("Appearance held by a flaw", "Appearance 4, zero Appearance 1", "Appearance",
                L{1, 0}, "0/15");
    }
    void characterPass()
    {
        const auto [acts, checked, expected, freebieTally] =
            fetch<QString, QString, L, QString>({"acts", "checked", "expected", "freebies"});
        Character c;
        c.virtueNames = VirtueRules::virtueNames(c.settings.VirtueNames);
        auto trait = [&c](const QString& name) -> Character::Trait& {
            return *CreationBaseline::traitAt(c, traitNamed(c, name));
        };
        CharacterPass::derive(c);
        for (const QString& act : acts.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            const QString name = act.section(u' ', 0, -2);
            const int rating = act.section(u' ', -1).toInt();
            if (name == u"zero Appearance") {
                c.counters.ZeroAppearanceFlaw = true;
            } else {
                CharacterPass::setRating(trait(name), rating);
                // A rating set by hand keeps its bought dots, as the rows' handlers count them.
                if (name == u"Willpower")
                    c.counters.BoughtWillpower = rating - c.virtues[2].rating;
                if (name == u"Humanity")
                    c.counters.BoughtHumanity = rating - c.virtues[0].rating - c.virtues[1].rating;
            }
            CharacterPass::derive(c);
        }
        QCOMPARE(L({trait(checked).rating, trait(checked).freebies}), expected);
        QCOMPARE(c.freebieTally, freebieTally);
        QCOMPARE(c.overspent, freebieTally == u"18/15");
        const Character settled = c;
        CharacterPass::derive(c);
        QCOMPARE(c, settled); // a second pass changes nothing
    }

    // A list's rows: one open row below the last in use, one empty row removed per pass; a
    // row's specialty moves with it.
    void rowsKeptTidy_data()
    {
        columns<QString, int, QString>({"rows", "firstRemovable", "after"});
        dataRow("last filled opens a row", "Allies:2", 0, "Allies:2,:0");
        dataRow("an empty row goes, the rest move up", "Allies:2,:0,Contacts:1,:0", 0,
                "Allies:2,Contacts:1,:0");
        dataRow("one row per pass", ":0,:0,Contacts:1,:0", 0, ":0,Contacts:1,:0");
        dataRow("fixed rows stay", ":0,:0,:0,:0", 3, ":0,:0,:0,:0");
        dataRow("no rows opens the first", "", 0, ":0");
    }
    void rowsKeptTidy()
    {
        const auto [rows, firstRemovable] = fetch<QString, int>({"rows", "firstRemovable"});
        Character c = withBackgrounds(rows);
        if (rows.isEmpty())
            c.rows.BackgroundRows = 0;
        for (Character::Trait& row : c.backgrounds)
            row.specialty = row.name.toLower();
        CharacterPass::keepRows({&c.backgrounds}, c.rows.BackgroundRows, firstRemovable, {});
        for (const Character::Trait& row : c.backgrounds)
            QCOMPARE(row.specialty, row.name.toLower());
        QStringList after;
        for (int r = 0; r < c.rows.BackgroundRows; ++r)
            after << c.backgrounds[r].name + u':' + QString::number(c.backgrounds[r].rating);
        QTEST(after.join(u','), "after");
    }

    // Humanity or Willpower set by hand: the bought dots, and below the virtues the question.
    void settingByHand_data()
    {
        // the trait, the virtues, the rating set, the answer; then bought dots, whether it
        // asked, whether it is derived afterwards
        columns<QString, L, int, int, int, bool, bool>(
            {"trait", "virtues", "rating", "answer", "bought", "asked", "derived"});
        dataRow("Humanity raised", "Humanity", L{3, 2, 1}, 7, 0, 2, false, true);
        dataRow("Humanity lowered, kept", "Humanity", L{3, 2, 1}, 4, 2, 0, true, true);
        dataRow("Humanity lowered, detached", "Humanity", L{3, 2, 1}, 4, 1, 0, true, false);
        dataRow("Willpower raised", "Willpower", L{1, 1, 3}, 5, 0, 2, false, true);
        dataRow("Willpower lowered, detached", "Willpower", L{1, 1, 3}, 2, 1, 0, true, false);
    }
    void settingByHand()
    {
        const auto [trait, virtues, rating, answer] =
            fetch<QString, L, int, int>({"trait", "virtues", "rating", "answer"});
        Character c;
        for (int i = 0; i < 3; ++i)
            c.virtues[i].rating = virtues[i];
        ScriptedAnswers questions;
        questions.answers = {answer};
        const bool humanity = trait == u"Humanity";
        (humanity ? c.humanity : c.willpower).rating = rating;
        const bool detached = humanity ? CharacterEditing::humanitySet(c, questions)
                                       : CharacterEditing::willpowerSet(c, questions);
        QTEST(humanity ? c.counters.BoughtHumanity : c.counters.BoughtWillpower, "bought");
        QTEST(!questions.asked.isEmpty(), "asked");
        QTEST(humanity ? c.settings.HumanityFromVirtues : c.settings.WillpowerFromVirtues,
              "derived");
        QCOMPARE(detached, !column<bool>("derived"));
        QCOMPARE((humanity ? c.humanity : c.willpower).rating, rating);
    }

    // The merit and flaw lists on the character, each entry taken as the user takes it: in
    // the open row of its list, the rule run on it.
    void meritAndFlawEditing_data()
    {
        // Entries taken one after the other ("-" before a merit's row number empties it), the
        // answers to the questions; then the questions asked, the merits, the flaws, merit and
        // flaw points.
        columns<QStringList, L, QStringList, QStringList, QStringList, L>(
            {"taken", "answers", "asked", "merits", "flaws", "points"});
        using S = QStringList;
        const QString exclusive = QStringLiteral("%1 and %2 is mutually exclusive.\nRemove %3?");
        const QString weakWilled = exclusive.arg("Iron Will", "Weak-Willed", "Weak-Willed (3)");
        dataRow("a child is short too", S{"flaw Child (3)"}, L{}, S{}, S{},
                S{"Child (3)", "Short (1)"}, L{0, 4});
        dataRow("short already", S{"flaw Short (1)", "flaw Child (3)"}, L{}, S{}, S{},
                S{"Short (1)", "Child (3)"}, L{0, 4});
        dataRow("a typed name completed", S{"flaw Inept"}, L{}, S{}, S{}, S{"Inept (5)"}, L{0, 5});
        dataRow("Remove the excluded flaw", S{"flaw Weak-Willed (3)", "merit Iron Will (3)"}, L{1},
                S{weakWilled}, S{"Iron Will (3)"}, S{}, L{3, 0});
        dataRow("Cancel withdraws the merit", S{"flaw Weak-Willed (3)", "merit Iron Will (3)"},
                L{2}, S{weakWilled}, S{}, S{"Weak-Willed (3)"}, L{0, 3});
        // A row the rule writes runs the rule: the withdrawn child's "Short (1)" asks in turn.
        dataRow("beside Huge Size", S{"merit Huge Size (4)", "flaw Child (3)"}, L{2, 1},
                S{exclusive.arg("Child", "Huge Size", "Huge Size (4)"),
                  exclusive.arg("Short", "Huge Size", "Huge Size (4)")},
                S{}, S{"Short (1)"}, L{0, 1});
        dataRow("a gap closes", S{"merit Iron Will (3)", "merit Baby Face (2)", "-0"}, L{}, S{},
                S{"Baby Face (2)"}, S{}, L{2, 0});
    }
    void meritAndFlawEditing()
    {
        const RuleTables& tables = shippedTables();
        const auto [taken, answers, asked, merits, flaws, points] =
            fetch<QStringList, L, QStringList, QStringList, QStringList, L>(
                {"taken", "answers", "asked", "merits", "flaws", "points"});
        Character c;
        ScriptedAnswers questions;
        questions.answers = answers;
        MeritFlawEditing editing(c, tables, questions);
        for (const QString& act : taken) {
            MeritFlawEditing::Row at;
            if (act.startsWith(u'-')) {
                at = {false, act.mid(1).toInt()};
                c.merits[at.index].clear();
            } else {
                at.flaw = act.startsWith(u"flaw ");
                at.index = (at.flaw ? c.rows.FlawRows : c.rows.MeritRows) - 1;
                (at.flaw ? c.flaws : c.merits)[at.index] = act.section(u' ', 1);
            }
            editing.rowChanged(at);
        }
        QCOMPARE(questions.asked, asked);
        const auto shown = [](const auto& rows, int count) {
            return QStringList(rows.begin(), rows.begin() + count - (count < 20 ? 1 : 0));
        };
        QCOMPARE(shown(c.merits, c.rows.MeritRows), merits);
        QCOMPARE(shown(c.flaws, c.rows.FlawRows), flaws);
        QCOMPARE(L({c.counters.MeritPoints, c.counters.FlawPoints}), points);
        QCOMPARE(c.counters.HugeSize, merits.contains("Huge Size (4)"));
    }

    void meritAndFlawCosts_data()
    {
        columns<QString, int>({"entry", "cost"});
        dataRow("one digit", "Baby Face (2)", 2);
        dataRow("two digits", "True Love (10)", 10);
        dataRow("typed, none", "My own quirk", 0);
        dataRow("last parenthesis", "Enemy (mine) (4)", 4);
    }
    void meritAndFlawCosts() { QTEST(MeritFlawRules::cost(column<QString>("entry")), "cost"); }

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

QTEST_GUILESS_MAIN(TestAccounting)
#include "tst_accounting.moc"
