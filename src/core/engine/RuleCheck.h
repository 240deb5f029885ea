#pragma once

#include "engine/TraitRef.h"

#include <QString>

// One thing the creation rules find wrong with the character, or worth knowing about it:
// which rule, the row it concerns and the sentence the user reads.
struct RuleCheck
{
    enum class Severity { Breach, Note };
    // Where the row lies, so that the window can take the user there: a rated trait, a box of
    // the header, a merit or flaw row, or the tallies beside the sheet.
    enum class Place { Trait, Header, Merit, Flaw, Freebies, Experience };

    QString rule; // a short fixed identifier
    QString row;  // the row's name, or the control's name where the row has none
    QString text;
    Severity severity = Severity::Breach;
    Place place = Place::Freebies;
    TraitRef trait{}; // with Place::Trait
    int index = 0;    // the header's box (Name ... Concept), the merit or the flaw row
    // The numbers the sentence was written from, where they and the row decide it (0 where
    // not), so that a pass finding the same need not write it again.
    quint64 madeOf = 0;

    bool operator==(const RuleCheck&) const = default;
};
