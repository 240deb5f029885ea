#include "files/CharacterSpecialties.h"

#include <QHash>

QString CharacterSpecialties::entry(const Character& character)
{
    CharacterExtension::Fields specialties;
    forEachTrait(character, [&](const QString& field, const Character::Trait& trait) {
        if (!trait.specialty.isEmpty())
            specialties.append({field, trait.specialty});
    });
    return CharacterExtension::fieldsText(specialties);
}

void CharacterSpecialties::apply(const QString& entry, Character& character)
{
    const QHash<QString, QString> specialties = CharacterExtension::fields(entry);
    for (Character::Trait& attribute : character.attributes)
        attribute.specialty.clear();
    for (auto* group : {&character.abilities, &character.secondaries})
        for (Character::Rows& column : *group)
            for (Character::Trait& row : column)
                row.specialty.clear();
    forEachTrait(character, [&](const QString& field, Character::Trait& trait) {
        trait.specialty = specialties.value(field);
    });
}
