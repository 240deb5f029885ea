#pragma once

#include "engine/Character.h"


// The specialties of a character as an entry of the file's extension block: a line
// "field=specialty" for each attribute and ability row in use that has one, the field named as
// the sheet counts it ("Strength", "Talent 3", "Knowledge 12", "Secondary Skill 1").
class CharacterSpecialties
{
public:
    static inline const QString Key = QStringLiteral("Specialties/1");

    // Empty when no row has a specialty.
    static QString entry(const Character& character);
    // Every specialty of the character replaced by those of the entry.
    static void apply(const QString& entry, Character& character);

    // Calls visit(field, trait) for each attribute and each ability row in use, in sheet order.
    template <typename C, typename Visit> static void forEachTrait(C& c, Visit&& visit)
    {
        for (int i = 0; i < 9; ++i)
            visit(Character::attributeNames()[i], c.attributes[i]);
        static const std::array<QString, 3> columns = {
            QStringLiteral("Talent"), QStringLiteral("Skill"), QStringLiteral("Knowledge")};
        const auto rows = [&](const QString& prefix, auto& list, int count) {
            for (int col = 0; col < 3; ++col)
                for (int r = 0; r < count; ++r)
                    visit(prefix + columns[col] + QLatin1Char(' ') + QString::number(r + 1),
                          list[col][r]);
        };
        rows(QString(), c.abilities, c.rows.AbilityRows);
        rows(QStringLiteral("Secondary "), c.secondaries, c.rows.SecondaryRows);
    }
};
