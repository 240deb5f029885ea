#pragma once

struct CharacterRecord;

// Whether two records hold the same character. Row names are compared without the full stops
// that pad them: their number depends on the fonts of the machine that wrote the file.
bool sameCharacter(const CharacterRecord& a, const CharacterRecord& b);
