#include "Character.h"

Character::Character()
{
    // Attributes and virtues start at their first dot, which is always free.
    for (Trait& attribute : attributes)
        attribute = {.rating = 1, .minDots = 1};
    for (Trait& virtue : virtues)
        virtue = {.rating = 1, .minDots = 1};
}
