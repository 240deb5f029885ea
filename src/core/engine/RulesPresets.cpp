#include "engine/RulesPresets.h"

namespace RulesPresets {

namespace {

// Everything but the virtue set, which the Elder preset does not compare.
bool sameNumbers(const RulesBoxTexts& a, const RulesBoxTexts& b)
{
    RulesBoxTexts withVirtues = a;
    withVirtues.VirtueNamesEdit = b.VirtueNamesEdit;
    return withVirtues == b;
}

} // namespace

RulesBoxTexts Camarilla()
{
    return RulesBoxTexts{};
}

RulesBoxTexts Sabbat()
{
    RulesBoxTexts texts;
    texts.DisciplineEdit = QStringLiteral("4");
    texts.BackgroundEdit = QStringLiteral("0");
    texts.VirtueEdit = QStringLiteral("5");
    texts.VirtueNamesEdit = QStringLiteral("Sabbat (Callousness, Instincts & Morale)");
    texts.MaxHumanityEdit = QStringLiteral("5");
    return texts;
}

RulesBoxTexts Elder()
{
    RulesBoxTexts texts;
    texts.AttPriEdit = QStringLiteral("10");
    texts.AttSecEdit = QStringLiteral("7");
    texts.AttTerEdit = QStringLiteral("5");
    texts.AbPriEdit = QStringLiteral("20");
    texts.AbSecEdit = QStringLiteral("12");
    texts.AbTerEdit = QStringLiteral("8");
    texts.DisciplineEdit = QStringLiteral("10");
    texts.BackgroundEdit = QStringLiteral("15");
    texts.StartingGenerationEdit = QStringLiteral("10");
    texts.FreebiesEdit = QStringLiteral("20");
    return texts;
}

PresetMatch matchingPresets(const RulesBoxTexts& boxes, bool ElderRules)
{
    PresetMatch match;
    match.Camarilla = boxes == Camarilla();
    match.Sabbat = boxes == Sabbat();
    match.Elder = ElderRules && sameNumbers(boxes, Elder());
    return match;
}

} // namespace RulesPresets
