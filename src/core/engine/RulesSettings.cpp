#include "engine/RulesSettings.h"

#include "engine/RulesBoxTexts.h"

int settingValue(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : fallback;
}

void readRulesBoxes(const RulesBoxTexts& boxes, RulesSettings& settings)
{
    settings.AttributePriorities = {settingValue(boxes.AttPriEdit, 7),
                                    settingValue(boxes.AttSecEdit, 5),
                                    settingValue(boxes.AttTerEdit, 3)};
    settings.AbilityPriorities = {settingValue(boxes.AbPriEdit, 13),
                                  settingValue(boxes.AbSecEdit, 9),
                                  settingValue(boxes.AbTerEdit, 5)};
    settings.DisciplinePoints = settingValue(boxes.DisciplineEdit, 3);
    settings.BackgroundPoints = settingValue(boxes.BackgroundEdit, 5);
    settings.VirtuePoints = settingValue(boxes.VirtueEdit, 7);
    // A limit box without a number means no limit.
    settings.MaxAbilityRating = settingValue(boxes.MaxPrimaryEdit, 999);
    settings.MaxSecondaryRating = settingValue(boxes.MaxSecondaryEdit, 999);
    settings.MaxHumanity = settingValue(boxes.MaxHumanityEdit, 999);
    settings.FreebiePoints = settingValue(boxes.FreebiesEdit, 15);
    settings.StartingGeneration = settingValue(boxes.StartingGenerationEdit, 13);
    settings.VirtueNames = boxes.VirtueNamesEdit;
}
