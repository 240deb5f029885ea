#pragma once

#include "engine/Character.h"

// The character as creation left it: every trait walked in one order, kept when creation is
// finished, and laid over the ratings afterwards so that the freebie dots and the tallies
// stay as they were whatever experience raises.
namespace CreationBaseline {

// Every rated trait in use, in the order of TraitRef.
template <typename C, typename F> void forEachTrait(C& c, F&& f)
{
    for (int i = 0; i < 9; ++i)
        f(TraitRef{TraitRef::Attribute, 0, i}, c.attributes[i]);
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            f(TraitRef{TraitRef::Ability, col, r}, c.abilities[col][r]);
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            f(TraitRef{TraitRef::Secondary, col, r}, c.secondaries[col][r]);
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        f(TraitRef{TraitRef::Discipline, 0, r}, c.disciplines[r]);
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        f(TraitRef{TraitRef::Background, 0, r}, c.backgrounds[r]);
    for (int i = 0; i < 3; ++i)
        f(TraitRef{TraitRef::Virtue, 0, i}, c.virtues[i]);
    f(TraitRef{TraitRef::Humanity, 0, 0}, c.humanity);
    f(TraitRef{TraitRef::Willpower, 0, 0}, c.willpower);
}

// The trait at ref, or nullptr outside the rows in use.
Character::Trait* traitAt(Character& c, TraitRef ref);
const Character::Trait* traitAt(const Character& c, TraitRef ref);
// The name the sheet shows for the trait: "Strength", a row's name, a virtue's label, the path.
QString traitName(const Character& c, TraitRef ref);

// The slot of a trait met in a walk in sheet order (cursor starts at 0 and moves on with the
// walk): where the trait stood, or for a named row that moved up when a row above it was
// emptied, the slot of its name in its column (looked for only when the trait has dots, since
// a row without any needs none). Nothing for a trait creation left without dots.
const BaselineSlot* slotOf(const QList<BaselineSlot>& baseline, TraitRef ref,
                           const Character::Trait& trait, qsizetype& cursor);

// The baseline and the tallies of the character as it stands.
void capture(Character& c);
// The kept freebie dots and tallies laid over the current ratings: a row the baseline does not
// know (another name, a new row) has none.
void overlay(Character& c);

} // namespace CreationBaseline
