#pragma once

#include "files/CharacterRecord.h"

// A character with every value set and every row list at its 20 rows; the numeric rules boxes
// hold numbers, so that the file gives them back unchanged.
inline CharacterRecord fullCharacter(int noteLines = 3)
{
    using Record = CharacterRecord;
    Record c;
    c.Name = QStringLiteral("Renée Straßer");
    c.Player = QStringLiteral("Anna");
    c.Chronicle = QStringLiteral("Nights of Prague");
    c.Nature = QStringLiteral("Architect");
    c.Demeanor = QStringLiteral("Bon Vivant");
    c.Clan = QStringLiteral("Toreador");
    c.Generation = QStringLiteral("9th");
    c.Haven = QString();
    c.Concept = QStringLiteral("Art restorer");
    std::array<Record::FixedAbilityRow, 10> fixed;
    for (int i = 0; i < 10; ++i)
        fixed[i] = {i % 4, (i + 1) % 5, (i + 2) % 3};
    c.FixedAbilities = fixed;
    const auto trait = [](const QString& kind, int i) {
        return Record::Trait{kind + QLatin1Char(' ') + QString::number(i), i % 6};
    };
    const auto abilityRows = [&](const QString& prefix, int count) {
        QList<Record::AbilityRow> rows;
        for (int i = 1; i <= count; ++i)
            rows.append({trait(prefix + QStringLiteral("Talent"), i),
                         trait(prefix + QStringLiteral("Skill"), i + 1),
                         trait(prefix + QStringLiteral("Knowledge"), i + 2)});
        return rows;
    };
    const auto traits = [&](const QString& kind) {
        QList<Record::Trait> rows;
        for (int i = 1; i <= 20; ++i)
            rows.append(trait(kind, i));
        return rows;
    };
    const auto texts = [](const QString& kind, int count) {
        QStringList list;
        for (int i = 1; i <= count; ++i)
            list.append(kind + QStringLiteral(" (%1)").arg(i % 7 + 1));
        return list;
    };
    c.FreeAbilities = abilityRows(QString(), 10);
    c.SecondaryAbilities = abilityRows(QStringLiteral("Secondary "), 20);
    c.Disciplines = traits(QStringLiteral("Discipline"));
    c.Backgrounds = traits(QStringLiteral("Background"));
    c.Conscience = 4;
    c.SelfControl = 3;
    c.Courage = 5;
    c.Merits = texts(QStringLiteral("Merit"), 20);
    c.Flaws = texts(QStringLiteral("Flaw"), 20);
    c.Path = QStringLiteral("Path of Night");
    c.BoughtHumanity = -1;
    c.BoughtWillpower = 2;
    c.Notes = QStringList{QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}")};
    for (int i = 1; i < noteLines - 1; ++i)
        c.Notes->append(QStringLiteral("\\f0 Line %1 of the notes, with some words.\\par").arg(i));
    c.Notes->append(QStringLiteral("}"));
    c.AttributePriorities = Record::PriorityBox{5, 3, 7, 7, 5, 3};
    c.AbilityPriorities = Record::PriorityBox{13, 5, 9, 13, 9, 5};
    c.DisciplineEdit = QStringLiteral("4");
    c.BackgroundEdit = QStringLiteral("0");
    c.VirtueEdit = QStringLiteral("5");
    c.MaxPrimaryEdit = QStringLiteral("999");
    c.MaxSecondaryEdit = QStringLiteral("2");
    c.MaxHumanityEdit = QStringLiteral("5");
    c.FreebiesEdit = QStringLiteral("21");
    c.VirtueNamesEdit = QStringLiteral("Sabbat (Callousness, Instincts & Morale)");
    c.SecondaryCostFactor = 1.0f;
    c.GolcondaOn = true;
    c.GolcondaChoice = 1;
    int attribute = 0;
    for (std::optional<int>* value :
         {&c.Strength, &c.Dexterity, &c.Stamina, &c.Charisma, &c.Manipulation, &c.Appearance,
          &c.Perception, &c.Intelligence, &c.Wits})
        *value = ++attribute % 5 + 1;
    c.ChosenBooks = texts(QStringLiteral("Book"), 20);
    c.HumanityFromVirtues = false;
    c.WillpowerFromVirtues = true;
    c.Humanity = 6;
    c.Willpower = 7;
    c.StartingGenerationEdit = QStringLiteral("9");
    c.ElysiumRule = false;
    c.DirtySecretsRule = true;
    c.ElderRules = true;
    return c;
}
