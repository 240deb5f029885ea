#include "RulesPack.h"

#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace RulesPack {

namespace {

using DataGrammar::SectionCount;

// Exclusive pairs belong to no book, so a pack adds them without a header; so do the lines of
// the experience chart, which replace those of the same kind before them.
constexpr int PairsSection = 16;
using DataGrammar::ChartSection;
using DataGrammar::RequiredSections;

// The merged lines and, for each, the file it came from and its line there.
struct Merged
{
    QStringList lines;
    QList<int> origins;     // index into names; 0 is the base
    QList<int> sourceLines; // 1-based
    QStringList names;
};

struct Section
{
    QStringList lines;
    QList<int> sourceLines;
};

using Sections = std::array<Section, SectionCount>;

Merged fromBase(const QStringList& base)
{
    Merged merged;
    merged.lines = base;
    merged.origins = QList<int>(base.size(), 0);
    merged.sourceLines.reserve(base.size());
    for (qsizetype i = 0; i < base.size(); ++i)
        merged.sourceLines.append(int(i + 1));
    merged.names.append(QString());
    return merged;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool wellFormedHeader(const QString& line)
{
    return line.size() > 5 && std::all_of(line.begin() + 1, line.begin() + 5, isAsciiDigit);
}

bool storable(const QString& line)
{
    QByteArray plain;
    return DataFile::joinLines({line}, plain);
}

// Splits the pack into its sections and checks what the grammar of the whole data cannot
// see: the pack's own shape, its headers and its characters.
QList<Problem> split(const QString& fileName, const QByteArray& bytes, Sections& sections)
{
    const DataSource::Lines source = DataSource::parse(bytes);
    QList<Problem> problems;
    auto problem = [&](int section, int line, const QString& reason) {
        problems.append({fileName, section, line, reason});
    };
    int section = 1;
    for (qsizetype i = 0; i < source.lines.size(); ++i) {
        const QString& text = source.lines[i];
        const int at = source.sourceLine[i];
        if (section > SectionCount) {
            problem(0, at, QStringLiteral("nothing may follow the last section's \"---\""));
            return problems;
        }
        if (DataFile::isSectionEnd(text)) {
            ++section;
            continue;
        }
        if (!storable(text))
            problem(section, at,
                    QStringLiteral("the line holds a character that is not valid "
                                   "UTF-8 or that Windows-1252 cannot store"));
        if (DataFile::isHeader(text) && !wellFormedHeader(text))
            problem(section, at,
                    QStringLiteral("a book header is \"*\", a four-digit book code "
                                   "and the title"));
        Section& lines = sections[section - 1];
        if (lines.lines.isEmpty()) {
            const bool headers = DataGrammar::allowsHeaders(section);
            if (!headers && section != PairsSection && section != ChartSection)
                problem(section, at, QStringLiteral("a pack cannot add to this section"));
            else if (headers && !DataFile::isHeader(text))
                problem(section, at,
                        QStringLiteral("a pack holds only book blocks: the section "
                                       "must begin with a book header"));
        }
        lines.lines.append(text);
        lines.sourceLines.append(at);
    }
    // Past the seventeenth "---" a pack may end, but not inside a section it began.
    if (section <= RequiredSections ||
        (section <= SectionCount && !sections[section - 1].lines.isEmpty())) {
        const int last = source.sourceLine.isEmpty() ? 1 : source.sourceLine.last();
        problem(section, last,
                QStringLiteral("the pack ends in section %1; each of the seventeen sections, "
                               "and any later one it begins, needs its closing \"---\"")
                    .arg(section));
    }
    return problems;
}

// Section k's lines go just before the closing "---" of section k.
Merged withPack(const Merged& merged, const Sections& sections, const QString& fileName)
{
    Merged result;
    const int origin = int(merged.names.size());
    result.names = merged.names;
    result.names.append(fileName);
    qsizetype added = 0;
    for (const Section& section : sections)
        added += section.lines.size();
    result.lines.reserve(merged.lines.size() + added);
    result.origins.reserve(merged.lines.size() + added);
    result.sourceLines.reserve(merged.lines.size() + added);
    int section = 0;
    const auto addSection = [&](int index) {
        const Section& pack = sections[index];
        result.lines += pack.lines;
        result.origins += QList<int>(pack.lines.size(), origin);
        result.sourceLines += pack.sourceLines;
    };
    for (qsizetype i = 0; i < merged.lines.size(); ++i) {
        if (section < SectionCount && DataFile::isSectionEnd(merged.lines[i]))
            addSection(section++);
        result.lines.append(merged.lines[i]);
        result.origins.append(merged.origins[i]);
        result.sourceLines.append(merged.sourceLines[i]);
    }
    // Data that ends before the chart gets the sections up to it, the pack's chart last.
    const Section& chart = sections[ChartSection - 1];
    if (section < ChartSection && !chart.lines.isEmpty()) {
        for (; section < ChartSection; ++section) {
            if (section == ChartSection - 1)
                addSection(section);
            result.lines.append(QStringLiteral("---"));
            result.origins.append(origin);
            result.sourceLines.append(chart.sourceLines.last());
        }
    }
    return result;
}

QString placeOf(const Merged& merged, int origin, qsizetype index)
{
    const int line = merged.sourceLines.value(index);
    const int from = merged.origins.value(index);
    if (from == origin)
        return QStringLiteral("at line %1").arg(line);
    const QString file = from == 0 ? QStringLiteral("the rules data")
                                   : QStringLiteral("\"%1\"").arg(merged.names.value(from));
    return QStringLiteral("in %1, line %2").arg(file).arg(line);
}

// The grammar sees the merged lines; a fault it finds on a line of the base (the "---" that
// cuts a pack's record short) belongs to the nearest line of the pack before it.
Problem problemAt(const Merged& merged, int origin, const DataGrammar::Fault& fault)
{
    const qsizetype at = qMin(fault.line, merged.lines.size() - 1);
    qsizetype owned = merged.origins.lastIndexOf(origin, at);
    if (owned < 0)
        owned = merged.origins.indexOf(origin, at + 1);
    const int line = owned < 0 ? 1 : merged.sourceLines[owned];
    QString reason = fault.rule;
    if (fault.earlierLine >= 0)
        reason +=
            QStringLiteral(" (first given %1)").arg(placeOf(merged, origin, fault.earlierLine));
    return {merged.names.value(origin), fault.section, line, reason};
}

// Merges the pack into merged when it is sound; returns its faults otherwise.
QList<Problem> mergeInto(Merged& merged, const QString& fileName, const QByteArray& bytes)
{
    Sections sections;
    QList<Problem> problems = split(fileName, bytes, sections);
    if (!problems.isEmpty())
        return problems;
    Merged trial = withPack(merged, sections, fileName);
    const int origin = int(trial.names.size() - 1);
    for (const DataGrammar::Fault& fault : DataGrammar::faults(trial.lines, trial.origins))
        problems.append(problemAt(trial, origin, fault));
    if (problems.isEmpty())
        merged = std::move(trial);
    return problems;
}

} // namespace

QString Problem::text() const
{
    if (line == 0)
        return QStringLiteral("%1: %2").arg(fileName, reason);
    if (section == 0)
        return QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(reason);
    return QStringLiteral("%1, section %2 (%3), line %4: %5")
        .arg(fileName)
        .arg(section)
        .arg(DataGrammar::sectionName(section))
        .arg(line)
        .arg(reason);
}

QList<Problem> check(const QStringList& baseLines, const QString& fileName, const QByteArray& bytes)
{
    Merged merged = fromBase(baseLines);
    return mergeInto(merged, fileName, bytes);
}

Result merge(const QStringList& baseLines, const QList<PackFile>& packs)
{
    Merged merged = fromBase(baseLines);
    Result result;
    for (const PackFile& pack : packs) {
        if (!pack.readError.isEmpty()) {
            result.problems.append(
                {pack.fileName, 0, 0,
                 QStringLiteral("the file cannot be read: %1").arg(pack.readError)});
            continue;
        }
        const QList<Problem> problems = mergeInto(merged, pack.fileName, pack.bytes);
        if (problems.isEmpty())
            result.mergedFiles.append(pack.fileName);
        else
            result.problems.append(problems.first());
    }
    result.lines = std::move(merged.lines);
    return result;
}

QList<PackFile> readFolders(const QStringList& folders)
{
    QFileInfoList files;
    for (const QString& folder : folders)
        files += QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    std::stable_sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.fileName() < b.fileName();
    });

    QList<PackFile> packs;
    for (const QFileInfo& info : files) {
        PackFile pack;
        pack.fileName = QDir::toNativeSeparators(info.filePath());
        QFile file(info.filePath());
        if (info.size() > MaxFileSize)
            pack.readError = QStringLiteral("it is larger than %1 MB").arg(MaxFileSize >> 20);
        else if (!file.open(QIODevice::ReadOnly))
            pack.readError = file.errorString();
        else
            pack.bytes = file.read(MaxFileSize + 1);
        if (pack.readError.isEmpty() && file.error() != QFileDevice::NoError)
            pack.readError = file.errorString();
        else if (pack.bytes.size() > MaxFileSize) // a device or a file that grew meanwhile
            pack.readError = QStringLiteral("it is larger than %1 MB").arg(MaxFileSize >> 20);
        if (!pack.readError.isEmpty())
            pack.bytes.clear();
        packs.append(pack);
    }
    return packs;
}

QString message(const QList<Problem>& problems)
{
    if (problems.isEmpty())
        return {};
    QStringList lines;
    for (const Problem& problem : problems)
        lines.append(problem.text() + u'.');
    return QStringLiteral("These rules packs were left out; the rest of the rules data is in "
                          "use.\n\n%1")
        .arg(lines.join(u'\n'));
}

} // namespace RulesPack
