#pragma once

#include "engine/Character.h"

#include <QString>

// The experience log as a page to read and to print: the totals, then every entry with its
// date, trait, ratings, cost and note, in log order.
namespace ExperienceLogDocument {

QString html(const Character& character);

} // namespace ExperienceLogDocument
