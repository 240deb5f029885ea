#pragma once

#include "rules/SortedTextList.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <unordered_map>
#include <unordered_set>

class RuleTables;

// Whether an entry is in the tables in use, and which book out of use brings one they lack, so
// that a row naming it can say where it comes from. Built once per choice of books, never
// during a pass, which only looks entries up. The books out of use are read only when an
// entry is first missing from the tables in use: most characters never need them.
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
    // The tables of the chosen books, and every other book of the data, each read on its own.
    EntryBooks(const QStringList& dataLines, const SortedTextList& bookTitles,
               const SortedTextList& chosenBooks, const RuleTables& inUse, bool elderRules);

    // Exactly as the tables in use write it; the generation background under either name.
    bool inUse(Table table, QStringView entry) const
    {
        return m_inUse[int(table)].find(entry) != m_inUse[int(table)].end();
    }

    // The title of a book out of use that has the entry; empty when no book has it.
    QString bookOf(Table table, QStringView entry) const;

    static const SortedTextList& table(const RuleTables& tables, Table table);

private:
    // FNV-1a: every pass looks up each row's name, and short names hash faster this way than
    // with the keyed hash of Qt's own containers.
    // Looked up by views of the rows' names, which are never copied for it.
    struct NameHash
    {
        using is_transparent = void;
        std::size_t operator()(QStringView text) const noexcept;
    };
    struct NameEqual
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
    };
    using NameSet = std::unordered_set<QString, NameHash, NameEqual>;

    using BookIndex =
        std::array<std::unordered_map<QString, QString, NameHash, NameEqual>, TableCount>;
    void readBooksOutOfUse() const;

    std::array<NameSet, TableCount> m_inUse;
    QStringList m_dataLines;
    SortedTextList m_bookTitles;
    SortedTextList m_chosenBooks;
    bool m_elderRules = false;
    // Each entry of a book out of use, with the first such book the data names it in.
    mutable std::shared_ptr<const BookIndex> m_books;
};
