#pragma once

#include "engine/Character.h"

class RuleQuestions;

// The rules that run when the user sets a value by hand, as operations on the character.
// Each returns true when it changed the rules options, which the next pass then applies.
namespace CharacterEditing {

// Humanity (or the path) set to its rating: the dots bought above the virtues counted, and
// lowered below them while derived, the question whether to detach it. "Yes" keeps the
// rating the user chose.
bool humanitySet(Character& character, RuleQuestions& questions);
// The same for Willpower and Courage.
bool willpowerSet(Character& character, RuleQuestions& questions);

} // namespace CharacterEditing
