#include "VirtueRules.h"

#include <algorithm>

namespace VirtueRules {

std::array<QString, 3> virtueNames(const QString& virtueSet)
{
    std::array<QString, 3> names;
    const qsizetype open = virtueSet.indexOf(u'(');
    const qsizetype comma = virtueSet.indexOf(u',');
    if (comma < 0 || comma < open)
        return names;
    names[0] = virtueSet.mid(open + 1, comma - open - 1);
    const QString rest = virtueSet.mid(comma + 2);
    const qsizetype space = rest.indexOf(u' ');
    names[1] = rest.left(space);
    if (space < 0)
        return names;
    const QString last = rest.mid(space + 3);
    names[2] = last.left(last.indexOf(u')'));
    return names;
}

int humanityBase(int conscience, int selfControl, int agePenalty)
{
    return conscience + selfControl + agePenalty;
}

int bought(int rating, int base)
{
    return std::max(0, rating - base);
}

Derived derive(const Input& in)
{
    Derived d;
    const int base = humanityBase(in.Conscience, in.SelfControl, in.AgeHumanityPenalty);
    d.BoughtHumanity = std::clamp(in.BoughtHumanity, 0, std::max(0, in.HumanityDots - base));
    d.Humanity = in.HumanityFromVirtues ? base + d.BoughtHumanity : in.Humanity;
    if (d.Humanity > in.MaxHumanity && in.path == u"Humanity")
        d.Humanity = in.MaxHumanity;
    d.Humanity = std::min(d.Humanity, in.HumanityDots);
    d.humanityFreebies = d.Humanity - base;
    d.BoughtWillpower =
        std::clamp(in.BoughtWillpower, 0, std::max(0, in.WillpowerDots - in.Courage));
    d.Willpower = in.WillpowerFromVirtues ? in.Courage + d.BoughtWillpower : in.Willpower;
    d.Willpower = std::min(d.Willpower, in.WillpowerDots);
    d.willpowerFreebies = d.Willpower - in.Courage;
    return d;
}

bool asksToDetachHumanity(int humanity, int base, bool fromVirtues, int maxHumanity)
{
    return humanity < base && fromVirtues && humanity != maxHumanity;
}

bool asksToDetachWillpower(int willpower, int courage, bool fromVirtues)
{
    return willpower < courage && fromVirtues;
}

int pathBoxWidth(int textWidth)
{
    return std::clamp(textWidth, 70, 220);
}

} // namespace VirtueRules
