#pragma once

#include <QtGlobal>
#include <compare>

// Where a rated trait stands on the sheet: its group, and the column and row within it (the
// index for attributes and virtues). Ordered as the sheet is walked, group by group.
struct TraitRef
{
    enum Group : quint8 {
        Attribute,
        Ability,
        Secondary,
        Discipline,
        Background,
        Virtue,
        Humanity,
        Willpower,
        None // points earned belong to no trait
    };

    Group group = None;
    int column = 0;
    int row = 0;

    // The groups whose rows the user names.
    bool named() const { return group >= Ability && group <= Background; }

    auto operator<=>(const TraitRef&) const = default;
};
