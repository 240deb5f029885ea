#include "Character.h"

Character::Character()
{
    // Attributes and virtues start at their first dot, which is always free.
    for (Trait& attribute : attributes)
        attribute = {.rating = 1, .minDots = 1};
    for (Trait& virtue : virtues)
        virtue = {.rating = 1, .minDots = 1};
}

const std::array<QString, 9>& Character::attributeNames()
{
    static const std::array<QString, 9> names = {
        QStringLiteral("Strength"),   QStringLiteral("Dexterity"),    QStringLiteral("Stamina"),
        QStringLiteral("Charisma"),   QStringLiteral("Manipulation"), QStringLiteral("Appearance"),
        QStringLiteral("Perception"), QStringLiteral("Intelligence"), QStringLiteral("Wits")};
    return names;
}
