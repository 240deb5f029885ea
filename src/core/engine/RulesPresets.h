#pragma once

#include "engine/RulesBoxTexts.h"

// The three presets of the Rules panel: the texts each writes into the setting boxes,
// and which of them the boxes currently match (their captions are drawn red).
namespace RulesPresets {

RulesBoxTexts Camarilla();
RulesBoxTexts Sabbat();
// Also switches ElderRules on.
RulesBoxTexts Elder();

struct PresetMatch
{
    bool Camarilla = false;
    bool Sabbat = false;
    bool Elder = false;

    bool operator==(const PresetMatch&) const = default;
};

// Exact text comparison. The Elder preset ignores the virtue set but needs ElderRules;
// the other two do not look at ElderRules.
PresetMatch matchingPresets(const RulesBoxTexts& boxes, bool ElderRules);

} // namespace RulesPresets
