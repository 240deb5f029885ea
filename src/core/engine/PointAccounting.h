#pragma once

#include <QString>
#include <array>
#include <vector>

struct RulesSettings;

// How many dots of each rated trait the creation allowances cover and what the rest costs
// in freebie points. The functions return freebie dots as the formulas give them, which
// may be negative or above the rating; clampFreebies() gives what a rating control then
// stores and shows. Tally texts are never clamped.
namespace PointAccounting {

// What a rating control stores when v is written as its freebie dots: v kept within
// 0 ... filled, and one less when that covers every dot of a control whose lowest dot
// is always free (minDots 1). An empty such control stores -1, which shows no dots.
int clampFreebies(int value, int filled, int minDots);

// A real tally in its shortest decimal form: 6.5 -> "6.5", 7.0 -> "7".
QString realText(double value);

// Three ratings (an attribute group or the virtues) against one allowance; each rating's
// first dot is free and the allowance is used up in order.
struct TraitGroupResult
{
    std::array<int, 3> freebies{};
    QString tally; // "(" + spent + "/" + allowance + ")"
};
TraitGroupResult traitGroup(const std::array<int, 3>& ratings, int allowance);

// One ability column (Talents, Skills or Knowledges) with its secondary column.
struct AbilityColumnInput
{
    std::vector<int> primaryRatings{};
    std::vector<int> secondaryRatings{};
    int allowance = 0;
    int penalty = 0; // a flaw's penalty, taken from the allowance first
    int MaxAbilityRating = 3;
    int MaxSecondaryRating = 3;
    float SecondaryCostFactor = 0.5f;
};
struct AbilityColumnResult
{
    std::vector<int> primaryFreebies{};
    std::vector<int> secondaryFreebies{};
    double spent = 0; // allowance points used, the penalty included
    QString tally;    // "(" + (spent - penalty) + "/" + (allowance - penalty) + ")"
};
AbilityColumnResult abilityColumn(const AbilityColumnInput& column);

// The discipline rows; rows 0 to 2 are the clan disciplines.
struct DisciplineRules
{
    int DisciplinePoints = 3;
    bool ElderRules = false;
    bool DirtySecretsRule = true;
    bool ElysiumRule = true;
};
DisciplineRules disciplineRules(const RulesSettings& settings);

struct DisciplineResult
{
    std::vector<int> freebies{};
    // Dots of each row that the elder rules make the player buy whatever allowance is
    // left; all zero without them.
    std::vector<int> ForcedFreebies{};
    QString tally; // from the freebie dots the rows show, see disciplineTally()
};
DisciplineResult disciplines(const std::vector<int>& ratings, const DisciplineRules& rules);

// "(" + free dots in use + "/" + DisciplinePoints + ")", from the freebie dots as the
// rating controls hold them.
QString disciplineTally(const std::vector<int>& ratings, const std::vector<int>& shownFreebies,
                        int DisciplinePoints);

struct BackgroundResult
{
    std::vector<int> freebies{};
    QString tally; // "(" + sum of ratings + "/" + BackgroundPoints + ")"
};
BackgroundResult backgrounds(const std::vector<int>& ratings, int BackgroundPoints);

// A background row's name (dotted placeholder allowed) with its shown freebie dots.
struct BackgroundDots
{
    QString name;
    int freebies = 0;
};

// The freebie dots every rating control shows, and the counters the cost depends on.
struct FreebieCostInput
{
    std::vector<int> attributeFreebies{};
    std::vector<int> abilityFreebies{};
    std::vector<int> secondaryFreebies{};
    std::vector<int> disciplineFreebies{};
    std::vector<BackgroundDots> backgroundFreebies{};
    std::vector<int> virtueFreebies{};
    int BoughtHumanity = 0;
    int willpowerFreebies = 0;
    int MeritPoints = 0;
    int FlawPoints = 0;
    int AgeFreebieBonus = 0;
    int FreebiePoints = 15;
    float SecondaryCostFactor = 0.5f;
    bool ElderRules = false;
    int Conscience = 1;
    int SelfControl = 1;
    int AgeHumanityPenalty = 0;
};
struct FreebieCostResult
{
    qint64 spent = 0;
    qint64 available = 0;
    int BoughtHumanity = 0; // lowered so that Humanity stays within 10
    QString tally;          // spent + "/" + available
};
FreebieCostResult freebieCost(const FreebieCostInput& input);

// Freebie points one bought dot of each kind of trait costs.
struct DotCosts
{
    int attribute = 5;
    int ability = 2;
    int secondary = 1;
    int discipline = 7;
    int background = 1;
    int costlyBackground = 4; // "Age", "Elder Generation", "Elder Status"
    int virtue = 2;
    int humanity = 1;
    int willpower = 2;

    int backgroundDot(const QString& name) const;
};
DotCosts dotCosts(float SecondaryCostFactor, bool ElderRules);

// Traits rated above 5, each of which an elder should balance with a derangement.
int elderDerangements(const std::vector<int>& ratings);
// The derangement warning; empty while it is hidden (no such trait, or no elder rules).
QString derangementWarning(const std::vector<int>& ratings, bool ElderRules);

} // namespace PointAccounting
