#include "CharacterEditing.h"

#include "engine/RuleQuestions.h"
#include "engine/VirtueRules.h"

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

} // namespace CharacterEditing
