#pragma once

namespace zq6
{
// What the tail's loudness depends on in one chunk.
struct TailLoudnessControls
{
    float decay;            // seconds, clamped 0.1 to 20
    float lowMultiplier;    // the decay low multiplier
    float brightnessFactor; // 2^((brightness - 0.5) x 4)
    float lowCutHz;         // clamped 20 to 1000
    int character;
    float midDecay;         // the smoothed mid decay at the chunk's end
};
} // namespace zq6
