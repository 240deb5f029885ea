#include "ClanRules.h"

#include <algorithm>

namespace ClanRules {

namespace {

// A clan as a later edition tells it ("Malkavian (Revised)") keeps the clan's own rules.
QStringView ruleClan(const QString& clan)
{
    static constexpr QStringView Edition = u" (Revised)";
    return clan.endsWith(Edition) ? QStringView(clan).chopped(Edition.size()) : QStringView(clan);
}

} // namespace

bool isCaitiff(const QString& clan)
{
    const QStringView c = ruleClan(clan);
    return c == u"Caitiff" || c == u"Panders (Sabbat Caitiff)";
}

bool hasZeroAppearance(const QString& clan)
{
    const QStringView c = ruleClan(clan);
    return c == u"Nosferatu" || c == u"Nosferatu Antitribu" || c == u"Samedi" || c == u"Gargoyles";
}

std::vector<Discipline> rebuiltDisciplines(const std::vector<Discipline>& current,
                                           const std::array<QString, 3>& clanDisciplines)
{
    auto ratingOf = [&current](const QString& name) {
        const auto found = std::find_if(current.begin(), current.end(),
                                        [&name](const Discipline& d) { return d.name == name; });
        return found == current.end() ? 0 : found->rating;
    };
    std::vector<Discipline> rebuilt;
    auto listed = [&rebuilt](const QString& name) {
        return std::any_of(rebuilt.begin(), rebuilt.end(),
                           [&name](const Discipline& d) { return d.name == name; });
    };
    for (const QString& name : clanDisciplines)
        rebuilt.push_back({name, ratingOf(name)});
    for (const Discipline& d : current)
        if (d.rating > 0 && !listed(d.name))
            rebuilt.push_back(d);
    return rebuilt;
}

std::optional<QString> flawUnderClan(const QString& entry, const Context& clan)
{
    const QStringView c = ruleClan(clan.clan);
    if ((entry == u"Selective Digestion (2)" || entry == u"Prey Exclusion (1)") && c == u"Ventrue")
        return QString();
    if (entry == u"Monstrous (1)" && !clan.zeroAppearance)
        return QStringLiteral("Monstrous (3)");
    if (entry == u"Monstrous (3)" && clan.zeroAppearance)
        return QStringLiteral("Monstrous (1)");
    if (entry == u"Disfigured (2)" && clan.zeroAppearance)
        return QString();
    // The flaw costs 2 points in the second edition and 1 in the revised rules.
    if ((entry == u"Cast No Reflection (2)" || entry == u"Cast No Reflection (1)") &&
        (c == u"Lasombra" || c == u"Old Clan Lasombra" || c == u"Lasombra Antitribu"))
        return QString();
    // Older characters may carry the clan name misspelt; both mean the same clan.
    if (entry == u"Insane Sire (1)" &&
        (c == u"Malkavian" || c == u"Malkavian Antitribu" || c == u"Malkavian Anititribu"))
        return QString();
    return std::nullopt;
}

std::optional<QString> meritUnderClan(const QString& entry, const Context& clan)
{
    if (entry == u"Baby Face (2)" && clan.zeroAppearance)
        return QString();
    return std::nullopt;
}

void applyToLists(const Context& clan, const Lists& lists)
{
    for (const bool flaw : {true, false})
        for (int r = 0; r < lists.count(flaw); ++r) {
            const QString entry = lists.entry(flaw, r);
            const auto replaced = flaw ? flawUnderClan(entry, clan) : meritUnderClan(entry, clan);
            if (replaced && *replaced != entry)
                lists.replace(flaw, r, *replaced);
        }
}

} // namespace ClanRules
