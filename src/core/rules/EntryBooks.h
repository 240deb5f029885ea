#pragma once

#include "rules/SortedTextList.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

class RuleTables;

// Which book out of use brings an entry that the tables in use lack, so that a row naming it
// can say where it comes from. Built once per choice of books, never during a pass.
class EntryBooks
{
public:
    enum class Table {
        Clan,
        Archetype,
        Talent,
        Skill,
        Knowledge,
        SecondaryTalent,
        SecondarySkill,
        SecondaryKnowledge,
        Discipline,
        Background,
        Path,
        Merit,
        Flaw
    };
    static constexpr int TableCount = int(Table::Flaw) + 1;

    EntryBooks() = default;
    // Every book of the data that is not chosen, each read on its own.
    EntryBooks(const QStringList& dataLines, const SortedTextList& bookTitles,
               const SortedTextList& chosenBooks, bool elderRules);

    // The title of a book out of use that has the entry; empty when no book has it.
    QString bookOf(Table table, const QString& entry) const;

    static const SortedTextList& table(const RuleTables& tables, Table table);

private:
    std::array<QHash<QString, QString>, TableCount> m_books;
};
