#pragma once

#include "../dsp/Ramp.h"

namespace zq6
{
// The smoothed values of one chunk that the wet stages read. Each is the chunk-start and
// chunk-end value of its smoother; decays and voicing multipliers already combined.
struct NetworkControls
{
    Ramp sibilanceAmount, breathAmount, transientAmount;
    Ramp preDelayMs;
    Ramp lowDecay, midDecay, highDecay;
    Ramp lfoRateHz, motionDepth, diffusion;
    Ramp erLevel;
    Ramp voiceLowPassHz, erOrderThreshold, erLowPassHz;
    Ramp width, lowCutHz, tiltDb;
    Ramp unmaskAmount;
    Ramp diffusionMult, motionMult, lowDecayMult, highDecayMult;
    Ramp noErWeight;
    float sizeFactor = 1.0f; // 2^((size - 0.5) * 2), not smoothed
    int character = 1;
};
} // namespace zq6
