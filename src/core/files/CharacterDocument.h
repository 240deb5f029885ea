#pragma once

#include "engine/Character.h"
#include "engine/RuleQuestions.h"
#include "rules/EntryBooks.h"
#include "rules/RuleTables.h"
#include "rules/SourcebookFilter.h"

#include "files/CharacterRecord.h"

struct CharacterReadResult;

// A character with the rules it is made under, without a window: the rule tables of the
// books in use, files read onto it as the sheet reads them, and the recalculation run until
// nothing changes. What the sheet would show of it, it holds.
class CharacterDocument
{
public:
    // The rules data lines, rules packs merged in.
    explicit CharacterDocument(const QStringList& dataLines);

    const Character& character() const { return m_character; }
    const RuleTables& tables() const { return m_tables; }
    const EntryBooks& entryBooks() const { return m_entryBooks; }

    // A file's values onto the character, then what the sheet does after reading one.
    void open(const CharacterReadResult& result);
    // The values a file carries onto a character; what an older or damaged file lacks stays.
    // Every limit is raised first, so that no rating read is cut down by the character before.
    static void apply(const CharacterReadResult& result, Character& character);
    // What a file holds of a character, the notes aside: the rows in use as they show, the
    // allowances and limits as the numbers in force.
    static CharacterRecord record(const Character& character);
    // The recalculation until the character stops changing.
    void settle();

private:
    void applyBooks();
    void pass();
    void applyClanRules();
    void generationFromBackgrounds();

    QStringList m_dataLines;
    SourcebookFilter::BookList m_books;
    RuleTables m_tables;
    EntryBooks m_entryBooks;
    Character m_character;
    bool m_elderShown = false;
    // Questions a rule may ask while settling are answered as Escape answers them.
    EscapeAnswers m_escape;
};
