#pragma once

#include "engine/Character.h"

class CharacterView;

// Between the sheet's controls and the character they show: the ratings and rows read into a
// Character, and what the rules derived written back, each value only where it differs, so
// that a pass with nothing new repaints nothing.
namespace SheetBinding {

// What the rules work on: the ratings, rows, counters and settings.
Character read(CharacterView& form);
// The names the rules check reads besides: the header, every row's name and specialty, the
// merits and flaws and the virtues' names.
void readNames(CharacterView& form, Character& character);
// Everything the sheet shows, texts and labels included.
Character readAll(CharacterView& form);
void show(const Character& character, CharacterView& form);
// What a file read onto the character gave it, on the sheet in the order of the file: the
// header, the rows, the notes aside, the rules. Only what differs is written; the clan's own
// rule waits for the caller.
void showRead(const Character& character, CharacterView& form);

} // namespace SheetBinding
