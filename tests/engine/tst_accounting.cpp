#include "controls/DotsRating.h"
#include "engine/PointAccounting.h"
#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"
#include "engine/RulesSettings.h"

#include <QtTest>
#include <limits>

using namespace PointAccounting;

Q_DECLARE_METATYPE(FreebieCostInput)
Q_DECLARE_METATYPE(RulesPresets::PresetMatch)

namespace {

std::vector<int> toVector(const QList<int>& list)
{
    return {list.begin(), list.end()};
}

// The freebie dots the rating controls end up showing.
QList<int> shown(const std::vector<int>& raw, const QList<int>& ratings, int minDots)
{
    QList<int> result;
    for (int i = 0; i < ratings.size(); ++i)
        result.append(clampFreebies(raw[i], ratings[i], minDots));
    return result;
}

RulesBoxTexts presetByName(const QString& name)
{
    if (name == QLatin1String("Sabbat"))
        return RulesPresets::Sabbat();
    if (name == QLatin1String("Elder"))
        return RulesPresets::Elder();
    return RulesPresets::Camarilla();
}

QString* boxByName(RulesBoxTexts& boxes, const QString& name)
{
    const QHash<QString, QString RulesBoxTexts::*> members{
        {"AttPriEdit", &RulesBoxTexts::AttPriEdit},
        {"FreebiesEdit", &RulesBoxTexts::FreebiesEdit},
        {"VirtueNamesEdit", &RulesBoxTexts::VirtueNamesEdit},
        {"MaxHumanityEdit", &RulesBoxTexts::MaxHumanityEdit},
        {"BackgroundEdit", &RulesBoxTexts::BackgroundEdit},
    };
    return members.contains(name) ? &(boxes.*members.value(name)) : nullptr;
}

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

} // namespace

class TestAccounting : public QObject
{
    Q_OBJECT
private slots:
    void settingValueFallsBack_data();
    void settingValueFallsBack();
    void initialBoxesReadAsInitialSettings();
    void boxesWithoutNumbersUseFallbacks();
    void presetBoxesAreRead();
    void presetCaptions_data();
    void presetCaptions();

    void newCharacterTallies();
    void attributeAndVirtueGroups_data();
    void attributeAndVirtueGroups();
    void abilityColumns_data();
    void abilityColumns();
    void disciplineRows_data();
    void disciplineRows();
    void backgroundRows_data();
    void backgroundRows();
    void freebieBalance_data();
    void freebieBalance();

    void derangements_data();
    void derangements();
    void storedFreebies_data();
    void storedFreebies();
    void clampMatchesRatingControl();
    void shortestDecimal_data();
    void shortestDecimal();
};

void TestAccounting::settingValueFallsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fallback");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "8" << 7 << 8;
    QTest::newRow("zero") << "0" << 5 << 0;
    QTest::newRow("negative") << "-2" << 5 << -2;
    QTest::newRow("blanks around") << " 12 " << 13 << 12;
    QTest::newRow("letter") << "x" << 7 << 7;
    QTest::newRow("empty") << "" << 3 << 3;
    QTest::newRow("Unlimited") << "Unlimited" << 999 << 999;
    QTest::newRow("fraction") << "3.5" << 3 << 3;
    QTest::newRow("trailing letters") << "12abc" << 13 << 13;
    QTest::newRow("too large") << "99999999999" << 15 << 15;
}

void TestAccounting::settingValueFallsBack()
{
    QFETCH(QString, text);
    QFETCH(int, fallback);
    QFETCH(int, value);
    QCOMPARE(settingValue(text, fallback), value);
}

void TestAccounting::initialBoxesReadAsInitialSettings()
{
    RulesSettings settings;
    readRulesBoxes(RulesBoxTexts{}, settings);
    QCOMPARE(settings, RulesSettings{});
    QCOMPARE(settings.MaxHumanity, 999); // "Unlimited"
}

void TestAccounting::boxesWithoutNumbersUseFallbacks()
{
    RulesBoxTexts boxes;
    for (QString* box :
         {&boxes.AttPriEdit, &boxes.AttSecEdit, &boxes.AttTerEdit, &boxes.AbPriEdit,
          &boxes.AbSecEdit, &boxes.AbTerEdit, &boxes.DisciplineEdit, &boxes.BackgroundEdit,
          &boxes.VirtueEdit, &boxes.StartingGenerationEdit, &boxes.MaxPrimaryEdit,
          &boxes.MaxSecondaryEdit, &boxes.MaxHumanityEdit, &boxes.FreebiesEdit})
        *box = QStringLiteral("x");

    RulesSettings settings;
    settings.AttributePriorities = {1, 1, 1};
    settings.ElderRules = true;
    settings.SecondaryCostFactor = 1.0f;
    readRulesBoxes(boxes, settings);

    QCOMPARE(settings.AttributePriorities, (RulesSettings::Priorities{7, 5, 3}));
    QCOMPARE(settings.AbilityPriorities, (RulesSettings::Priorities{13, 9, 5}));
    QCOMPARE(settings.DisciplinePoints, 3);
    QCOMPARE(settings.BackgroundPoints, 5);
    QCOMPARE(settings.VirtuePoints, 7);
    QCOMPARE(settings.MaxAbilityRating, 999);
    QCOMPARE(settings.MaxSecondaryRating, 999);
    QCOMPARE(settings.MaxHumanity, 999);
    QCOMPARE(settings.FreebiePoints, 15);
    QCOMPARE(settings.StartingGeneration, 13);
    // Options without a box are the caller's.
    QVERIFY(settings.ElderRules);
    QCOMPARE(settings.SecondaryCostFactor, 1.0f);

    // The user sees the fallbacks in the tallies.
    QCOMPARE(traitGroup({1, 1, 1}, settings.AttributePriorities.ValueFirst).tally, "(0/7)");
    QCOMPARE(freebieCost({.FreebiePoints = settings.FreebiePoints}).tally, "0/15");
}

void TestAccounting::presetBoxesAreRead()
{
    RulesSettings settings;
    readRulesBoxes(RulesPresets::Elder(), settings);
    QCOMPARE(settings.AttributePriorities, (RulesSettings::Priorities{10, 7, 5}));
    QCOMPARE(settings.AbilityPriorities, (RulesSettings::Priorities{20, 12, 8}));
    QCOMPARE(settings.DisciplinePoints, 10);
    QCOMPARE(settings.BackgroundPoints, 15);
    QCOMPARE(settings.FreebiePoints, 20);
    QCOMPARE(settings.StartingGeneration, 10);

    readRulesBoxes(RulesPresets::Sabbat(), settings);
    QCOMPARE(settings.BackgroundPoints, 0);
    QCOMPARE(settings.MaxHumanity, 5);
    QCOMPARE(settings.VirtueNames, "Sabbat (Callousness, Instincts & Morale)");
}

void TestAccounting::presetCaptions_data()
{
    using RulesPresets::PresetMatch;
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("elderRules");
    QTest::addColumn<PresetMatch>("red");
    const PresetMatch none;
    const PresetMatch camarilla{.Camarilla = true};
    const PresetMatch sabbat{.Sabbat = true};
    const PresetMatch elder{.Elder = true};
    QTest::newRow("new sheet") << "Camarilla"
                               << ""
                               << "" << false << camarilla;
    QTest::newRow("8 typed into AttPriEdit") << "Camarilla"
                                             << "AttPriEdit"
                                             << "8" << false << none;
    QTest::newRow("7 typed again") << "Camarilla"
                                   << "AttPriEdit"
                                   << "7" << false << camarilla;
    QTest::newRow("7 with a blank") << "Camarilla"
                                    << "AttPriEdit"
                                    << "7 " << false << none;
    QTest::newRow("999 is not Unlimited") << "Camarilla"
                                          << "MaxHumanityEdit"
                                          << "999" << false << none;
    QTest::newRow("Camarilla ignores elder rules") << "Camarilla"
                                                   << ""
                                                   << "" << true << camarilla;
    QTest::newRow("Sabbat") << "Sabbat"
                            << ""
                            << "" << false << sabbat;
    QTest::newRow("Sabbat with background points") << "Sabbat"
                                                   << "BackgroundEdit"
                                                   << "5" << false << none;
    QTest::newRow("Sabbat with human virtues")
        << "Sabbat"
        << "VirtueNamesEdit"
        << "Human (Conscience, Self-Control & Courage)" << false << none;
    QTest::newRow("Elder") << "Elder"
                           << ""
                           << "" << true << elder;
    QTest::newRow("Elder without elder rules") << "Elder"
                                               << ""
                                               << "" << false << none;
    QTest::newRow("Elder ignores the virtue set")
        << "Elder"
        << "VirtueNamesEdit"
        << "Sabbat (Callousness, Instincts & Morale)" << true << elder;
    QTest::newRow("Elder with 15 freebies") << "Elder"
                                            << "FreebiesEdit"
                                            << "15" << true << none;
}

void TestAccounting::presetCaptions()
{
    QFETCH(QString, preset);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(bool, elderRules);
    QFETCH(RulesPresets::PresetMatch, red);
    RulesBoxTexts boxes = presetByName(preset);
    if (!box.isEmpty()) {
        QString* edited = boxByName(boxes, box);
        QVERIFY(edited);
        *edited = text;
    }
    const RulesPresets::PresetMatch match = RulesPresets::matchingPresets(boxes, elderRules);
    QCOMPARE(match.Camarilla, red.Camarilla);
    QCOMPARE(match.Sabbat, red.Sabbat);
    QCOMPARE(match.Elder, red.Elder);
}

void TestAccounting::newCharacterTallies()
{
    const RulesSettings settings;
    const auto& att = settings.AttributePriorities;
    QCOMPARE(traitGroup({1, 1, 1}, att.ValueFirst).tally, "(0/7)");
    QCOMPARE(traitGroup({1, 1, 1}, att.ValueSecond).tally, "(0/5)");
    QCOMPARE(traitGroup({1, 1, 1}, att.ValueThird).tally, "(0/3)");
    QCOMPARE(traitGroup({1, 1, 1}, settings.VirtuePoints).tally, "(0/7)");

    const auto& ab = settings.AbilityPriorities;
    QStringList abilityTallies;
    for (int allowance : {ab.ValueFirst, ab.ValueSecond, ab.ValueThird})
        abilityTallies << abilityColumn({.primaryRatings = std::vector<int>(10, 0),
                                         .secondaryRatings = {0},
                                         .allowance = allowance})
                              .tally;
    QCOMPARE(abilityTallies, (QStringList{"(0/13)", "(0/9)", "(0/5)"}));

    QCOMPARE(disciplines({0, 0, 0, 0}, disciplineRules(settings)).tally, "(0/3)");
    QCOMPARE(backgrounds({0}, settings.BackgroundPoints).tally, "(0/5)");
    QCOMPARE(freebieCost({}).tally, "0/15");
}

void TestAccounting::attributeAndVirtueGroups_data()
{
    QTest::addColumn<QList<int>>("ratings");
    QTest::addColumn<int>("allowance");
    QTest::addColumn<bool>("virtues");
    QTest::addColumn<QList<int>>("redDots");
    QTest::addColumn<QString>("tally");
    QTest::addColumn<QString>("freebieTally");
    using L = QList<int>;
    QTest::newRow("5 4 1 fills Physical 7") << L{5, 4, 1} << 7 << false << L{0, 0, 0} << "(7/7)"
                                            << "0/15";
    QTest::newRow("Stamina raised to 2") << L{5, 4, 2} << 7 << false << L{0, 0, 1} << "(8/7)"
                                         << "5/15";
    QTest::newRow("over the allowance, not clamped")
        << L{5, 5, 2} << 7 << false << L{0, 1, 1} << "(9/7)"
        << "10/15";
    QTest::newRow("first attribute over, later ones free")
        << L{5, 1, 1} << 3 << false << L{1, 0, 0} << "(4/3)"
        << "5/15";
    QTest::newRow("all at 5 on tertiary") << L{5, 5, 5} << 3 << false << L{1, 4, 4} << "(12/3)"
                                          << "45/15";
    QTest::newRow("no allowance at all")
        << L{2, 2, 2} << intMin << false << L{1, 1, 1} << "(3/-2147483648)"
        << "15/15";
    QTest::newRow("endless allowance")
        << L{5, 5, 5} << intMax << false << L{0, 0, 0} << "(12/2147483647)"
        << "0/15";
    QTest::newRow("virtues 3 3 3") << L{3, 3, 3} << 7 << true << L{0, 0, 0} << "(6/7)"
                                   << "0/15";
    QTest::newRow("virtues one over") << L{5, 5, 1} << 7 << true << L{0, 1, 0} << "(8/7)"
                                      << "2/15";
    QTest::newRow("Sabbat virtues 5") << L{3, 3, 3} << 5 << true << L{0, 0, 1} << "(6/5)"
                                      << "2/15";
}

void TestAccounting::attributeAndVirtueGroups()
{
    QFETCH(QList<int>, ratings);
    QFETCH(int, allowance);
    QFETCH(bool, virtues);
    QFETCH(QList<int>, redDots);
    QFETCH(QString, tally);
    QFETCH(QString, freebieTally);
    const TraitGroupResult result =
        PointAccounting::traitGroup({ratings[0], ratings[1], ratings[2]}, allowance);
    const QList<int> dots = shown({result.freebies.begin(), result.freebies.end()}, ratings, 1);
    QCOMPARE(dots, redDots);
    QCOMPARE(result.tally, tally);

    FreebieCostInput cost;
    (virtues ? cost.virtueFreebies : cost.attributeFreebies) = toVector(dots);
    QCOMPARE(freebieCost(cost).tally, freebieTally);
}

void TestAccounting::abilityColumns_data()
{
    QTest::addColumn<QList<int>>("primary");
    QTest::addColumn<QList<int>>("secondary");
    QTest::addColumn<int>("allowance");
    QTest::addColumn<int>("penalty");
    QTest::addColumn<int>("maxAbility");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QList<int>>("redDots"); // primary rows, then secondary rows
    QTest::addColumn<QString>("tally");
    QTest::addColumn<QString>("freebieTally");
    using L = QList<int>;
    QTest::newRow("talent at 4 above the limit")
        << L{4, 0} << L{0} << 13 << 0 << 3 << 0.5f << L{1, 0, 0} << "(3/13)"
        << "2/15";
    QTest::newRow("talent at 4 without a limit")
        << L{4, 0} << L{0} << 13 << 0 << 999 << 0.5f << L{0, 0, 0} << "(4/13)"
        << "0/15";
    QTest::newRow("allowance used in order")
        << L{3, 3, 3, 3, 2} << L{} << 13 << 0 << 3 << 0.5f << L{0, 0, 0, 0, 1} << "(14/13)"
        << "2/15";
    QTest::newRow("half cost, 1 point left")
        << L{3, 3, 3, 3} << L{2} << 13 << 0 << 3 << 0.5f << L{0, 0, 0, 0, 0} << "(13/13)"
        << "0/15";
    QTest::newRow("normal cost, 1 point left")
        << L{3, 3, 3, 3} << L{2} << 13 << 0 << 3 << 1.0f << L{0, 0, 0, 0, 1} << "(14/13)"
        << "2/15";
    QTest::newRow("half point left")
        << L{3, 3, 3, 3} << L{1, 2} << 13 << 0 << 3 << 0.5f << L{0, 0, 0, 0, 0, 1} << "(13.5/13)"
        << "1/15";
    QTest::newRow("exhausted allowance marks every dot")
        << L{3, 3, 3, 3, 3} << L{2} << 13 << 0 << 3 << 0.5f << L{0, 0, 0, 0, 2, 2} << "(16/13)"
        << "6/15";
    QTest::newRow("one secondary dot is half a point")
        << L{0} << L{1} << 9 << 0 << 3 << 0.5f << L{0, 0} << "(0.5/9)"
        << "0/15";
    QTest::newRow("secondary above its limit")
        << L{0} << L{4} << 5 << 0 << 3 << 0.5f << L{0, 1} << "(1.5/5)"
        << "1/15";
    QTest::newRow("Inept takes five, rest fits")
        << L{3, 3, 2} << L{} << 13 << 5 << 3 << 0.5f << L{0, 0, 0} << "(8/8)"
        << "0/15";
    QTest::newRow("Inept takes five, one over")
        << L{3, 3, 3} << L{} << 13 << 5 << 3 << 0.5f << L{0, 0, 1} << "(9/8)"
        << "2/15";
    QTest::newRow("penalty eats a tertiary column")
        << L{1} << L{1} << 5 << 5 << 3 << 0.5f << L{1, 1} << "(1.5/0)"
        << "3/15";
    QTest::newRow("zero cost factor") << L{0} << L{4} << 13 << 0 << 3 << 0.0f << L{0, 1} << "(0/13)"
                                      << "0/15";
}

void TestAccounting::abilityColumns()
{
    QFETCH(QList<int>, primary);
    QFETCH(QList<int>, secondary);
    QFETCH(int, allowance);
    QFETCH(int, penalty);
    QFETCH(int, maxAbility);
    QFETCH(float, factor);
    QFETCH(QList<int>, redDots);
    QFETCH(QString, tally);
    QFETCH(QString, freebieTally);
    const AbilityColumnResult result = PointAccounting::abilityColumn({
        .primaryRatings = toVector(primary),
        .secondaryRatings = toVector(secondary),
        .allowance = allowance,
        .penalty = penalty,
        .MaxAbilityRating = maxAbility,
        .MaxSecondaryRating = 3,
        .SecondaryCostFactor = factor,
    });
    const QList<int> primaryDots = shown(result.primaryFreebies, primary, 0);
    const QList<int> secondaryDots = shown(result.secondaryFreebies, secondary, 0);
    QCOMPARE(primaryDots + secondaryDots, redDots);
    QCOMPARE(result.tally, tally);

    const FreebieCostInput cost{.abilityFreebies = toVector(primaryDots),
                                .secondaryFreebies = toVector(secondaryDots),
                                .SecondaryCostFactor = factor};
    QCOMPARE(freebieCost(cost).tally, freebieTally);
}

void TestAccounting::disciplineRows_data()
{
    QTest::addColumn<QList<int>>("ratings");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("elder");
    QTest::addColumn<bool>("dirtySecrets");
    QTest::addColumn<bool>("elysium");
    QTest::addColumn<QList<int>>("redDots");
    QTest::addColumn<QString>("tally");
    QTest::addColumn<QString>("freebieTally");
    using L = QList<int>;
    QTest::newRow("three clan dots")
        << L{1, 1, 1, 0} << 3 << false << true << true << L{0, 0, 0, 0} << "(3/3)"
        << "0/15";
    QTest::newRow("clan excess on the later rows")
        << L{2, 2, 1, 0} << 3 << false << true << true << L{0, 1, 1, 0} << "(3/3)"
        << "14/15";
    QTest::newRow("fourth row at 2 without elder rules")
        << L{0, 0, 0, 2} << 3 << false << true << true << L{0, 0, 0, 2} << "(0/3)"
        << "14/15";
    QTest::newRow("discipline rules need elder rules")
        << L{3, 2, 4, 3} << 10 << false << true << true << L{0, 0, 0, 3} << "(9/10)"
        << "21/15";
    QTest::newRow("elder rules alone share the allowance")
        << L{0, 0, 0, 2} << 3 << true << false << false << L{0, 0, 0, 0} << "(2/3)"
        << "0/15";
    QTest::newRow("Dirty Secrets, allowance used up")
        << L{3, 2, 4, 3} << 10 << true << true << false << L{0, 0, 0, 2} << "(10/10)"
        << "14/15";
    QTest::newRow("Dirty Secrets, allowance left")
        << L{3, 2, 4, 3} << 20 << true << true << false << L{0, 0, 0, 1} << "(11/20)"
        << "7/15";
    QTest::newRow("Dirty Secrets with Elysium")
        << L{3, 2, 4, 3} << 20 << true << true << true << L{0, 0, 0, 1} << "(11/20)"
        << "7/15";
    QTest::newRow("Elysium halves the allowance")
        << L{1, 1, 1, 4, 3} << 10 << true << false << true << L{0, 0, 0, 0, 2} << "(8/10)"
        << "14/15";
    QTest::newRow("Elysium with an odd allowance")
        << L{0, 0, 0, 4} << 7 << true << false << true << L{0, 0, 0, 1} << "(3/7)"
        << "7/15";
    QTest::newRow("both rules over the allowance")
        << L{3, 3, 3, 3, 3} << 10 << true << true << true << L{0, 0, 0, 2, 3} << "(10/10)"
        << "35/15";
    QTest::newRow("non-clan below the lowest clan discipline")
        << L{3, 3, 3, 1, 1, 1} << 12 << true << true << true << L{0, 0, 0, 0, 0, 0} << "(12/12)"
        << "0/15";
    QTest::newRow("non-clan below the lowest, Dirty Secrets only")
        << L{3, 3, 3, 1, 1, 1} << 12 << true << true << false << L{0, 0, 0, 0, 0, 0} << "(12/12)"
        << "0/15";
}

void TestAccounting::disciplineRows()
{
    QFETCH(QList<int>, ratings);
    QFETCH(int, points);
    QFETCH(bool, elder);
    QFETCH(bool, dirtySecrets);
    QFETCH(bool, elysium);
    QFETCH(QList<int>, redDots);
    QFETCH(QString, tally);
    QFETCH(QString, freebieTally);
    const DisciplineResult result =
        PointAccounting::disciplines(toVector(ratings), {points, elder, dirtySecrets, elysium});
    const QList<int> dots = shown(result.freebies, ratings, 0);
    QCOMPARE(dots, redDots);
    QCOMPARE(result.tally, tally);
    QCOMPARE(disciplineTally(toVector(ratings), toVector(dots), points), tally);
    QCOMPARE(freebieCost({.disciplineFreebies = toVector(dots), .ElderRules = elder}).tally,
             freebieTally);
}

void TestAccounting::backgroundRows_data()
{
    QTest::addColumn<QList<int>>("ratings");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("points");
    QTest::addColumn<QList<int>>("redDots");
    QTest::addColumn<QString>("tally");
    QTest::addColumn<QString>("freebieTally");
    using L = QList<int>;
    QTest::newRow("five in one row")
        << L{5, 0} << QStringList{"Resources", "..."} << 5 << L{0, 0} << "(5/5)"
        << "0/15";
    QTest::newRow("one over") << L{3, 3} << QStringList{"Resources", "Allies"} << 5 << L{0, 1}
                              << "(6/5)"
                              << "1/15";
    QTest::newRow("Age costs 4, dots stripped")
        << L{3, 3} << QStringList{"Resources", "Age......."} << 5 << L{0, 1} << "(6/5)"
        << "4/15";
    QTest::newRow("Elder Status costs 4")
        << L{5, 2} << QStringList{"Allies", "Elder Status"} << 5 << L{0, 2} << "(7/5)"
        << "8/15";
    QTest::newRow("Elder Generation costs 4")
        << L{5, 1} << QStringList{"Allies", "Elder Generation"} << 5 << L{0, 1} << "(6/5)"
        << "4/15";
    QTest::newRow("names compared with case")
        << L{5, 1} << QStringList{"Allies", "age"} << 5 << L{0, 1} << "(6/5)"
        << "1/15";
    QTest::newRow("Sabbat has no background points")
        << L{1} << QStringList{"Herd"} << 0 << L{1} << "(1/0)"
        << "1/15";
}

void TestAccounting::backgroundRows()
{
    QFETCH(QList<int>, ratings);
    QFETCH(QStringList, names);
    QFETCH(int, points);
    QFETCH(QList<int>, redDots);
    QFETCH(QString, tally);
    QFETCH(QString, freebieTally);
    const BackgroundResult result = PointAccounting::backgrounds(toVector(ratings), points);
    const QList<int> dots = shown(result.freebies, ratings, 0);
    QCOMPARE(dots, redDots);
    QCOMPARE(result.tally, tally);

    FreebieCostInput cost;
    for (int i = 0; i < names.size(); ++i)
        cost.backgroundFreebies.push_back({names[i], dots[i]});
    QCOMPARE(freebieCost(cost).tally, freebieTally);
}

void TestAccounting::freebieBalance_data()
{
    QTest::addColumn<FreebieCostInput>("input");
    QTest::addColumn<QString>("tally");
    QTest::addColumn<int>("boughtHumanity");
    QTest::newRow("virtue dot") << FreebieCostInput{.virtueFreebies = {0, 1, 0}} << "2/15" << 0;
    QTest::newRow("elder virtue dot")
        << FreebieCostInput{.virtueFreebies = {0, 1, 0}, .ElderRules = true} << "4/15" << 0;
    QTest::newRow("two bought Humanity dots")
        << FreebieCostInput{.BoughtHumanity = 2} << "2/15" << 2;
    QTest::newRow("elder Humanity")
        << FreebieCostInput{.BoughtHumanity = 2, .ElderRules = true} << "10/15" << 2;
    QTest::newRow("Willpower dot") << FreebieCostInput{.willpowerFreebies = 1} << "2/15" << 0;
    QTest::newRow("elder Willpower dot")
        << FreebieCostInput{.willpowerFreebies = 1, .ElderRules = true} << "5/15" << 0;
    QTest::newRow("elder rules keep the other costs")
        << FreebieCostInput{.attributeFreebies = {1},
                            .abilityFreebies = {1},
                            .secondaryFreebies = {1},
                            .disciplineFreebies = {1},
                            .backgroundFreebies = {{"Allies", 1}},
                            .ElderRules = true}
        << "16/15" << 0;
    QTest::newRow("merits spend, flaws give")
        << FreebieCostInput{.MeritPoints = 3, .FlawPoints = 4} << "3/19" << 0;
    QTest::newRow("Age bonus") << FreebieCostInput{.AgeFreebieBonus = 30} << "0/45" << 0;
    QTest::newRow("elder preset freebies") << FreebieCostInput{.FreebiePoints = 20} << "0/20" << 0;
    QTest::newRow("overspending shows as is")
        << FreebieCostInput{.attributeFreebies = {4, 4}} << "40/15" << 0;
    QTest::newRow("Humanity beyond 10 is given back")
        << FreebieCostInput{.BoughtHumanity = 3, .Conscience = 5, .SelfControl = 5} << "0/15" << 0;
    QTest::newRow("Humanity capped with an Age penalty")
        << FreebieCostInput{.BoughtHumanity = 5,
                            .Conscience = 4,
                            .SelfControl = 5,
                            .AgeHumanityPenalty = -2}
        << "3/15" << 3;
    QTest::newRow("Humanity of exactly 10 is kept")
        << FreebieCostInput{.BoughtHumanity = 2, .Conscience = 4, .SelfControl = 4} << "2/15" << 2;
    QTest::newRow("an empty control buys nothing") << FreebieCostInput{.attributeFreebies = {-1},
                                                                       .virtueFreebies = {-1},
                                                                       .BoughtHumanity = -2,
                                                                       .willpowerFreebies = -1}
                                                   << "0/15" << -2;
}

void TestAccounting::freebieBalance()
{
    QFETCH(FreebieCostInput, input);
    QFETCH(QString, tally);
    QFETCH(int, boughtHumanity);
    const FreebieCostResult result = PointAccounting::freebieCost(input);
    QCOMPARE(result.tally, tally);
    QCOMPARE(result.BoughtHumanity, boughtHumanity);
}

void TestAccounting::derangements_data()
{
    QTest::addColumn<QList<int>>("ratings");
    QTest::addColumn<bool>("elder");
    QTest::addColumn<QString>("warning");
    using L = QList<int>;
    QTest::newRow("nothing above 5") << L{5, 5, 3, 1} << true << "";
    QTest::newRow("one trait") << L{6, 1} << true << "Elder character should have 1 derangement";
    QTest::newRow("two traits") << L{6, 5, 7} << true
                                << "Elder character should have 2 derangements";
    QTest::newRow("ten traits") << L(10, 10) << true
                                << "Elder character should have 10 derangements";
    QTest::newRow("hidden without elder rules") << L{6, 7} << false << "";
}

void TestAccounting::derangements()
{
    QFETCH(QList<int>, ratings);
    QFETCH(bool, elder);
    QFETCH(QString, warning);
    QCOMPARE(PointAccounting::derangementWarning(toVector(ratings), elder), warning);
}

void TestAccounting::storedFreebies_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("minDots");
    QTest::addColumn<int>("stored");
    QTest::newRow("lowest dot stays free") << 3 << 3 << 1 << 2;
    QTest::newRow("every dot may be bought") << 3 << 3 << 0 << 3;
    QTest::newRow("empty control with a free dot") << 0 << 0 << 1 << -1;
    QTest::newRow("more than the rating") << 5 << 2 << 0 << 2;
    QTest::newRow("above the rating with a free dot") << 4 << 3 << 1 << 2;
    QTest::newRow("negative") << -4 << 2 << 0 << 0;
    QTest::newRow("within range") << 1 << 3 << 1 << 1;
}

void TestAccounting::storedFreebies()
{
    QFETCH(int, value);
    QFETCH(int, filled);
    QFETCH(int, minDots);
    QFETCH(int, stored);
    QCOMPARE(PointAccounting::clampFreebies(value, filled, minDots), stored);
}

void TestAccounting::clampMatchesRatingControl()
{
    for (int minDots : {0, 1, 2})
        for (int filled = 0; filled <= 10; ++filled)
            for (int value = -3; value <= 13; ++value) {
                DotsRating control;
                control.setMaxDots(10);
                control.setMinDots(minDots);
                control.setFilled(filled);
                control.setFreebies(value);
                QCOMPARE(PointAccounting::clampFreebies(value, filled, minDots),
                         control.Freebies());
            }
}

void TestAccounting::shortestDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 6.5 << "6.5";
    QTest::newRow("whole") << 7.0 << "7";
    QTest::newRow("negative half") << -1.5 << "-1.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("quarter") << 0.25 << "0.25";
    QTest::newRow("large") << 1234567.5 << "1234567.5";
}

void TestAccounting::shortestDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PointAccounting::realText(value), text);
}

QTEST_GUILESS_MAIN(TestAccounting)
#include "tst_accounting.moc"
