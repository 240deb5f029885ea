#include "engine/PointAccounting.h"

#include "engine/RulesSettings.h"
#include "rules/TextRoutines.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace PointAccounting {

namespace {

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

// Sums run in 64 bits so that absurd setting values cannot overflow; a result that
// still does not fit an int is held at the nearest end, which every control clamps anyway.
int saturated(qint64 value)
{
    return int(std::clamp<qint64>(value, intMin, intMax));
}

// Truncation toward zero that stays defined for any real (a zero cost factor gives
// infinities, 0/0 gives NaN).
int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(intMax))
        return intMax;
    if (value <= double(intMin))
        return intMin;
    return int(value);
}

int excessOver(int rating, int avail)
{
    return rating > avail ? saturated(qint64(rating) - avail) : 0;
}

QString tallyText(const QString& spent, qint64 allowance)
{
    return QLatin1Char('(') + spent + QLatin1Char('/') + QString::number(allowance) +
           QLatin1Char(')');
}

// Freebie dots below zero (an empty control whose lowest dot is free) buy nothing and
// must not earn points back.
qint64 bought(int dots)
{
    return std::max(dots, 0);
}

qint64 costOf(const std::vector<int>& dots, qint64 perDot)
{
    qint64 cost = 0;
    for (int d : dots)
        cost += bought(d) * perDot;
    return cost;
}

bool isCostlyBackground(const QString& name)
{
    return name == QLatin1String("Age") || name == QLatin1String("Elder Generation") ||
           name == QLatin1String("Elder Status");
}

} // namespace

int clampFreebies(int value, int filled, int minDots)
{
    if (value > filled)
        value = filled;
    if (value < 0)
        value = 0;
    if (value == filled && minDots >= 1)
        --value;
    return value;
}

QString realText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

TraitGroupResult traitGroup(const std::array<int, 3>& ratings, int allowance)
{
    TraitGroupResult result;
    qint64 sum = 0;
    for (int i = 0; i < 3; ++i) {
        sum += ratings[i];
        result.freebies[i] = saturated(sum - allowance - (i + 1));
    }
    result.tally = tallyText(QString::number(sum - 3), allowance);
    return result;
}

AbilityColumnResult abilityColumn(const AbilityColumnInput& column)
{
    AbilityColumnResult result;
    const double factor = column.SecondaryCostFactor;
    double spent = column.penalty;

    result.primaryFreebies.reserve(column.primaryRatings.size());
    for (int rating : column.primaryRatings) {
        const int avail = std::min(truncated(column.allowance - spent), column.MaxAbilityRating);
        result.primaryFreebies.push_back(excessOver(rating, avail));
        spent += std::min(rating, column.MaxAbilityRating);
    }

    // Secondary dots cost the factor each, so the points left buy 1/factor as many.
    result.secondaryFreebies.reserve(column.secondaryRatings.size());
    for (int rating : column.secondaryRatings) {
        const int avail =
            std::min(truncated((column.allowance - spent) / factor), column.MaxSecondaryRating);
        result.secondaryFreebies.push_back(excessOver(rating, avail));
        spent += std::min(rating, column.MaxSecondaryRating) * factor;
    }

    result.spent = spent;
    result.tally =
        tallyText(realText(spent - column.penalty), qint64(column.allowance) - column.penalty);
    return result;
}

DisciplineRules disciplineRules(const RulesSettings& settings)
{
    return {settings.DisciplinePoints, settings.ElderRules, settings.DirtySecretsRule,
            settings.ElysiumRule};
}

DisciplineResult disciplines(const std::vector<int>& ratings, const DisciplineRules& rules)
{
    const std::size_t rows = ratings.size();
    const qint64 points = rules.DisciplinePoints;
    DisciplineResult result;
    result.freebies.assign(rows, 0);
    std::vector<qint64> forced(rows, 0);

    if (!rules.ElderRules) {
        // The allowance can only go to the three clan disciplines.
        qint64 running = 0;
        for (std::size_t i = 0; i < rows; ++i) {
            if (i < 3) {
                running += ratings[i];
                result.freebies[i] = saturated(running - points);
            } else {
                result.freebies[i] = ratings[i];
            }
        }
    } else {
        if (rules.DirtySecretsRule && rows > 3) {
            const int lowestClan = std::min({ratings[0], ratings[1], ratings[2]});
            // A discipline below the lowest clan one has nothing to buy; counting it as
            // negative would inflate the free dots of every later row.
            for (std::size_t i = 3; i < rows; ++i)
                forced[i] = std::max<qint64>(0, qint64(ratings[i]) - lowestClan);
        }
        if (rules.ElysiumRule) {
            // Non-clan disciplines may take at most half of the allowance.
            const qint64 half = points / 2;
            qint64 nonClanFree = 0;
            for (std::size_t i = 3; i < rows; ++i) {
                nonClanFree += ratings[i] - forced[i];
                forced[i] = std::max(forced[i], nonClanFree - half);
            }
        }
        qint64 free = 0;
        for (std::size_t i = 0; i < rows; ++i) {
            free += ratings[i] - forced[i];
            result.freebies[i] = saturated(std::max(forced[i], free - points + forced[i]));
        }
    }

    result.ForcedFreebies.reserve(rows);
    std::vector<int> shown;
    shown.reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        result.ForcedFreebies.push_back(saturated(forced[i]));
        shown.push_back(clampFreebies(result.freebies[i], ratings[i], 0));
    }
    result.tally = disciplineTally(ratings, shown, rules.DisciplinePoints);
    return result;
}

QString disciplineTally(const std::vector<int>& ratings, const std::vector<int>& shownFreebies,
                        int DisciplinePoints)
{
    qint64 used = 0;
    for (std::size_t i = 0; i < ratings.size(); ++i)
        used += ratings[i] - (i < shownFreebies.size() ? shownFreebies[i] : 0);
    return tallyText(QString::number(used), DisciplinePoints);
}

BackgroundResult backgrounds(const std::vector<int>& ratings, int BackgroundPoints)
{
    BackgroundResult result;
    result.freebies.reserve(ratings.size());
    qint64 running = 0;
    for (int rating : ratings) {
        running += rating;
        result.freebies.push_back(saturated(running - BackgroundPoints));
    }
    result.tally = tallyText(QString::number(running), BackgroundPoints);
    return result;
}

int DotCosts::backgroundDot(const QString& name) const
{
    return isCostlyBackground(TextRoutines::StripDots(name)) ? costlyBackground : background;
}

DotCosts dotCosts(float SecondaryCostFactor, bool ElderRules)
{
    DotCosts costs;
    costs.secondary = truncated(2.0 * SecondaryCostFactor);
    if (ElderRules) {
        costs.virtue = 4;
        costs.humanity = 5;
        costs.willpower = 5;
    }
    return costs;
}

FreebieCostResult freebieCost(const FreebieCostInput& input)
{
    const DotCosts costs = dotCosts(input.SecondaryCostFactor, input.ElderRules);
    qint64 spent = input.MeritPoints;
    spent += costOf(input.attributeFreebies, costs.attribute);
    spent += costOf(input.abilityFreebies, costs.ability);
    spent += costOf(input.secondaryFreebies, costs.secondary);
    spent += costOf(input.disciplineFreebies, costs.discipline);
    for (const BackgroundDots& row : input.backgroundFreebies)
        spent += bought(row.freebies) * costs.backgroundDot(row.name);
    spent += costOf(input.virtueFreebies, costs.virtue);

    // Humanity never goes above 10, so dots bought beyond that are given back.
    const qint64 humanityBase =
        qint64(input.Conscience) + input.SelfControl + input.AgeHumanityPenalty;
    qint64 boughtHumanity = input.BoughtHumanity;
    if (humanityBase + boughtHumanity > 10)
        boughtHumanity = 10 - humanityBase;
    spent += std::max<qint64>(boughtHumanity, 0) * costs.humanity;
    spent += bought(input.willpowerFreebies) * costs.willpower;

    FreebieCostResult result;
    result.spent = spent;
    result.available = qint64(input.FreebiePoints) + input.FlawPoints + input.AgeFreebieBonus;
    result.BoughtHumanity = saturated(boughtHumanity);
    result.tally =
        QString::number(result.spent) + QLatin1Char('/') + QString::number(result.available);
    return result;
}

int elderDerangements(const std::vector<int>& ratings)
{
    return int(std::count_if(ratings.begin(), ratings.end(), [](int r) { return r > 5; }));
}

QString derangementWarning(const std::vector<int>& ratings, bool ElderRules)
{
    const int count = ElderRules ? elderDerangements(ratings) : 0;
    if (count <= 0)
        return {};
    return QStringLiteral("Elder character should have %1 derangement%2")
        .arg(count)
        .arg(count > 1 ? QStringLiteral("s") : QString());
}

} // namespace PointAccounting
