#include "EntryBooks.h"

#include "rules/DataFile.h"
#include "rules/RuleTables.h"
#include "rules/SourcebookFilter.h"

EntryBooks::EntryBooks(const QStringList& dataLines, const SortedTextList& bookTitles,
                       const SortedTextList& chosenBooks, const RuleTables& inUse, bool elderRules)
    : m_dataLines(dataLines), m_bookTitles(bookTitles), m_chosenBooks(chosenBooks),
      m_elderRules(elderRules)
{
    for (int t = 0; t < TableCount; ++t) {
        const QStringList& entries = table(inUse, Table(t)).items();
        m_inUse[t] = NameSet(entries.begin(), entries.end());
    }
    // The elder rules rename the background in the tables in use without a new choice of books.
    NameSet& backgrounds = m_inUse[int(Table::Background)];
    if (backgrounds.count(QStringLiteral("Generation")) ||
        backgrounds.count(QStringLiteral("Elder Generation")))
        backgrounds.insert({QStringLiteral("Generation"), QStringLiteral("Elder Generation")});
}

void EntryBooks::readBooksOutOfUse() const
{
    // The last index read is kept with the data it was read from, whose lines therefore stay
    // alive: the same lines at the same address are the same data. Loading one character after
    // another under the same books reads them once.
    struct Read
    {
        QStringList dataLines;
        QStringList chosenBooks;
        bool elderRules = false;
        std::shared_ptr<const BookIndex> books;
    };
    static Read last;
    if (last.books && last.dataLines.constData() == m_dataLines.constData() &&
        last.dataLines.size() == m_dataLines.size() && last.chosenBooks == m_chosenBooks.items() &&
        last.elderRules == m_elderRules) {
        m_books = last.books;
        return;
    }
    auto books = std::make_shared<BookIndex>();
    // In the order the data first names them, so that an entry of several books is told by the
    // earliest, the core book before the later ones.
    QStringList titles;
    for (const QString& line : m_dataLines)
        if (DataFile::isHeader(line) && !titles.contains(DataFile::headerTitle(line)))
            titles.append(DataFile::headerTitle(line));
    RuleTables tables;
    for (const QString& title : std::as_const(titles)) {
        if (m_chosenBooks.find(title) >= 0)
            continue;
        SortedTextList only;
        only.add(title);
        tables.build(SourcebookFilter::applySelection(m_dataLines, m_bookTitles, only).ActiveLines,
                     m_elderRules);
        for (int t = 0; t < TableCount; ++t)
            for (const QString& entry : table(tables, Table(t)).items())
                (*books)[t].try_emplace(entry, title); // the first book read keeps it
    }
    m_books = books;
    last = {m_dataLines, m_chosenBooks.items(), m_elderRules, std::move(books)};
}

std::size_t EntryBooks::NameHash::operator()(QStringView text) const noexcept
{
    std::size_t hash = 14695981039346656037ull;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 1099511628211ull;
    return hash;
}

QString EntryBooks::bookOf(Table table, QStringView entry) const
{
    if (!m_books)
        readBooksOutOfUse();
    const auto& books = (*m_books)[int(table)];
    const auto found = books.find(entry);
    return found == books.end() ? QString() : found->second;
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
