#pragma once

#include "../params/ParameterTable.h"
#include "WetEqControls.h"

namespace zq6
{
// Snapshot of every parameter the engine reads, taken once per host block; before it is filled it
// holds the parameters' defaults.
struct BlockParams
{
    float size = defaultOf(Param::size);
    float decaySeconds = defaultOf(Param::decay);
    float preDelayMs = defaultOf(Param::predelay);
    float brightness = defaultOf(Param::brightness);
    float lowCutHz = defaultOf(Param::lowcut);
    float width = defaultOf(Param::width);
    float unmaskAmount = defaultOf(Param::cleanUnmask);
    float shapingAmount = defaultOf(Param::cleanShaping);
    bool deltaUnmask = defaultOf(Param::deltaUnmask) >= 0.5f;
    bool deltaShaping = defaultOf(Param::deltaShaping) >= 0.5f;
    float mix = defaultOf(Param::mix);
    float outputDb = defaultOf(Param::output);
    int character = 1; // Hall
    float decayLowMultiplier = defaultOf(Param::decayMultLow);
    float attackMs = defaultOf(Param::attack);
    float erLevelDb = defaultOf(Param::erTrim);
    float motion = defaultOf(Param::motion);
    float diffusion = defaultOf(Param::diffusion);
    int unmaskSpeed = static_cast<int>(defaultOf(Param::unmaskSpeed));
    float shapeSibilance = defaultOf(Param::shapeSibilance);
    float shapeBreath = defaultOf(Param::shapeBreath);
    float shapeTransient = defaultOf(Param::shapeAttack);
    WetEqControls eq;
    bool sendMode = false;
    bool learnListening = false;
};
} // namespace zq6
