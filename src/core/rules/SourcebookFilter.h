#pragma once

#include "rules/SortedTextList.h"

#include <QList>
#include <QStringList>

// The choice of sourcebooks: which book blocks of the rules data are in use. Every function
// is pure; the window keeps the state and calls them on start-up, clicks and presets.
namespace SourcebookFilter {

inline const QString CoreBook = QStringLiteral("Vampire - The Masquerade");
inline const QString PlayersGuide = QStringLiteral("Vampire Players Guide");

struct BookList
{
    SortedTextList BookTitles;   // every title of a header line, fixed for the run
    SortedTextList ChosenBooks;  // the starting choice: the two core books that exist
    SortedTextList VampireBooks; // what the Vampire preset chooses
};

BookList buildBookList(const QStringList& dataLines);

struct Selection
{
    QStringList ActiveLines;
    QList<bool> BookInUse; // one flag per BookTitles entry
};

// Cuts the blocks of the books that are not chosen (case-insensitive) out of the data lines.
Selection applySelection(const QStringList& dataLines, const SortedTextList& bookTitles,
                         const SortedTextList& chosenBooks);

struct Choice
{
    QList<bool> BookInUse;
    SortedTextList ChosenBooks;
    bool applyNow = false; // only the Vampire preset asks for the selection to be applied at once
};

Choice toggleBook(const SortedTextList& bookTitles, QList<bool> bookInUse, qsizetype index);

enum class Preset { None, Classic, Vampire, All, AllClanbooks, NoClanbooks };

Choice applyPreset(Preset preset, const SortedTextList& bookTitles, QList<bool> bookInUse,
                   const SortedTextList& vampireBooks);

// Red: the preset matches the books chosen now. Caption: every clanbook (or none) is in use.
enum class LabelColour { Black, Red, Caption };

struct PresetColours
{
    LabelColour NoneButtonLabel = LabelColour::Black;
    LabelColour ClassicButtonLabel = LabelColour::Black;
    LabelColour VampireButtonLabel = LabelColour::Black;
    LabelColour AllButtonLabel = LabelColour::Black;
    LabelColour AllClanBookButtonLabel = LabelColour::Black;
    LabelColour NoClanBookButtonLabel = LabelColour::Black;
};

PresetColours presetLabelColours(const SortedTextList& bookTitles, const QList<bool>& bookInUse,
                                 const SortedTextList& chosenBooks,
                                 const SortedTextList& vampireBooks);

} // namespace SourcebookFilter
