#include "CharacterEditing.h"

#include "engine/CharacterPass.h"
#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "rules/DataFile.h"
#include "engine/RuleQuestions.h"
#include "engine/RulesPresets.h"
#include "engine/VirtueRules.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

namespace CharacterEditing {

bool humanitySet(Character& c, RuleQuestions& questions)
{
    const int chosen = c.humanity.rating;
    const int base = VirtueRules::humanityBase(c.virtues[0].rating, c.virtues[1].rating,
                                               c.counters.AgeHumanityPenalty);
    c.counters.BoughtHumanity = VirtueRules::bought(chosen, base);
    if (!VirtueRules::asksToDetachHumanity(chosen, base, c.settings.HumanityFromVirtues,
                                           c.settings.MaxHumanity))
        return false;
    if (questions.ask(QStringLiteral("Detach Humanity or Path from Virtues?"), QStringLiteral("Yes"),
                      QStringLiteral("No"))
        != 1)
        return false;
    c.settings.HumanityFromVirtues = false;
    return true;
}

bool willpowerSet(Character& c, RuleQuestions& questions)
{
    const int chosen = c.willpower.rating;
    const int courage = c.virtues[2].rating;
    c.counters.BoughtWillpower = VirtueRules::bought(chosen, courage);
    if (!VirtueRules::asksToDetachWillpower(chosen, courage, c.settings.WillpowerFromVirtues))
        return false;
    if (questions.ask(QStringLiteral("Detach Willpower from Virtues?"), QStringLiteral("Yes"),
                      QStringLiteral("No"))
        != 1)
        return false;
    c.settings.WillpowerFromVirtues = false;
    return true;
}

bool clanSet(Character& c, const RuleTables& tables)
{
    c.clanDisciplinesFixed = false;
    c.counters.ZeroAppearanceClan = false;
    const QString& clan = c.header[5];
    const qsizetype index = tables.clanIndex(clan);
    if (index < 0)
        return false;
    c.counters.CaitiffClan = ClanRules::isCaitiff(clan);
    c.counters.ZeroAppearanceClan = ClanRules::hasZeroAppearance(clan);
    if (c.counters.CaitiffClan)
        return false;
    std::vector<ClanRules::Discipline> current;
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        current.push_back({TextRoutines::StripDots(c.disciplines[r].name), c.disciplines[r].rating});
    const auto rebuilt = ClanRules::rebuiltDisciplines(
        current, {tables.ClanDiscipline1.value(index), tables.ClanDiscipline2.value(index),
                  tables.ClanDiscipline3.value(index)});
    const int count = int(std::min<std::size_t>(rebuilt.size(), SheetLayout::RowsPerGroup));
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        Character::Trait& row = c.disciplines[r];
        row.name = r < count ? rebuilt[r].name : QString();
        CharacterPass::setRating(row, r < count ? rebuilt[r].rating : 0);
        CharacterPass::setFreebies(row, 0);
    }
    c.rows.DisciplineRows = count;
    c.clanDisciplinesFixed = true;
    return true;
}

namespace {

using Trait = Character::Trait;

// A row's new highest rating: a rating above it is cut down, its freebie dots cleared.
void setMaxDots(Trait& trait, int maxDots)
{
    trait.maxDots = maxDots;
    trait.rating = std::min(trait.rating, maxDots);
    trait.freebies = 0;
}

void applyLimits(Character& c)
{
    const int limit = c.counters.MaxTraitRating;
    for (Trait& attribute : c.attributes)
        setMaxDots(attribute, limit);
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            setMaxDots(c.abilities[col][r], limit);
            setMaxDots(c.secondaries[col][r], limit);
        }
    for (Trait& background : c.backgrounds)
        setMaxDots(background, GenerationRules::backgroundMaxDots(TextRoutines::StripDots(background.name), limit));
    const int disciplineLimit = GenerationRules::disciplineMaxDots(limit, c.settings.GolcondaOn,
                                                                   c.settings.GolcondaChoice);
    for (Trait& discipline : c.disciplines)
        setMaxDots(discipline, disciplineLimit);
}

std::vector<GenerationRules::Background> backgroundsInUse(const Character& c)
{
    std::vector<GenerationRules::Background> rows;
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        rows.push_back({TextRoutines::StripDots(c.backgrounds[r].name), c.backgrounds[r].rating});
    return rows;
}

} // namespace

bool generationSet(Character& c, const RuleTables& tables)
{
    const int g = DataFile::leadingNumber(c.header[6]);
    if (g < GenerationRules::Lowest || g > GenerationRules::Highest)
        return false;
    if (g - 3 < tables.GenerationBloodPerTurn.size())
        c.bloodPerTurn = tables.GenerationBloodPerTurn[g - 3];
    c.bloodPoolBoxes = GenerationRules::bloodPoolBoxes(g);
    c.counters.MaxTraitRating =
        GenerationRules::maxTraitRating(g, c.settings.GolcondaOn, c.settings.GolcondaChoice);
    applyLimits(c);
    const auto change = GenerationRules::backgroundForGeneration(
        g, c.settings.StartingGeneration, c.settings.ElderRules, backgroundsInUse(c));
    if (change.row >= 0) {
        Trait& row = c.backgrounds[change.row];
        if (TextRoutines::StripDots(row.name) != change.name)
            row.name = change.name;
        row.maxDots = GenerationRules::backgroundMaxDots(change.name, c.counters.MaxTraitRating);
        CharacterPass::setRating(row, change.rating);
    }
    return true;
}

void raiseLimitsForLoading(Character& c)
{
    c.counters.MaxTraitRating = GenerationRules::maxTraitRating(GenerationRules::Lowest, false, 0);
    applyLimits(c);
}

void rulesChanged(Character& c, RuleTables& tables, bool& elderShown)
{
    RulesSettings& settings = c.settings;
    if (settings.ElderRules != elderShown) {
        const bool elder = settings.ElderRules;
        tables.renameGenerationBackground(elder);
        const QString from = elder ? QStringLiteral("Generation") : QStringLiteral("Elder Generation");
        const QString to = elder ? QStringLiteral("Elder Generation") : QStringLiteral("Generation");
        for (Trait& row : c.backgrounds)
            if (TextRoutines::StripDots(row.name) == from) {
                row.name = to;
                row.maxDots = GenerationRules::backgroundMaxDots(to, c.counters.MaxTraitRating);
            }
        elderShown = elder;
    }
    readRulesBoxes(c.rulesBoxes, settings);
    const std::array<std::pair<PriorityGrid*, RulesSettings::Priorities>, 2> grids = {{
        {&c.attributePriorities, settings.AttributePriorities},
        {&c.abilityPriorities, settings.AbilityPriorities},
    }};
    for (const auto& [grid, values] : grids) {
        const std::array<int, 3> wanted = {values.ValueFirst, values.ValueSecond, values.ValueThird};
        for (int rank = 0; rank < 3; ++rank)
            if (grid->value(rank) != wanted[rank])
                grid->setValue(rank, wanted[rank]);
    }
    c.virtueNames = VirtueRules::virtueNames(settings.VirtueNames);
    c.presets = RulesPresets::matchingPresets(c.rulesBoxes, settings.ElderRules);
}

void generationFromBackgrounds(Character& c, bool reset)
{
    const auto derived = GenerationRules::derive(DataFile::leadingNumber(c.header[6]),
                                                 c.settings.StartingGeneration, reset,
                                                 backgroundsInUse(c));
    c.counters.AgeFreebieBonus = derived.age.freebieBonus;
    c.counters.AgeHumanityPenalty = derived.age.humanityPenalty;
    c.header[6] = derived.text;
}

} // namespace CharacterEditing
