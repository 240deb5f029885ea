#pragma once

#include "engine/Character.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// What the printed sheet shows of a character; no widgets.
//
// Row lists hold the rows in use only, without the open empty row that follows them on the
// screen. Names may be passed as their boxes show them: the printout drops trailing full
// stops itself, so a dotted placeholder prints as an empty row.
struct PrintedSheet
{
    // A dots control: its Filled and MaxDots.
    struct Rating
    {
        int Filled = 0;
        int MaxDots = 5;
        // Printed after the name while it counts (the rating is 4 or more).
        QString specialty{};
    };

    struct TraitRow
    {
        QString name;
        int Filled = 0;
        int MaxDots = 5;
        QString specialty{};
    };

    struct DisciplineRow : TraitRow
    {
        // The name box uses the clan rows' fixed face; such names print in the label face.
        bool clanFont = false;
    };

    QString Name, Player, Chronicle, Nature, Demeanor, Clan, Generation, Haven, Concept;

    Rating Strength, Dexterity, Stamina;
    Rating Charisma, Manipulation, Appearance;
    Rating Perception, Intelligence, Wits;

    // Talents, Skills, Knowledges. Rows 0 to 9 are the ten standard abilities of the column;
    // the columns share one row count on the sheet, so a column may hold unnamed rows.
    std::array<QList<TraitRow>, 3> Abilities;
    // Secondary Talents, Skills and Knowledges.
    std::array<QList<TraitRow>, 3> Secondary;
    QList<DisciplineRow> Disciplines;
    QList<TraitRow> Backgrounds;
    // The captions Virtue1 to Virtue3 with the ratings of Conscience, SelfControl, Courage.
    std::array<TraitRow, 3> Virtues;

    QString Path = QStringLiteral("Humanity");
    int Humanity = 0;
    int Willpower = 0;
    QString BloodTurn; // blood points per turn, without "/turn"

    QStringList Merits; // names with their point value, such as "Huge Size (4)"
    QStringList Flaws;

    bool AppearanceStruckOut = false; // ZeroAppearanceClan or ZeroAppearanceFlaw
    bool HugeSize = false;            // the merit "Huge Size (4)" is taken

    // The Experience box: left (Current) and earned (Total), once the character has any.
    bool ExperienceShown = false;
    int ExperienceLeft = 0;
    int ExperienceEarned = 0;

    // What the sheet of this character prints.
    static PrintedSheet of(const Character& character);
};
