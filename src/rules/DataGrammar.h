#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The line grammar of the rules data and the content rules the table builder relies on.
namespace DataGrammar {

inline constexpr int SectionCount = 17;
inline constexpr int MaxDisciplines = 30;

struct Fault
{
    qsizetype line = 0; // 0-based index into the checked lines
    int section = 0;    // 1 to 17; 0 when the fault lies after the last section
    QString rule;
};

// The name of section 1 to 17, as a reader of the data source knows it.
QString sectionName(int section);

// Checks every section in order; returns the first fault found.
std::optional<Fault> check(const QStringList& lines);

} // namespace DataGrammar
