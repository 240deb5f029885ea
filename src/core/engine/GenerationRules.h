#pragma once

#include <QString>

#include <vector>

// What a vampire's generation and the "Age" background do to the sheet. The generation is
// held twice, as the header's ordinal text and as the rating of a generation background;
// these functions derive one from the other.
namespace GenerationRules {

inline constexpr int Lowest = 3;
inline constexpr int Highest = 15;

// The highest rating any trait may reach: 13 - g within 5 ... 10; Golconda's "Any trait"
// lifts every limit to 10.
int maxTraitRating(int generation, bool golcondaOn, int golcondaChoice);
// The limit of the discipline rows; Golconda's "Disciplines only" lifts it to 10.
int disciplineMaxDots(int maxTraitRating, bool golcondaOn, int golcondaChoice);

// Blood pool boxes the sheet shows: one row of 23 - g (at least 10) from the 8th to the
// 15th generation, rows of ten from the 4th to the 7th, none for the 3rd.
int bloodPoolBoxes(int generation);
int bloodPoolRows(int generation);

// "3rd", "4th" ... "15th".
QString ordinal(int generation);

// "Generation" or, under the elder rules, "Elder Generation".
bool isGenerationBackground(const QString& name);
// Backgrounds that stay at five dots whatever the generation allows.
bool isFiveDotBackground(const QString& name);
int backgroundMaxDots(const QString& name, int maxTraitRating);

struct AgeEffect
{
    int freebieBonus = 0;
    int humanityPenalty = 0; // zero or negative
    bool operator==(const AgeEffect&) const = default;
};
AgeEffect ageEffect(int ageRating);

struct Background
{
    QString name; // trailing full stops already stripped
    int rating = 0;
};

// The generation text and the age effects the background rows give (the recalculation's
// generation step). shownGeneration is the number the header's text starts with.
struct Derived
{
    QString text;
    AgeEffect age;
};
Derived derive(int shownGeneration, int startingGeneration, bool reset,
               const std::vector<Background>& backgrounds);

// How a chosen generation changes the generation background. Row -1: leave the rows alone.
struct BackgroundChange
{
    int row = -1;
    QString name; // empty: the row is cleared (and removed by the next pass)
    int rating = 0;
    bool operator==(const BackgroundChange&) const = default;
};
// rows are the background rows in use, the last being the open placeholder.
BackgroundChange backgroundForGeneration(int generation, int startingGeneration, bool elderRules,
                                         const std::vector<Background>& rows);

} // namespace GenerationRules
