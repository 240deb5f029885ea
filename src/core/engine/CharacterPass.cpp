#include "CharacterPass.h"

#include "engine/CreationBaseline.h"
#include "engine/PointAccounting.h"
#include "engine/VirtueRules.h"
#include "rules/TextRoutines.h"

#include <algorithm>
#include <vector>

namespace CharacterPass {

namespace {

using Trait = Character::Trait;

std::vector<int> ratings(const Character::Rows& rows, int count)
{
    std::vector<int> values;
    values.reserve(count);
    for (int r = 0; r < count; ++r)
        values.push_back(rows[r].rating);
    return values;
}

void appearance(Character& c)
{
    c.appearanceCrossed = c.counters.ZeroAppearanceClan || c.counters.ZeroAppearanceFlaw;
    if (!c.appearanceCrossed)
        return;
    Trait& appearance = c.attributes[5];
    setRating(appearance, 1);
    setFreebies(appearance, 0);
}

void attributes(Character& c)
{
    for (int g = 0; g < 3; ++g) {
        const auto result = PointAccounting::traitGroup(
            {c.attributes[3 * g].rating, c.attributes[3 * g + 1].rating, c.attributes[3 * g + 2].rating},
            c.attributePriorities.category(g));
        for (int i = 0; i < 3; ++i)
            setFreebies(c.attributes[3 * g + i], result.freebies[i]);
        c.attributeTallies[g] = result.tally;
    }
}

void virtues(Character& c)
{
    const auto result = PointAccounting::traitGroup(
        {c.virtues[0].rating, c.virtues[1].rating, c.virtues[2].rating}, c.settings.VirtuePoints);
    for (int i = 0; i < 3; ++i)
        setFreebies(c.virtues[i], result.freebies[i]);
    c.virtueTally = result.tally;
}

void humanityAndWillpower(Character& c)
{
    VirtueRules::Input input;
    input.Conscience = c.virtues[0].rating;
    input.SelfControl = c.virtues[1].rating;
    input.Courage = c.virtues[2].rating;
    input.Humanity = c.humanity.rating;
    input.Willpower = c.willpower.rating;
    input.BoughtHumanity = c.counters.BoughtHumanity;
    input.BoughtWillpower = c.counters.BoughtWillpower;
    input.AgeHumanityPenalty = c.counters.AgeHumanityPenalty;
    input.MaxHumanity = c.settings.MaxHumanity;
    input.HumanityDots = c.humanity.maxDots;
    input.WillpowerDots = c.willpower.maxDots;
    input.path = c.path;
    input.HumanityFromVirtues = c.settings.HumanityFromVirtues;
    input.WillpowerFromVirtues = c.settings.WillpowerFromVirtues;
    const VirtueRules::Derived derived = VirtueRules::derive(input);
    c.counters.BoughtHumanity = derived.BoughtHumanity;
    c.counters.BoughtWillpower = derived.BoughtWillpower;
    setRating(c.humanity, derived.Humanity);
    setFreebies(c.humanity, derived.humanityFreebies);
    setRating(c.willpower, derived.Willpower);
    setFreebies(c.willpower, derived.willpowerFreebies);
}

void disciplines(Character& c)
{
    const int count = c.rows.DisciplineRows;
    const std::vector<int> values = ratings(c.disciplines, count);
    const auto result =
        PointAccounting::disciplines(values, PointAccounting::disciplineRules(c.settings));
    std::vector<int> shown;
    for (int r = 0; r < count; ++r) {
        setFreebies(c.disciplines[r], result.freebies[r]);
        shown.push_back(c.disciplines[r].freebies);
    }
    c.disciplineTally = PointAccounting::disciplineTally(values, shown, c.settings.DisciplinePoints);
}

void backgrounds(Character& c)
{
    const int count = c.rows.BackgroundRows;
    const auto result =
        PointAccounting::backgrounds(ratings(c.backgrounds, count), c.settings.BackgroundPoints);
    for (int r = 0; r < count; ++r)
        setFreebies(c.backgrounds[r], result.freebies[r]);
    c.backgroundTally = result.tally;
}

void abilities(Character& c)
{
    const std::array<int, 3> penalties = {c.counters.TalentPenalty, c.counters.SkillPenalty,
                                          c.counters.KnowledgePenalty};
    for (int col = 0; col < 3; ++col) {
        PointAccounting::AbilityColumnInput input;
        input.primaryRatings = ratings(c.abilities[col], c.rows.AbilityRows);
        input.secondaryRatings = ratings(c.secondaries[col], c.rows.SecondaryRows);
        input.allowance = c.abilityPriorities.category(col);
        input.penalty = penalties[col];
        input.MaxAbilityRating = c.settings.MaxAbilityRating;
        input.MaxSecondaryRating = c.settings.MaxSecondaryRating;
        input.SecondaryCostFactor = c.settings.SecondaryCostFactor;
        const auto result = PointAccounting::abilityColumn(input);
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            setFreebies(c.abilities[col][r], result.primaryFreebies[r]);
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            setFreebies(c.secondaries[col][r], result.secondaryFreebies[r]);
        c.abilityTallies[col] = result.tally;
    }
}

void freebies(Character& c)
{
    PointAccounting::FreebieCostInput input;
    for (const Trait& attribute : c.attributes)
        input.attributeFreebies.push_back(attribute.freebies);
    for (int col = 0; col < 3; ++col) {
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            input.abilityFreebies.push_back(c.abilities[col][r].freebies);
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            input.secondaryFreebies.push_back(c.secondaries[col][r].freebies);
    }
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        input.disciplineFreebies.push_back(c.disciplines[r].freebies);
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        input.backgroundFreebies.push_back({c.backgrounds[r].name, c.backgrounds[r].freebies});
    for (const Trait& virtue : c.virtues)
        input.virtueFreebies.push_back(virtue.freebies);
    input.BoughtHumanity = c.counters.BoughtHumanity;
    input.willpowerFreebies = c.willpower.freebies;
    input.MeritPoints = c.counters.MeritPoints;
    input.FlawPoints = c.counters.FlawPoints;
    input.AgeFreebieBonus = c.counters.AgeFreebieBonus;
    input.FreebiePoints = c.settings.FreebiePoints;
    input.SecondaryCostFactor = c.settings.SecondaryCostFactor;
    input.ElderRules = c.settings.ElderRules;
    input.Conscience = c.virtues[0].rating;
    input.SelfControl = c.virtues[1].rating;
    input.AgeHumanityPenalty = c.counters.AgeHumanityPenalty;
    const auto result = PointAccounting::freebieCost(input);
    c.counters.BoughtHumanity = result.BoughtHumanity;
    c.freebieTally = result.tally;
    c.overspent = result.spent > result.available;
}

void derangements(Character& c)
{
    std::vector<int> values;
    for (const Trait& attribute : c.attributes)
        values.push_back(attribute.rating);
    for (const Trait& virtue : c.virtues)
        values.push_back(virtue.rating);
    for (int col = 0; col < 3; ++col) {
        for (int v : ratings(c.abilities[col], c.rows.AbilityRows))
            values.push_back(v);
        for (int v : ratings(c.secondaries[col], c.rows.SecondaryRows))
            values.push_back(v);
    }
    for (int v : ratings(c.disciplines, c.rows.DisciplineRows))
        values.push_back(v);
    for (int v : ratings(c.backgrounds, c.rows.BackgroundRows))
        values.push_back(v);
    c.derangementWarning = PointAccounting::derangementWarning(values, c.settings.ElderRules);
}

} // namespace

void setFreebies(Trait& trait, int freebies)
{
    trait.freebies = PointAccounting::clampFreebies(freebies, trait.rating, trait.minDots);
}

void setRating(Trait& trait, int rating)
{
    trait.rating = std::max(0, std::min(rating, trait.maxDots));
    trait.freebies = std::min(trait.freebies, trait.rating);
}

bool keepRows(const std::vector<Character::Rows*>& columns, int& count, int firstRemovable,
              const QString& placeholder)
{
    auto used = [&](int r) {
        for (const Character::Rows* column : columns)
            if ((*column)[r].rating > 0 || !TextRoutines::StripDots((*column)[r].name).isEmpty())
                return true;
        return false;
    };
    bool changed = false;
    // A list read with no rows at all (a file may hold a count of 0) opens its first row.
    if (count < SheetLayout::RowsPerGroup && (count == 0 || used(count - 1))) {
        ++count;
        changed = true;
    }
    for (int r = firstRemovable; r < count - 1; ++r) {
        if (used(r))
            continue;
        for (Character::Rows* column : columns) {
            for (int k = r; k < count - 1; ++k)
                (*column)[k] = (*column)[k + 1];
            (*column)[count - 1].name = placeholder;
            (*column)[count - 1].rating = 0;
            (*column)[count - 1].specialty.clear();
        }
        --count;
        return true;
    }
    return changed;
}

void derive(Character& c)
{
    appearance(c);
    // After creation the accounting stays as it was, and Humanity and Willpower are traits of
    // their own that experience raises.
    if (c.experience.creationFinished) {
        CreationBaseline::overlay(c);
        derangements(c);
        return;
    }
    attributes(c);
    virtues(c);
    humanityAndWillpower(c);
    disciplines(c);
    backgrounds(c);
    abilities(c);
    freebies(c);
    derangements(c);
}

} // namespace CharacterPass
