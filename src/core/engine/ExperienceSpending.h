#pragma once

#include "engine/Character.h"

#include <QDate>

class ExperienceChart;

// Experience after creation, as operations on the character: finishing creation, points
// earned, traits raised at the chart's costs and raises taken back. A refused operation
// changes nothing and says why.
namespace ExperienceSpending {

struct Outcome
{
    bool done = false;
    QString message; // why it was refused; empty when done
    int points = 0;  // what it cost or gave back

    static Outcome refused(const QString& message) { return {false, message, 0}; }
};

// The baseline and the creation accounting kept as they stand, and the starting experience of
// the rules options credited. The character must have been derived.
Outcome finishCreation(Character& c);
// Back to creation, only while no point is spent; the log keeps the points earned.
Outcome reopenCreation(Character& c);

Outcome earn(Character& c, int points, const QString& note, QDate date);

// What raising the trait from one rating to another costs, each step at the price of the
// rating before it; nothing when experience cannot raise it (a background without the
// Storyteller's leave).
std::optional<int> cost(const Character& c, const ExperienceChart& chart, TraitRef ref, int from,
                        int to);

// The trait set to a rating: a raise charged as one log entry when enough points are left; a
// lowering takes back the trait's last entries until it is at or below the rating, refunding
// each exactly. Never below the rating creation left it at.
Outcome setRating(Character& c, const ExperienceChart& chart, TraitRef ref, int rating, QDate date,
                  const QString& note = {});

// Log entry index taken back: a raise with every later raise of the same trait, last first,
// the trait back at the entry's first rating; points earned only while what is left covers
// them.
Outcome takeBack(Character& c, qsizetype index);

// For a sheet that changes ratings in place: every trait whose rating differs from what the
// baseline and the log give it is set through setRating from there, a refused one put back.
// The messages of the refusals, in sheet order.
QStringList reconcile(Character& c, const ExperienceChart& chart, QDate date);

} // namespace ExperienceSpending
