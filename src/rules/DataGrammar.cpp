#include "DataGrammar.h"

#include "DataFile.h"

#include <QSet>

namespace DataGrammar {

namespace {

struct SectionShape
{
    const char* name;
    bool headers;
    int recordLength; // 0: the discipline section's own shape
};

constexpr SectionShape Sections[SectionCount] = {
    {"Clans", true, 6},
    {"Generations", false, 5},
    {"Archetypes", true, 1},
    {"Standard abilities", false, 1},
    {"Talent choices", true, 1},
    {"Skill choices", true, 1},
    {"Knowledge choices", true, 1},
    {"Secondary talents", true, 1},
    {"Secondary skills", true, 1},
    {"Secondary knowledges", true, 1},
    {"Backgrounds", true, 1},
    {"Disciplines", true, 0},
    {"Paths", true, 12},
    {"Merits", true, 1},
    {"Flaws", true, 1},
    {"Exclusive pairs", false, 2},
    {"Virtue sets", true, 1},
};

class Checker
{
public:
    explicit Checker(const QStringList& lines) : m_lines(lines) {}

    std::optional<Fault> run()
    {
        for (m_section = 1; m_section <= SectionCount; ++m_section) {
            const bool ok = m_section == 12 ? disciplines() : records();
            if (!ok)
                return m_fault;
            ++m_i; // past "---"
        }
        if (m_i < m_lines.size())
            return Fault{m_i, 0, QStringLiteral("nothing may follow the end of the last section")};
        return std::nullopt;
    }

private:
    const SectionShape& shape() const { return Sections[m_section - 1]; }
    bool atEnd() const { return m_i >= m_lines.size(); }
    const QString& line(qsizetype i) const { return m_lines[i]; }

    bool fail(qsizetype at, const QString& rule)
    {
        m_fault = Fault{at, m_section, rule};
        return false;
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
        QSet<QString> keys;
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
                    return fail(m_i, QStringLiteral("a record of %1 lines is cut short by \"---\"")
                                         .arg(length));
                if (DataFile::isHeader(line(m_i)))
                    return fail(m_i, shape().headers
                                         ? QStringLiteral("a record line must not begin with \"*\"")
                                         : QStringLiteral("no book header may stand in this section"));
            }
            if (line(start).isEmpty())
                return fail(start, QStringLiteral("a record must not begin with an empty line"));
            if (!recordRules(start, count, keys))
                return false;
            ++count;
        }
        return countRules(count);
    }

    bool recordRules(qsizetype start, int index, QSet<QString>& keys)
    {
        if (m_section == 1 || m_section == 13) {
            const QString key = line(start).toCaseFolded();
            if (keys.contains(key))
                return fail(start, m_section == 1 ? QStringLiteral("the clan name is used twice")
                                                  : QStringLiteral("the path name is used twice"));
            keys.insert(key);
        }
        if (m_section == 2 && DataFile::leadingNumber(line(start)) != index + 3)
            return fail(start, QStringLiteral("generation record %1 must describe generation %2")
                                   .arg(index + 1)
                                   .arg(index + 3));
        return true;
    }

    bool countRules(int count)
    {
        if (m_section == 2 && count != 13)
            return fail(m_i, QStringLiteral("the generations 3 to 15 need 13 records, found %1")
                                 .arg(count));
        if (m_section == 4 && count != 30)
            return fail(m_i, QStringLiteral("the standard abilities need 30 records, found %1")
                                 .arg(count));
        return true;
    }

    bool disciplines()
    {
        QSet<QString> names;
        bool blockStart = true;
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
                names.insert(text.toCaseFolded());
                if (names.size() > MaxDisciplines)
                    return fail(m_i, QStringLiteral("more than %1 disciplines").arg(MaxDisciplines));
            }
            ++m_i;
        }
    }

    const QStringList& m_lines;
    qsizetype m_i = 0;
    int m_section = 1;
    Fault m_fault;
};

} // namespace

QString sectionName(int section)
{
    if (section < 1 || section > SectionCount)
        return QStringLiteral("after the last section");
    return QString::fromLatin1(Sections[section - 1].name);
}

std::optional<Fault> check(const QStringList& lines)
{
    return Checker(lines).run();
}

} // namespace DataGrammar
