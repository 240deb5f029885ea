#include "CharacterCompare.h"

#include "files/CharacterRecord.h"
#include "rules/TextRoutines.h"

namespace {

CharacterRecord withNamesStripped(CharacterRecord r)
{
    auto strip = [](CharacterRecord::Trait& trait) { trait.name = TextRoutines::StripDots(trait.name); };
    for (auto* rows : {&r.FreeAbilities, &r.SecondaryAbilities})
        if (*rows)
            for (auto& row : **rows)
                for (auto* trait : {&row.talent, &row.skill, &row.knowledge})
                    strip(*trait);
    for (auto* list : {&r.Disciplines, &r.Backgrounds})
        if (*list)
            for (auto& trait : **list)
                strip(trait);
    for (auto* names : {&r.Merits, &r.Flaws})
        if (*names)
            for (QString& name : **names)
                name = TextRoutines::StripDots(name);
    return r;
}

} // namespace

bool sameCharacter(const CharacterRecord& a, const CharacterRecord& b)
{
    return withNamesStripped(a) == withNamesStripped(b);
}
