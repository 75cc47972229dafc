#pragma once

#include "ParameterTable.h"

#include <array>

namespace zq6
{
// A parameter that Learn, the Source and the Character choice suggest a value for, and the
// attribute of the baseline element that keeps the suggestion.
struct LearnSuggestion
{
    const char* attribute;
    const char* parameterId;
};

inline constexpr int learnSuggestionCount = 14;

// In the order the suggestions are made and written; `mix` is last and left alone in Send mode.
inline constexpr LearnSuggestion learnSuggestions[learnSuggestionCount] = {
    { "bDecay", idOf(Param::decay) },
    { "bDecayBeats", idOf(Param::decayBeats) },
    { "bPreDelay", idOf(Param::predelay) },
    { "bPreDelayNote", idOf(Param::predelayNote) },
    { "bBrightness", idOf(Param::brightness) },
    { "bLowCut", idOf(Param::lowcut) },
    { "bErTrim", idOf(Param::erTrim) },
    { "bCleanShaping", idOf(Param::cleanShaping) },
    { "bShapeSibilance", idOf(Param::shapeSibilance) },
    { "bShapeBreath", idOf(Param::shapeBreath) },
    { "bShapeAttack", idOf(Param::shapeAttack) },
    { "bCleanUnmask", idOf(Param::cleanUnmask) },
    { "bSize", idOf(Param::size) },
    { "bMix", idOf(Param::mix) },
};

inline constexpr auto learnSuggestionIds = [] {
    std::array<const char*, learnSuggestionCount> ids {};
    for (int i = 0; i < learnSuggestionCount; ++i)
        ids[static_cast<size_t>(i)] = learnSuggestions[i].parameterId;
    return ids;
}();
} // namespace zq6
