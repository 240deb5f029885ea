#pragma once

#include "engine/Character.h"

class RuleQuestions;
class RuleTables;

// The rules that run when the user sets a value by hand, as operations on the character.
// Each returns true when it changed the rules options, which the next pass then applies.
namespace CharacterEditing {

// Humanity (or the path) set to its rating: the dots bought above the virtues counted, and
// lowered below them while derived, the question whether to detach it. "Yes" keeps the
// rating the user chose.
bool humanitySet(Character& character, RuleQuestions& questions);
// The same for Willpower and Courage.
bool willpowerSet(Character& character, RuleQuestions& questions);

// The clan named in the header: its appearance rule, and unless it is unknown or Caitiff,
// its three disciplines fixed in the first rows, the others kept below them. True when the
// first three rows now belong to the clan.
bool clanSet(Character& character, const RuleTables& tables);

// The generation named in the header: the blood pool, the highest rating of every row, and the
// generation background in step with it. False, changing nothing, outside the 3rd ... 15th.
bool generationSet(Character& character, const RuleTables& tables);
// Limits that let every rating a file may hold stand, until the file's generation applies.
void raiseLimitsForLoading(Character& character);
// The generation the background rows give, and the Age background's effects; reset starts
// from the starting generation instead of the one shown.
void generationFromBackgrounds(Character& character, bool reset);

// The rules as the Rules panel's boxes hold them, brought into force: the elder rules switched
// when they changed (the generation background renamed in the rows and the tables), the boxes
// read into the settings, the priority selectors' allowances, the virtue names and the presets
// the rules match. elderShown is whether the elder rules are in force on the rows now.
void rulesChanged(Character& character, RuleTables& tables, bool& elderShown);

} // namespace CharacterEditing
