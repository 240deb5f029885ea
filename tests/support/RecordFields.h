#pragma once

#include "files/CharacterRecord.h"

#include <QMap>
#include <QStringList>
#include <optional>
#include <type_traits>

// A character record as text, value by value, by the names the sheet and the golden .expect
// files give them: rows split by "; ", the three columns of an ability row by " / ".
namespace RecordFields {

template <typename T> QString show(const T& v)
{
    if constexpr (std::is_same_v<T, QString>)
        return v;
    else if constexpr (std::is_arithmetic_v<T>)
        return QString::number(std::is_same_v<T, bool> ? int(v) : v);
    else if constexpr (std::is_same_v<T, CharacterRecord::Trait>)
        return v.name + QLatin1Char(' ') + show(v.rating);
    else if constexpr (std::is_same_v<T, CharacterRecord::AbilityRow>)
        return QStringList{show(v.talent), show(v.skill), show(v.knowledge)}.join(" / ");
    else if constexpr (std::is_same_v<T, CharacterRecord::FixedAbilityRow>)
        return QString::asprintf("%d %d %d", v.talent, v.skill, v.knowledge);
    else if constexpr (std::is_same_v<T, CharacterRecord::PriorityBox>)
        return QString::asprintf("%d %d %d / %d %d %d", v.CategoryOne, v.CategoryTwo,
                                 v.CategoryThree, v.ValueFirst, v.ValueSecond, v.ValueThird);
    else {
        QStringList rows;
        for (const auto& row : v)
            rows << show(row);
        return rows.join(std::is_same_v<T, QList<typename T::value_type>> ? "; " : ", ");
    }
}

// Adds each present field by its name, the names being the fields as the call spells them.
template <typename... Fields>
void put(QMap<QString, QString>& values, const char* names, const Fields&... fields)
{
    const QStringList keys = QString::fromLatin1(names).remove(QStringLiteral("c.")).split(u',');
    qsizetype i = 0;
    (..., ((fields ? void(values.insert(keys[i].trimmed(), show(*fields))) : void()), ++i));
}
#define PUT(...) put(values, #__VA_ARGS__, __VA_ARGS__)

// Every value present by the name the .expect files give it.
inline QMap<QString, QString> describe(const CharacterRecord& c,
                                       std::optional<int> StartingGeneration = {})
{
    QMap<QString, QString> values;
    PUT(c.Name, c.Player, c.Chronicle, c.Nature, c.Demeanor, c.Clan, c.Generation, c.Haven,
        c.Concept, c.FixedAbilities, c.FreeAbilities, c.SecondaryAbilities, c.Disciplines,
        c.Backgrounds, c.Conscience, c.SelfControl, c.Courage, c.Merits, c.Flaws, c.Path,
        c.BoughtHumanity, c.BoughtWillpower, c.AttributePriorities, c.AbilityPriorities,
        c.DisciplineEdit, c.BackgroundEdit, c.VirtueEdit, c.MaxPrimaryEdit, c.MaxSecondaryEdit);
    PUT(c.MaxHumanityEdit, c.FreebiesEdit, c.VirtueNamesEdit, c.SecondaryCostFactor, c.GolcondaOn,
        c.GolcondaChoice, c.Strength, c.Dexterity, c.Stamina, c.Charisma, c.Manipulation,
        c.Appearance, c.Perception, c.Intelligence, c.Wits, c.ChosenBooks, c.HumanityFromVirtues,
        c.WillpowerFromVirtues, c.Humanity, c.Willpower, c.StartingGenerationEdit,
        StartingGeneration, c.ElysiumRule, c.DirtySecretsRule, c.ElderRules);
    if (c.Notes)
        values.insert(QStringLiteral("Notes"), c.Notes->join(QStringLiteral(" | ")));
    return values;
}

} // namespace RecordFields
