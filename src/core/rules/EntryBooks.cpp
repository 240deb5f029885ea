#include "EntryBooks.h"

#include "rules/DataFile.h"
#include "rules/RuleTables.h"
#include "rules/SourcebookFilter.h"

EntryBooks::EntryBooks(const QStringList& dataLines, const SortedTextList& bookTitles,
                       const SortedTextList& chosenBooks, bool elderRules)
{
    // In the order the data first names them, so that an entry of several books is told by the
    // earliest, the core book before the later ones.
    QStringList titles;
    for (const QString& line : dataLines)
        if (DataFile::isHeader(line) && !titles.contains(DataFile::headerTitle(line)))
            titles.append(DataFile::headerTitle(line));
    RuleTables tables;
    for (const QString& title : std::as_const(titles)) {
        if (chosenBooks.find(title) >= 0)
            continue;
        SortedTextList only;
        only.add(title);
        tables.build(SourcebookFilter::applySelection(dataLines, bookTitles, only).ActiveLines,
                     elderRules);
        for (int t = 0; t < TableCount; ++t)
            for (const QString& entry : table(tables, Table(t)).items())
                if (!m_books[t].contains(entry)) // the first book read keeps it
                    m_books[t].insert(entry, title);
    }
}

QString EntryBooks::bookOf(Table table, const QString& entry) const
{
    return m_books[int(table)].value(entry);
}

const SortedTextList& EntryBooks::table(const RuleTables& tables, Table table)
{
    switch (table) {
    case Table::Clan:
        return tables.ClanNames;
    case Table::Archetype:
        return tables.Archetypes;
    case Table::Talent:
        return tables.TalentChoices;
    case Table::Skill:
        return tables.SkillChoices;
    case Table::Knowledge:
        return tables.KnowledgeChoices;
    case Table::SecondaryTalent:
        return tables.SecondaryTalents;
    case Table::SecondarySkill:
        return tables.SecondarySkills;
    case Table::SecondaryKnowledge:
        return tables.SecondaryKnowledges;
    case Table::Discipline:
        return tables.DisciplineNames;
    case Table::Background:
        return tables.Backgrounds;
    case Table::Path:
        return tables.PathNames;
    case Table::Merit:
        return tables.Merits;
    case Table::Flaw:
        return tables.Flaws;
    }
    return tables.Flaws;
}
