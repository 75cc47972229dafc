#pragma once

namespace zq6
{
// The late tail's inputs for one chunk. Defaults are the Hall voicing at the default parameters.
struct TailControls
{
    double size = 1.15;                  // size factor x the Character's size mult
    float loudnessGain[2] = { 1.0f, 1.0f }; // per instance
    float lowDecay = 2.3f;               // seconds
    float midDecay = 2.0f;
    float highDecay = 2.0f;
    float lfoRateHz = 0.8f;
    float modulationDepth = 0.42f;       // motion depth x motion mult
    float diffusion = 0.56f;             // diffusion x diffusion mult
    float tailOffsetMs = 12.0f;
    float attackMs = 0.0f;
};
} // namespace zq6
