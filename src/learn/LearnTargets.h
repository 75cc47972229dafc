#pragma once

#include "../params/LearnSuggestions.h"
#include "../params/ParameterIds.h"
#include "LearnRecord.h"

namespace zq6
{
// A parameter that Learn sets and the proposal of the record that it takes.
struct LearnTarget
{
    const char* parameterId;
    float (*proposal)(const LearnRecord&);
    bool isChoice;
};

inline constexpr int learnTargetCount = learnSuggestionCount;

// In baseline order; `mix` is last and left alone in Send mode.
inline constexpr LearnTarget learnTargets[learnTargetCount] = {
    { pid::decay, [](const LearnRecord& r) { return r.pDecaySeconds; }, false },
    { pid::decayBeats, [](const LearnRecord& r) { return r.pDecayBeats; }, false },
    { pid::predelay, [](const LearnRecord& r) { return r.pPreDelayMs; }, false },
    { pid::predelayNote, [](const LearnRecord& r) { return static_cast<float>(r.pPreDelayNote); }, true },
    { pid::brightness, [](const LearnRecord& r) { return r.pBrightness; }, false },
    { pid::lowcut, [](const LearnRecord& r) { return r.pLowCutHz; }, false },
    { pid::erTrim, [](const LearnRecord& r) { return r.pErTrimDb; }, false },
    { pid::cleanShaping, [](const LearnRecord& r) { return r.pCleanShaping; }, false },
    { pid::shapeSibilance, [](const LearnRecord& r) { return r.pShapeSibilance; }, false },
    { pid::shapeBreath, [](const LearnRecord& r) { return r.pShapeBreath; }, false },
    { pid::shapeAttack, [](const LearnRecord& r) { return r.pShapeAttack; }, false },
    { pid::cleanUnmask, [](const LearnRecord& r) { return r.pCleanUnmask; }, false },
    { pid::size, [](const LearnRecord& r) { return r.pSize; }, false },
    { pid::mix, [](const LearnRecord& r) { return r.pMix; }, false },
};

inline constexpr int mixTargetIndex = learnTargetCount - 1;
} // namespace zq6
