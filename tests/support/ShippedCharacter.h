#pragma once

#include "RulesLines.h"
#include "engine/CreationBaseline.h"
#include "rules/RuleTables.h"

// The shipped rule tables, built once.
inline const RuleTables& shippedTables()
{
    static const RuleTables tables = [] {
        RuleTables t;
        t.build(shippedRules(), false);
        return t;
    }();
    return tables;
}

// The first trait the sheet shows under this name ("Strength", "Brawl", "Conscience").
inline TraitRef traitNamed(const Character& c, const QString& name)
{
    TraitRef found;
    CreationBaseline::forEachTrait(c, [&](TraitRef ref, const Character::Trait&) {
        if (found.group == TraitRef::None && CreationBaseline::traitName(c, ref) == name)
            found = ref;
    });
    return found;
}
