#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Merits and flaws as the rows of the sheet hold them: an entry is a row's text without its
// trailing full stops, and ends with its cost in parentheses, such as "Baby Face (2)".
namespace MeritFlawRules {

// The number in the (at most two) characters after the last "("; 0 without one.
int cost(const QString& entry);

// The entry without its cost: its last four characters cut, as the tables write it.
QString withoutCost(const QString& entry);

// A typed name completed with its cost from the tables (merits first), if one matches.
std::optional<QString> completion(const QString& typed, const QStringList& merits,
                                  const QStringList& flaws);

// The question asked when the entry just taken excludes one already on the sheet.
QString exclusionQuestion(const QString& taken, const QString& other);

// The rows of one list after closing gaps: the entries in order, then one empty row while
// fewer than 20 are filled. Returns the row count.
int closeGaps(QStringList& entries);

struct Totals
{
    int MeritPoints = 0;
    int FlawPoints = 0;
    bool HugeSize = false;
    bool ZeroAppearanceFlaw = false;
    int TalentPenalty = 0;
    int SkillPenalty = 0;
    int KnowledgePenalty = 0;
    bool operator==(const Totals&) const = default;
};
// Every filled row counts, the twentieth of a full list too.
Totals totals(const QStringList& merits, const QStringList& flaws);

inline constexpr int FlawWarningLimit = 7;

} // namespace MeritFlawRules
