#include "CharacterExperience.h"

int CharacterExperience::earned() const
{
    int points = startingPoints;
    for (const ExperienceEntry& entry : log)
        if (entry.earning())
            points -= entry.cost;
    return points;
}

int CharacterExperience::spent() const
{
    int points = 0;
    for (const ExperienceEntry& entry : log)
        if (!entry.earning())
            points += entry.cost;
    return points;
}
