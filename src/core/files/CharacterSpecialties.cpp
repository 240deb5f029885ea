#include "files/CharacterSpecialties.h"

#include <QHash>

QString CharacterSpecialties::entry(const Character& character)
{
    QStringList lines;
    forEachTrait(character, [&](const QString& field, const Character::Trait& trait) {
        QString text = trait.specialty;
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (!text.isEmpty())
            lines.append(field + QLatin1Char('=') + text);
    });
    return lines.join(QLatin1Char('\n'));
}

void CharacterSpecialties::apply(const QString& entry, Character& character)
{
    QHash<QString, QString> specialties;
    for (const QString& line : entry.split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            specialties.insert(line.left(equals), line.mid(equals + 1));
    }
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
