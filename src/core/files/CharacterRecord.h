#pragma once

#include "engine/CharacterExtension.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Every value a character file holds, by the names the sheet uses, in file order.
// An absent value was not in the file (an older version lacks it, or the file broke off before
// it): the sheet keeps what it showed. The writer writes an absent value as a new sheet holds it.
struct CharacterRecord
{
    struct Trait
    {
        QString name;
        int rating = 0;

        bool operator==(const Trait&) const = default;
    };

    // One row of the three ability columns (or of the three secondary columns).
    struct AbilityRow
    {
        Trait talent;
        Trait skill;
        Trait knowledge;

        bool operator==(const AbilityRow&) const = default;
    };

    // The ratings of one of the ten fixed ability rows; their names come from the rules data.
    struct FixedAbilityRow
    {
        int talent = 0;
        int skill = 0;
        int knowledge = 0;

        bool operator==(const FixedAbilityRow&) const = default;
    };

    // What a priority box holds: the allowance of each category, and the allowance of each rank.
    struct PriorityBox
    {
        int CategoryOne = 0;
        int CategoryTwo = 0;
        int CategoryThree = 0;
        int ValueFirst = 0;
        int ValueSecond = 0;
        int ValueThird = 0;

        bool operator==(const PriorityBox&) const = default;
    };

    std::optional<QString> Name;
    std::optional<QString> Player;
    std::optional<QString> Chronicle;
    std::optional<QString> Nature;
    std::optional<QString> Demeanor;
    std::optional<QString> Clan;
    std::optional<QString> Generation;
    std::optional<QString> Haven;
    std::optional<QString> Concept;

    std::optional<std::array<FixedAbilityRow, 10>> FixedAbilities;

    // The row lists hold the rows the sheet has in use, the open empty row included, and the
    // file's counts are their sizes (AbilityRows is 10 + FreeAbilities). At most 20 rows each
    // (10 free ability rows). A list that a damaged file cut short holds the rows read before
    // the cut.
    std::optional<QList<AbilityRow>> FreeAbilities; // rows 11 to AbilityRows
    std::optional<QList<AbilityRow>> SecondaryAbilities;
    std::optional<QList<Trait>> Disciplines;
    std::optional<QList<Trait>> Backgrounds;

    std::optional<int> Conscience;
    std::optional<int> SelfControl;
    std::optional<int> Courage;

    std::optional<QStringList> Merits;
    std::optional<QStringList> Flaws;

    std::optional<QString> Path;
    std::optional<int> BoughtHumanity;
    std::optional<int> BoughtWillpower;

    // The notes in rich text, one line of it per entry.
    std::optional<QStringList> Notes;

    std::optional<PriorityBox> AttributePriorities;
    std::optional<PriorityBox> AbilityPriorities;

    // Written as the number in force (the box's number, or its fallback when it holds none),
    // so they come back as that number's text.
    std::optional<QString> DisciplineEdit;
    std::optional<QString> BackgroundEdit;
    std::optional<QString> VirtueEdit;
    std::optional<QString> MaxPrimaryEdit;
    std::optional<QString> MaxSecondaryEdit;
    // Written as typed ("Unlimited").
    std::optional<QString> MaxHumanityEdit;
    std::optional<QString> FreebiesEdit; // a number, like DisciplineEdit
    std::optional<QString> VirtueNamesEdit;

    std::optional<float> SecondaryCostFactor; // 1 or 0.5
    std::optional<bool> GolcondaOn;
    std::optional<int> GolcondaChoice;

    std::optional<int> Strength;
    std::optional<int> Dexterity;
    std::optional<int> Stamina;
    std::optional<int> Charisma;
    std::optional<int> Manipulation;
    std::optional<int> Appearance;
    std::optional<int> Perception;
    std::optional<int> Intelligence;
    std::optional<int> Wits;

    std::optional<QStringList> ChosenBooks;

    std::optional<bool> HumanityFromVirtues;
    std::optional<bool> WillpowerFromVirtues;
    std::optional<int> Humanity;
    std::optional<int> Willpower;
    std::optional<QString> StartingGenerationEdit;
    std::optional<bool> ElysiumRule;
    std::optional<bool> DirtySecretsRule;
    std::optional<bool> ElderRules;

    // The entries of the block after the body, but for the full texts, which the reader puts
    // back into the body's values and the writer takes from them.
    CharacterExtension extension;

    bool operator==(const CharacterRecord&) const = default;

    // The header texts in file (and sheet) order: Name ... Concept.
    static std::array<std::optional<QString> CharacterRecord::*, 9> headerFields()
    {
        return {
            &CharacterRecord::Name,       &CharacterRecord::Player,   &CharacterRecord::Chronicle,
            &CharacterRecord::Nature,     &CharacterRecord::Demeanor, &CharacterRecord::Clan,
            &CharacterRecord::Generation, &CharacterRecord::Haven,    &CharacterRecord::Concept};
    }
    // The attributes in sheet order: Strength ... Wits.
    static std::array<std::optional<int> CharacterRecord::*, 9> attributeFields()
    {
        return {&CharacterRecord::Strength,     &CharacterRecord::Dexterity,
                &CharacterRecord::Stamina,      &CharacterRecord::Charisma,
                &CharacterRecord::Manipulation, &CharacterRecord::Appearance,
                &CharacterRecord::Perception,   &CharacterRecord::Intelligence,
                &CharacterRecord::Wits};
    }

    // Calls visit(field, text) with every text value present, in file order, the field named
    // as the user knows it: "Name", "Talent 11", "Secondary Skill 2", "Merit 3", "Notes 5".
    template <typename Record, typename Visit> static void forEachText(Record& r, Visit&& visit)
    {
        static const QString headers[] = {
            QStringLiteral("Name"),       QStringLiteral("Player"),   QStringLiteral("Chronicle"),
            QStringLiteral("Nature"),     QStringLiteral("Demeanor"), QStringLiteral("Clan"),
            QStringLiteral("Generation"), QStringLiteral("Haven"),    QStringLiteral("Concept")};
        const auto fields = headerFields();
        for (int i = 0; i < 9; ++i)
            if (r.*fields[i])
                visit(headers[i], *(r.*fields[i]));
        const auto numbered = [](const QString& field, qsizetype index) {
            return field + QLatin1Char(' ') + QString::number(index);
        };
        const auto rows = [&](const QString& prefix, auto& list, int first) {
            for (qsizetype i = 0; list && i < list->size(); ++i) {
                auto& row = (*list)[i];
                visit(numbered(prefix + QStringLiteral("Talent"), first + i), row.talent.name);
                visit(numbered(prefix + QStringLiteral("Skill"), first + i), row.skill.name);
                visit(numbered(prefix + QStringLiteral("Knowledge"), first + i),
                      row.knowledge.name);
            }
        };
        rows(QString(), r.FreeAbilities, 11);
        rows(QStringLiteral("Secondary "), r.SecondaryAbilities, 1);
        const auto list = [&](const QString& field, auto& values, auto text) {
            for (qsizetype i = 0; values && i < values->size(); ++i)
                visit(numbered(field, i + 1), text((*values)[i]));
        };
        const auto name = [](auto& trait) -> auto&
        {
            return trait.name;
        };
        const auto itself = [](auto& text) -> auto&
        {
            return text;
        };
        list(QStringLiteral("Discipline"), r.Disciplines, name);
        list(QStringLiteral("Background"), r.Backgrounds, name);
        list(QStringLiteral("Merit"), r.Merits, itself);
        list(QStringLiteral("Flaw"), r.Flaws, itself);
        if (r.Path)
            visit(QStringLiteral("Path"), *r.Path);
        list(QStringLiteral("Notes"), r.Notes, itself);
        if (r.MaxHumanityEdit)
            visit(QStringLiteral("Max humanity"), *r.MaxHumanityEdit);
        if (r.VirtueNamesEdit)
            visit(QStringLiteral("Virtues"), *r.VirtueNamesEdit);
        list(QStringLiteral("Sourcebook"), r.ChosenBooks, itself);
        if (r.StartingGenerationEdit)
            visit(QStringLiteral("Starting generation"), *r.StartingGenerationEdit);
    }
};
