#include "DataGrammar.h"

#include "DataFile.h"
#include "ExperienceChart.h"

#include <QHash>

namespace DataGrammar {

namespace {

struct SectionShape
{
    const char* name;
    bool headers;
    int recordLength; // 0: the discipline section's own shape
    bool named;       // the first line of a record names it (a clan, a merit...)
};

constexpr SectionShape Sections[SectionCount] = {
    {"Clans", true, 6, true},
    {"Generations", false, 5, false},
    {"Archetypes", true, 1, true},
    {"Standard abilities", false, 1, false},
    {"Talent choices", true, 1, true},
    {"Skill choices", true, 1, true},
    {"Knowledge choices", true, 1, true},
    {"Secondary talents", true, 1, true},
    {"Secondary skills", true, 1, true},
    {"Secondary knowledges", true, 1, true},
    {"Backgrounds", true, 1, true},
    {"Disciplines", true, 0, true},
    {"Paths", true, 12, true},
    {"Merits", true, 1, true},
    {"Flaws", true, 1, true},
    {"Exclusive pairs", false, 2, false},
    {"Virtue sets", true, 1, true},
    {"Specialties", false, 1, false},
    {"Experience costs", false, 1, false},
};

class Checker
{
public:
    Checker(const QStringList& lines, const QList<int>& origins)
        : m_lines(lines), m_origins(origins)
    {
    }

    QList<Fault> run()
    {
        for (m_section = 1; m_section <= SectionCount; ++m_section) {
            if (m_section > RequiredSections && atEnd())
                break;
            const bool ok = m_section == 12 ? disciplines() : records();
            if (!ok)
                return m_faults;
            ++m_i; // past "---"
        }
        if (m_i < m_lines.size())
            m_faults.append(
                {m_i, 0, QStringLiteral("nothing may follow the end of the last section")});
        return m_faults;
    }

private:
    const SectionShape& shape() const { return Sections[m_section - 1]; }
    bool atEnd() const { return m_i >= m_lines.size(); }
    const QString& line(qsizetype i) const { return m_lines[i]; }

    // A break of the grammar: nothing after it can be read reliably.
    bool fail(qsizetype at, const QString& rule)
    {
        m_faults.append({at, m_section, rule});
        return false;
    }

    // A fault of content: the walk goes on.
    void note(qsizetype at, const QString& rule, qsizetype earlier = -1)
    {
        m_faults.append({at, m_section, rule, earlier});
    }

    int origin(qsizetype i) const { return m_origins.value(i); }

    // Clans and paths key parallel columns and must be unique; any other name only clashes
    // with one that another file gave.
    void nameRules(qsizetype at, QHash<QString, qsizetype>& names)
    {
        if (!shape().named)
            return;
        const QString key = line(at).toCaseFolded();
        const auto first = names.constFind(key);
        if (first == names.cend()) {
            names.insert(key, at);
        } else if (m_section == 1 || m_section == 13) {
            note(at,
                 m_section == 1 ? QStringLiteral("the clan name is used twice")
                                : QStringLiteral("the path name is used twice"),
                 *first);
        } else if (origin(*first) != origin(at)) {
            note(at, QStringLiteral("\"%1\" is already defined in this section").arg(line(at)),
                 *first);
        }
    }

    bool missingEnd()
    {
        return fail(qMax<qsizetype>(0, m_lines.size() - 1),
                    QStringLiteral("the section has no closing \"---\""));
    }

    // A header may open a block; it must be followed by a record of this section.
    bool skipHeader()
    {
        if (!DataFile::isHeader(line(m_i)))
            return true;
        if (!shape().headers)
            return fail(m_i, QStringLiteral("no book header may stand in this section"));
        ++m_i;
        if (atEnd())
            return missingEnd();
        if (DataFile::isSectionEnd(line(m_i)) || DataFile::isHeader(line(m_i)))
            return fail(m_i, QStringLiteral("a book header must be followed by a record"));
        return true;
    }

    bool records()
    {
        const int length = shape().recordLength;
        QHash<QString, qsizetype> names;
        int count = 0;
        while (true) {
            if (atEnd())
                return missingEnd();
            if (DataFile::isSectionEnd(line(m_i)))
                break;
            if (!skipHeader())
                return false;
            const qsizetype start = m_i;
            for (int j = 0; j < length; ++j, ++m_i) {
                if (atEnd())
                    return missingEnd();
                if (DataFile::isSectionEnd(line(m_i)))
                    return fail(
                        m_i,
                        QStringLiteral("a record of %1 lines is cut short by \"---\"").arg(length));
                if (DataFile::isHeader(line(m_i)))
                    return fail(m_i,
                                shape().headers
                                    ? QStringLiteral("a record line must not begin with \"*\"")
                                    : QStringLiteral("no book header may stand in this section"));
            }
            if (line(start).isEmpty())
                return fail(start, QStringLiteral("a record must not begin with an empty line"));
            nameRules(start, names);
            if (!recordRules(start, count))
                return false;
            ++count;
        }
        return countRules(count);
    }

    bool recordRules(qsizetype start, int index)
    {
        if (m_section == ChartSection)
            if (const auto fault = ExperienceChart::lineFault(line(start)))
                return fail(start, *fault);
        if (m_section == SpecialtiesSection && line(start).indexOf(QStringLiteral(": ")) <= 0)
            return fail(start, QStringLiteral("a specialty line is the trait's name, \": \" and "
                                              "the specialty"));
        if (m_section == 2 && DataFile::leadingNumber(line(start)) != index + 3)
            return fail(start, QStringLiteral("generation record %1 must describe generation %2")
                                   .arg(index + 1)
                                   .arg(index + 3));
        return true;
    }

    bool countRules(int count)
    {
        if (m_section == 2 && count != 13)
            return fail(
                m_i,
                QStringLiteral("the generations 3 to 15 need 13 records, found %1").arg(count));
        if (m_section == 4 && count != 30)
            return fail(
                m_i, QStringLiteral("the standard abilities need 30 records, found %1").arg(count));
        return true;
    }

    bool disciplines()
    {
        QHash<QString, qsizetype> names;
        bool blockStart = true;
        bool tooMany = false;
        while (true) {
            if (atEnd())
                return missingEnd();
            const QString& text = line(m_i);
            if (DataFile::isSectionEnd(text))
                return true;
            if (DataFile::isHeader(text)) {
                if (!skipHeader())
                    return false;
                blockStart = true;
                continue;
            }
            if (text.isEmpty())
                return fail(m_i, QStringLiteral("an empty line may not stand in this section"));
            const bool isName = DataFile::leadingNumber(text) == 0;
            if (blockStart && !isName)
                return fail(m_i, QStringLiteral("a block must begin with a discipline name, not a "
                                                "power line"));
            blockStart = false;
            if (isName) {
                nameRules(m_i, names);
                if (names.size() > MaxDisciplines && !tooMany) {
                    note(m_i, QStringLiteral("more than %1 disciplines").arg(MaxDisciplines));
                    tooMany = true;
                }
            }
            ++m_i;
        }
    }

    const QStringList& m_lines;
    const QList<int>& m_origins;
    qsizetype m_i = 0;
    int m_section = 1;
    QList<Fault> m_faults;
};

} // namespace

QString sectionName(int section)
{
    if (section < 1 || section > SectionCount)
        return QStringLiteral("after the last section");
    return QString::fromLatin1(Sections[section - 1].name);
}

bool allowsHeaders(int section)
{
    return section >= 1 && section <= SectionCount && Sections[section - 1].headers;
}

std::optional<Fault> check(const QStringList& lines)
{
    const QList<Fault> all = faults(lines);
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

QList<Fault> faults(const QStringList& lines, const QList<int>& origins)
{
    return Checker(lines, origins).run();
}

} // namespace DataGrammar
