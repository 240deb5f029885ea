#pragma once

#include <QString>

// One thing the creation rules find wrong with the character, or worth knowing about it:
// which rule, the row it concerns and the sentence the user reads.
struct RuleCheck
{
    enum class Severity { Breach, Note };
    // Where the row lies, so that the window can take the user there.
    enum class Place {
        Header, // index: Name ... Concept
        Attribute,
        Ability, // column: Talents, Skills, Knowledges
        Secondary,
        Discipline,
        Background,
        Virtue,
        Humanity,
        Willpower,
        Merit,
        Flaw,
        Freebies,
        Experience
    };

    QString rule; // a short fixed identifier
    QString row;  // the row's name, or the control's name where the row has none
    QString text;
    Severity severity = Severity::Breach;
    Place place = Place::Freebies;
    int column = 0;
    int index = 0;
    // The numbers the sentence was written from, where they and the row decide it (0 where
    // not), so that a pass finding the same need not write it again.
    quint64 madeOf = 0;

    bool operator==(const RuleCheck&) const = default;
};
