#include "CharacterEditing.h"

#include "engine/CharacterPass.h"
#include "engine/ClanRules.h"
#include "engine/RuleQuestions.h"
#include "engine/VirtueRules.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

namespace CharacterEditing {

bool humanitySet(Character& c, RuleQuestions& questions)
{
    const int chosen = c.humanity.rating;
    const int base = VirtueRules::humanityBase(c.virtues[0].rating, c.virtues[1].rating,
                                               c.counters.AgeHumanityPenalty);
    c.counters.BoughtHumanity = VirtueRules::bought(chosen, base);
    if (!VirtueRules::asksToDetachHumanity(chosen, base, c.settings.HumanityFromVirtues,
                                           c.settings.MaxHumanity))
        return false;
    if (questions.ask(QStringLiteral("Detach Humanity or Path from Virtues?"), QStringLiteral("Yes"),
                      QStringLiteral("No"))
        != 1)
        return false;
    c.settings.HumanityFromVirtues = false;
    return true;
}

bool willpowerSet(Character& c, RuleQuestions& questions)
{
    const int chosen = c.willpower.rating;
    const int courage = c.virtues[2].rating;
    c.counters.BoughtWillpower = VirtueRules::bought(chosen, courage);
    if (!VirtueRules::asksToDetachWillpower(chosen, courage, c.settings.WillpowerFromVirtues))
        return false;
    if (questions.ask(QStringLiteral("Detach Willpower from Virtues?"), QStringLiteral("Yes"),
                      QStringLiteral("No"))
        != 1)
        return false;
    c.settings.WillpowerFromVirtues = false;
    return true;
}

bool clanSet(Character& c, const RuleTables& tables)
{
    c.counters.ZeroAppearanceClan = false;
    const QString& clan = c.header[5];
    const qsizetype index = tables.clanIndex(clan);
    if (index < 0)
        return false;
    c.counters.CaitiffClan = ClanRules::isCaitiff(clan);
    c.counters.ZeroAppearanceClan = ClanRules::hasZeroAppearance(clan);
    if (c.counters.CaitiffClan)
        return false;
    std::vector<ClanRules::Discipline> current;
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        current.push_back({TextRoutines::StripDots(c.disciplines[r].name), c.disciplines[r].rating});
    const auto rebuilt = ClanRules::rebuiltDisciplines(
        current, {tables.ClanDiscipline1.value(index), tables.ClanDiscipline2.value(index),
                  tables.ClanDiscipline3.value(index)});
    const int count = int(std::min<std::size_t>(rebuilt.size(), SheetLayout::RowsPerGroup));
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        Character::Trait& row = c.disciplines[r];
        row.name = r < count ? rebuilt[r].name : QString();
        CharacterPass::setRating(row, r < count ? rebuilt[r].rating : 0);
        CharacterPass::setFreebies(row, 0);
    }
    c.rows.DisciplineRows = count;
    return true;
}

} // namespace CharacterEditing
