#include "ClanRules.h"

#include <algorithm>

namespace ClanRules {

bool isCaitiff(const QString& clan)
{
    return clan == u"Caitiff" || clan == u"Panders (Sabbat Caitiff)";
}

bool hasZeroAppearance(const QString& clan)
{
    return clan == u"Nosferatu" || clan == u"Nosferatu Antitribu" || clan == u"Samedi"
           || clan == u"Gargoyles";
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
    if ((entry == u"Selective Digestion (2)" || entry == u"Prey Exclusion (1)")
        && clan.clan == u"Ventrue")
        return QString();
    if (entry == u"Monstrous (1)" && !clan.zeroAppearance)
        return QStringLiteral("Monstrous (3)");
    if (entry == u"Monstrous (3)" && clan.zeroAppearance)
        return QStringLiteral("Monstrous (1)");
    if (entry == u"Disfigured (2)" && clan.zeroAppearance)
        return QString();
    if (entry == u"Cast No Reflection (2)"
        && (clan.clan == u"Lasombra" || clan.clan == u"Old Clan Lasombra"))
        return QString();
    // Older characters may carry the clan name misspelt; both mean the same clan.
    if (entry == u"Insane Sire (1)"
        && (clan.clan == u"Malkavian" || clan.clan == u"Malkavian Antitribu"
            || clan.clan == u"Malkavian Anititribu"))
        return QString();
    return std::nullopt;
}

std::optional<QString> meritUnderClan(const QString& entry, const Context& clan)
{
    if (entry == u"Baby Face (2)" && clan.zeroAppearance)
        return QString();
    return std::nullopt;
}

} // namespace ClanRules
