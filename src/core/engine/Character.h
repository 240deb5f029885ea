#pragma once

#include "controls/PriorityGrid.h"
#include "engine/CharacterCounters.h"
#include "engine/CharacterExperience.h"
#include "engine/CharacterExtension.h"
#include "engine/RuleCheck.h"
#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"
#include "engine/RulesSettings.h"
#include "engine/SheetLayout.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The character as the sheet holds it: every rating with the freebie dots the rules give it,
// the counters and settings beside the rows, and what the rules derive for the eye (tallies,
// warnings). Plain values: copied and compared like numbers.
struct Character
{
    // A rated trait: its name where the row names one, its rating within minDots ... maxDots,
    // and the dots bought with freebies as the row shows them.
    struct Trait
    {
        QString name{};
        int rating = 0;
        int freebies = 0;
        int minDots = 0;
        int maxDots = 5;
        // What the character is best at within the trait ("Grappling" for Brawl); attributes
        // and abilities take one. It moves with its row.
        QString specialty{};

        // A specialty comes with the fourth dot; below it the text is kept but does not count.
        static constexpr int SpecialtyRating = 4;
        bool specialtyCounts() const { return !specialty.isEmpty() && rating >= SpecialtyRating; }

        bool operator==(const Trait&) const = default;
    };
    using Rows = std::array<Trait, SheetLayout::RowsPerGroup>;

    // Name, Player, Chronicle, Nature, Demeanor, Clan, Generation, Haven, Concept.
    std::array<QString, 9> header;
    // Strength ... Wits, in their group order.
    std::array<Trait, 9> attributes{};
    // Talents, Skills, Knowledges; the secondary columns the same way.
    std::array<Rows, 3> abilities{};
    std::array<Rows, 3> secondaries{};
    Rows disciplines{};
    Rows backgrounds{};
    // Conscience, Self-Control, Courage whatever the virtue set calls them.
    std::array<Trait, 3> virtues{};
    Trait humanity{.rating = 2, .maxDots = 10};
    Trait willpower{.rating = 1, .minDots = 1, .maxDots = 10};
    QString path = QStringLiteral("Humanity");
    // The first three discipline rows belong to the clan (fixed, in the label face).
    bool clanDisciplinesFixed = false;
    // Row texts as the rows hold them, padding included; an entry is a text without it.
    std::array<QString, SheetLayout::RowsPerGroup> merits, flaws;

    // The rules as typed on the Rules panel, and the books in use.
    RulesBoxTexts rulesBoxes{};
    QStringList books;
    // The notes in rich text, a line of it per entry.
    QStringList notes;
    // The entries of the file's extension block that no part of this program reads, kept to be
    // written back as they came.
    CharacterExtension extension;

    RowCounts rows{};
    CharacterCounters counters{};
    RulesSettings settings{};
    // The priority selectors: the allowance each category holds, in the order of the sheet.
    PriorityGrid attributePriorities{7, 5, 3};
    PriorityGrid abilityPriorities{13, 9, 5};
    // Creation finished, the baseline, the experience log and its options.
    CharacterExperience experience;

    // Derived for the eye.
    std::array<QString, 3> virtueNames;
    QString bloodPerTurn;
    int bloodPoolBoxes = 0;
    bool flawWarning = false;
    // The presets whose settings the rules match.
    RulesPresets::PresetMatch presets{};
    std::array<QString, 3> attributeTallies;
    std::array<QString, 3> abilityTallies;
    QString disciplineTally, backgroundTally, virtueTally;
    QString freebieTally;
    bool overspent = false;
    bool appearanceCrossed = false;
    QString derangementWarning;
    // What the rules check finds, in sheet order.
    std::vector<RuleCheck> checks;
    // Entries the clan's rules took off or revalued (before, after: empty when taken off),
    // under the clan named; kept to explain them.
    struct ClanRuleChange
    {
        QString clan, entry, replacement;
        bool flaw = true;
        bool operator==(const ClanRuleChange&) const = default;
    };
    std::vector<ClanRuleChange> clanRuleChanges;

    Character();

    // Strength ... Wits, as the sheet names them.
    static const std::array<QString, 9>& attributeNames();

    bool operator==(const Character&) const = default;
};
