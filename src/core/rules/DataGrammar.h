#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The line grammar of the rules data and the content rules the table builder relies on.
namespace DataGrammar {

inline constexpr int SectionCount = 19;
// A data source may end after the virtue sets: the suggested specialties and the experience
// chart are optional (without a chart the revised one applies).
inline constexpr int RequiredSections = 17;
inline constexpr int SpecialtiesSection = 18;
inline constexpr int ChartSection = 19;
// All books together; the rule tables keep one power list for each.
inline constexpr int MaxDisciplines = 60;

struct Fault
{
    qsizetype line = 0; // 0-based index into the checked lines
    int section = 0;    // 1 to 19; 0 when the fault lies after the last section
    QString rule;
    qsizetype earlierLine = -1; // for a name given twice: the line that gave it first
};

// The name of section 1 to 19, as a reader of the data source knows it.
QString sectionName(int section);

// Whether book header lines may stand in section 1 to 19.
bool allowsHeaders(int section);

// Checks every section in order; returns the first fault found.
std::optional<Fault> check(const QStringList& lines);

// Every fault in line order. The walk ends at the first break of the grammar; content faults
// (a clan or path named twice, too many disciplines) do not end it. With origins, one per
// line (which file each line came from), a record name that a line of another origin gave
// before in the same section is a fault as well.
QList<Fault> faults(const QStringList& lines, const QList<int>& origins = {});

} // namespace DataGrammar
