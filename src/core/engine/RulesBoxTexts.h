#pragma once

#include <QString>

// The texts of the Rules panel's setting boxes, as typed. A default instance holds the
// initial texts, which are those of the Camarilla preset.
struct RulesBoxTexts
{
    QString AttPriEdit = QStringLiteral("7");
    QString AttSecEdit = QStringLiteral("5");
    QString AttTerEdit = QStringLiteral("3");
    QString AbPriEdit = QStringLiteral("13");
    QString AbSecEdit = QStringLiteral("9");
    QString AbTerEdit = QStringLiteral("5");
    QString DisciplineEdit = QStringLiteral("3");
    QString BackgroundEdit = QStringLiteral("5");
    QString VirtueEdit = QStringLiteral("7");
    QString StartingGenerationEdit = QStringLiteral("13");
    QString VirtueNamesEdit = QStringLiteral("Human (Conscience, Self-Control & Courage)");
    QString MaxPrimaryEdit = QStringLiteral("3");
    QString MaxSecondaryEdit = QStringLiteral("3");
    QString MaxHumanityEdit = QStringLiteral("Unlimited");
    QString FreebiesEdit = QStringLiteral("15");

    bool operator==(const RulesBoxTexts&) const = default;
};
