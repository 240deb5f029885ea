#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// What the chosen clan does to the sheet: the three clan disciplines, Appearance 0, and the
// merits and flaws the clan makes meaningless. A clan named with its edition, such as
// "Samedi (Revised)", follows the rules of the clan itself.
namespace ClanRules {

// Clans without fixed disciplines.
bool isCaitiff(const QString& clan);
// Clans whose members have Appearance 0.
bool hasZeroAppearance(const QString& clan);

struct Discipline
{
    QString name; // trailing full stops stripped
    int rating = 0;
    bool operator==(const Discipline&) const = default;
};

// The discipline rows after a clan change: the clan's three disciplines first, each with the
// rating it already had on the sheet, then the other rated disciplines in their old order.
// Unrated disciplines of no clan are dropped.
std::vector<Discipline> rebuiltDisciplines(const std::vector<Discipline>& current,
                                           const std::array<QString, 3>& clanDisciplines);

struct Context
{
    QString clan;
    bool zeroAppearance = false;
};

// The new text of a flaw or merit row under the clan's rules: nullopt keeps the row, an
// empty text removes the entry. Entries are compared without trailing full stops.
std::optional<QString> flawUnderClan(const QString& entry, const Context& clan);
std::optional<QString> meritUnderClan(const QString& entry, const Context& clan);

// The merit and flaw lists as the walk below sees them. Count and entry are asked again at
// every step, since replacing an entry may move the rows under the walk.
struct Lists
{
    std::function<int(bool flaw)> count;
    std::function<QString(bool flaw, int row)> entry;
    std::function<void(bool flaw, int row, const QString& entry)> replace;
};

// Every flaw row, then every merit row, under the clan's rules: replace is called for each
// entry the clan changes (an empty text withdraws it).
void applyToLists(const Context& clan, const Lists& lists);

} // namespace ClanRules
