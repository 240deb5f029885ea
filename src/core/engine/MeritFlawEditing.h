#pragma once

#include "engine/Character.h"

#include <QSet>

class RuleQuestions;
class RuleTables;

// The one rule every change of a merit or flaw row runs, on the character: the typed name
// completed with its cost, the question about an entry it excludes, a child's "Short (1)",
// both lists kept without gaps with one open row, and the points and effects counted again.
// A row the rule writes runs the rule in turn; the row being handled does not, so the
// nesting ends within the forty rows.
class MeritFlawEditing
{
public:
    struct Row
    {
        bool flaw = false;
        int index = 0;
        bool operator==(const Row&) const = default;
    };

    MeritFlawEditing(Character& character, const RuleTables& tables, RuleQuestions& questions);

    // Row now holds the entry the character gives it (its text without trailing stops).
    void rowChanged(Row row);
    // After a file filled the rows: gaps closed and points counted, nothing completed or asked.
    void recountAll();

    // The entry lengths at the change before this one and at this one, shared by all rows: a
    // longer entry means the user typed, which is when a name is completed. They outlive one
    // editing, so the caller keeps them.
    struct Lengths
    {
        int previous = 0;
        int current = 0;
    };
    void setLengths(Lengths lengths) { m_lengths = lengths; }
    Lengths lengths() const { return m_lengths; }

    // The row whose typed name was completed, if any.
    std::optional<Row> completed() const { return m_completed; }

private:
    QString& entry(Row row);
    void remember(Row row);
    void excludedBy(Row row);
    void addShortToChild(const QString& entry);
    void keepList(bool flaws, bool withRules);
    void recount();

    Character& m_c;
    const RuleTables& m_tables;
    RuleQuestions& m_questions;
    Lengths m_lengths;
    QList<Row> m_handling;
    std::optional<Row> m_completed;
};
