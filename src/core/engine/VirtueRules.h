#pragma once

#include <QString>
#include <array>

// The virtues and the two traits that follow them: Humanity (or a path) from the first two
// virtues, Willpower from the third.
namespace VirtueRules {

// "Sabbat (Callousness, Instincts & Morale)" -> Callousness, Instincts, Morale. A text that
// does not have that shape gives empty names where it falls short.
std::array<QString, 3> virtueNames(const QString& virtueSet);

struct Input
{
    int Conscience = 1, SelfControl = 1, Courage = 1;
    int Humanity = 2, Willpower = 1;
    int BoughtHumanity = 0, BoughtWillpower = 0;
    int AgeHumanityPenalty = 0;
    int MaxHumanity = 999;
    // The most dots the two rows hold.
    int HumanityDots = 10, WillpowerDots = 10;
    QString path = QStringLiteral("Humanity");
    bool HumanityFromVirtues = true, WillpowerFromVirtues = true;
};

struct Derived
{
    int Humanity = 0, humanityFreebies = 0;
    int Willpower = 0, willpowerFreebies = 0;
    // The bought dots that still fit above the base, so that a raised virtue never leaves
    // dots paid for that the row cannot show.
    int BoughtHumanity = 0, BoughtWillpower = 0;
    bool operator==(const Derived&) const = default;
};
// The ratings the sheet shows and their freebie dots, counted from the ratings the rows can
// hold. Only the path "Humanity" is capped by the rules setting.
Derived derive(const Input& input);

int humanityBase(int conscience, int selfControl, int agePenalty);
// Dots bought above the base when the user sets a rating by hand.
int bought(int rating, int base);

// Whether lowering a derived trait by hand asks to detach it from the virtues.
bool asksToDetachHumanity(int humanity, int base, bool fromVirtues, int maxHumanity);
bool asksToDetachWillpower(int willpower, int courage, bool fromVirtues);

// The path box: as wide as its text, within 70 ... 220 pixels.
int pathBoxWidth(int textWidth);

} // namespace VirtueRules
