#pragma once

#include <QString>

struct RulesBoxTexts;

// The creation settings the main window holds, with the values of a new character.
struct RulesSettings
{
    // The three allowances a priority selector hands out by rank.
    struct Priorities
    {
        int ValueFirst;
        int ValueSecond;
        int ValueThird;

        bool operator==(const Priorities&) const = default;
    };

    Priorities AttributePriorities{7, 5, 3};
    Priorities AbilityPriorities{13, 9, 5};
    int DisciplinePoints = 3;
    int BackgroundPoints = 5;
    int VirtuePoints = 7;
    int MaxAbilityRating = 3;
    int MaxSecondaryRating = 3;
    int MaxHumanity = 999;
    int FreebiePoints = 15;
    int StartingGeneration = 13;
    float SecondaryCostFactor = 0.5f;
    bool ElderRules = false;
    bool ElysiumRule = true;
    bool DirtySecretsRule = true;
    bool GolcondaOn = false;
    int GolcondaChoice = 2;
    bool HumanityFromVirtues = true;
    bool WillpowerFromVirtues = true;
    QString VirtueNames = QStringLiteral("Human (Conscience, Self-Control & Courage)");

    bool operator==(const RulesSettings&) const = default;
};

// A setting box read as a whole number; any other text (empty, "Unlimited", letters,
// a number too large for an int) gives the fallback, without a message.
int settingValue(const QString& text, int fallback);

// Reads every text box of the Rules panel into settings; the option flags and the cost
// factor are left as they are, since they have no box.
void readRulesBoxes(const RulesBoxTexts& boxes, RulesSettings& settings);
