#include "CreationBaseline.h"

#include "engine/CharacterPass.h"
#include "rules/TextRoutines.h"

#include <tuple>

namespace CreationBaseline {

namespace {

Character::Trait* rowAt(Character::Rows& rows, int row, int count)
{
    return row >= 0 && row < count ? &rows[row] : nullptr;
}

} // namespace

Character::Trait* traitAt(Character& c, TraitRef ref)
{
    const bool column = ref.column >= 0 && ref.column < 3;
    switch (ref.group) {
    case TraitRef::Attribute:
        return ref.row >= 0 && ref.row < 9 ? &c.attributes[ref.row] : nullptr;
    case TraitRef::Ability:
        return column ? rowAt(c.abilities[ref.column], ref.row, c.rows.AbilityRows) : nullptr;
    case TraitRef::Secondary:
        return column ? rowAt(c.secondaries[ref.column], ref.row, c.rows.SecondaryRows) : nullptr;
    case TraitRef::Discipline:
        return rowAt(c.disciplines, ref.row, c.rows.DisciplineRows);
    case TraitRef::Background:
        return rowAt(c.backgrounds, ref.row, c.rows.BackgroundRows);
    case TraitRef::Virtue:
        return ref.row >= 0 && ref.row < 3 ? &c.virtues[ref.row] : nullptr;
    case TraitRef::Humanity:
        return &c.humanity;
    case TraitRef::Willpower:
        return &c.willpower;
    case TraitRef::None:
        break;
    }
    return nullptr;
}

const Character::Trait* traitAt(const Character& c, TraitRef ref)
{
    return traitAt(const_cast<Character&>(c), ref); // reads only
}

QString traitName(const Character& c, TraitRef ref)
{
    switch (ref.group) {
    case TraitRef::Attribute:
        return ref.row >= 0 && ref.row < 9 ? Character::attributeNames()[ref.row] : QString();
    case TraitRef::Virtue:
        return ref.row >= 0 && ref.row < 3 ? TextRoutines::StripDots(c.virtueNames[ref.row])
                                           : QString();
    case TraitRef::Humanity:
        return c.path;
    case TraitRef::Willpower:
        return QStringLiteral("Willpower");
    case TraitRef::None:
        return {};
    default: {
        const Character::Trait* trait = traitAt(c, ref);
        return trait ? TextRoutines::StripDots(trait->name) : QString();
    }
    }
}

void capture(Character& c)
{
    CharacterExperience& xp = c.experience;
    xp.baseline.clear();
    // A trait without dots needs no slot: what the baseline does not hold has none.
    forEachTrait(c, [&](TraitRef ref, const Character::Trait& trait) {
        if (trait.rating > 0 || trait.freebies > 0)
            xp.baseline.append({ref, ref.named() ? TextRoutines::StripDots(trait.name) : QString(),
                                trait.rating, trait.freebies});
    });
    xp.tallies = {c.attributeTallies, c.abilityTallies, c.disciplineTally, c.backgroundTally,
                  c.virtueTally,      c.freebieTally,   c.overspent};
}

const BaselineSlot* slotOf(const QList<BaselineSlot>& baseline, TraitRef ref,
                           const Character::Trait& trait, qsizetype& cursor)
{
    while (cursor < baseline.size() && baseline[cursor].ref < ref)
        ++cursor;
    const QString name = ref.named() ? TextRoutines::StripDots(trait.name) : QString();
    if (cursor < baseline.size() && baseline[cursor].ref == ref && baseline[cursor].name == name)
        return &baseline[cursor];
    if (!ref.named() || name.isEmpty() || trait.rating == 0)
        return nullptr;
    for (const BaselineSlot& slot : baseline)
        if (slot.ref.group == ref.group && slot.ref.column == ref.column && slot.name == name)
            return &slot;
    return nullptr;
}

void overlay(Character& c)
{
    qsizetype cursor = 0;
    forEachTrait(c, [&](TraitRef ref, Character::Trait& trait) {
        const BaselineSlot* slot = slotOf(c.experience.baseline, ref, trait, cursor);
        CharacterPass::setFreebies(trait, slot ? slot->freebies : 0);
    });
    const CreationTallies& t = c.experience.tallies;
    std::tie(c.attributeTallies, c.abilityTallies, c.disciplineTally, c.backgroundTally,
             c.virtueTally, c.freebieTally, c.overspent) =
        std::tie(t.attributes, t.abilities, t.disciplines, t.backgrounds, t.virtues, t.freebies,
                 t.overspent);
}

} // namespace CreationBaseline
