#pragma once

#include "engine/Character.h"

#include <vector>

// What the creation rules derive from the ratings, as one pass over the character: Appearance
// held by a clan or flaw, the freebie dots of every row against its allowance, the tallies,
// Humanity and Willpower from the virtues, the freebie balance and the elder's derangements.
// The ratings themselves change only where a rule holds them (Appearance, Humanity,
// Willpower); running it twice gives what running it once gave.
namespace CharacterPass {

void derive(Character& character);

// A list's rows kept tidy: one more row when the last in use is filled, and at most one
// empty row between firstRemovable and the last taken out, the rows below moving up with
// their names, ratings and limits. The columns of one list share their rows. True when the
// list changed.
bool keepRows(const std::vector<Character::Rows*>& columns, int& count, int firstRemovable,
              const QString& placeholder);

// What a rating row stores when its freebie dots are written: within the rating, the first
// dot free on a row that always keeps one.
void setFreebies(Character::Trait& trait, int freebies);
// What a rating row stores when its rating is written: within 0 ... its most dots.
void setRating(Character::Trait& trait, int rating);

} // namespace CharacterPass
