#include "GenerationRules.h"

#include <algorithm>

namespace GenerationRules {

int maxTraitRating(int generation, bool golcondaOn, int golcondaChoice)
{
    if (golcondaOn && golcondaChoice == 2)
        return 10;
    return std::clamp(13 - generation, 5, 10);
}

int disciplineMaxDots(int maxTraitRating, bool golcondaOn, int golcondaChoice)
{
    return golcondaOn && golcondaChoice == 1 ? 10 : maxTraitRating;
}

int bloodPoolBoxes(int generation)
{
    if (generation >= 8 && generation <= Highest)
        return std::max(10, 23 - generation);
    if (generation >= 4 && generation <= 7)
        return (9 - generation) * 10;
    return 0;
}

int bloodPoolRows(int generation)
{
    if (generation >= 8 && generation <= Highest)
        return 1;
    if (generation >= 4 && generation <= 7)
        return 9 - generation;
    return 0;
}

QString ordinal(int generation)
{
    return QString::number(generation) + QLatin1StringView(generation == 3 ? "rd" : "th");
}

bool isGenerationBackground(const QString& name)
{
    return name == u"Generation" || name == u"Elder Generation";
}

bool isFiveDotBackground(const QString& name)
{
    return name == u"Age" || name == u"Elder Status" || name == u"Elder Generation";
}

int backgroundMaxDots(const QString& name, int maxTraitRating)
{
    return isFiveDotBackground(name) ? 5 : maxTraitRating;
}

AgeEffect ageEffect(int ageRating)
{
    static constexpr AgeEffect table[] = {{0, 0}, {30, -1}, {55, -2}, {75, -3}, {90, -4}, {100, -5}};
    return table[std::clamp(ageRating, 0, 5)];
}

Derived derive(int shownGeneration, int startingGeneration, bool reset,
               const std::vector<Background>& backgrounds)
{
    int g = std::max(shownGeneration, startingGeneration);
    if (reset)
        g = startingGeneration;
    Derived result;
    for (const Background& row : backgrounds) {
        if (isGenerationBackground(row.name))
            g = startingGeneration - row.rating;
        else if (row.name == u"Age" && row.rating > 0)
            result.age = ageEffect(row.rating);
    }
    result.text = ordinal(std::max(g, Lowest));
    return result;
}

BackgroundChange backgroundForGeneration(int generation, int startingGeneration, bool elderRules,
                                         const std::vector<Background>& rows)
{
    int last = -1;
    for (int r = 0; r < int(rows.size()); ++r)
        if (isGenerationBackground(rows[r].name))
            last = r;
    if (last >= 0) {
        if (generation > startingGeneration)
            return {last, QString(), 0};
        return {last, rows[last].name, startingGeneration - generation};
    }
    // Only the open placeholder row takes the new background; a full list keeps its rows.
    if (generation < startingGeneration && !rows.empty() && rows.back().name.isEmpty()
        && rows.back().rating == 0)
        return {int(rows.size()) - 1,
                elderRules ? QStringLiteral("Elder Generation") : QStringLiteral("Generation"),
                startingGeneration - generation};
    return {};
}

} // namespace GenerationRules
