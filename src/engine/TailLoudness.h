#pragma once

#include "../dsp/BlockSmoother.h"
#include "LateTail.h"
#include "TailLoudnessControls.h"

#include <array>

namespace zq6
{
// The loudness gain of each tail instance: a base gain that keeps the level steady across decay
// times and sizes, times a compensation that undoes the energy the Character's decay multipliers add.
class TailLoudness
{
public:
    void prepare(double hostRate);
    // The compensation jumps to its target on the next chunk.
    void clear() noexcept;
    // Gains of both instances for a chunk of n host samples; 1 for instances that are not running.
    std::array<float, 2> process(const TailLoudnessControls& controls, const LateTail& tail, int n) noexcept;

private:
    struct CompensationInputs
    {
        float decay, lowMultiplier, brightnessFactor, lowDecayMult, highDecayMult, lowCut, voiceLowPass;
        double size;
        bool operator==(const CompensationInputs& other) const noexcept;
    };

    struct InstanceGain
    {
        float midDecay = -1.0f;
        double size = -1.0;
        float base = 1.0f;
        CompensationInputs inputs {};
        bool hasCompensation = false;
        float compensationDb = 0.0f;
        BlockSmoother smoother { 0.07f, false };
    };

    static float baseGain(float midDecay, double size) noexcept;
    static float compensationDb(const CompensationInputs& in) noexcept;
    float gainFor(InstanceGain& gain, const CompensationInputs& inputs, float midDecay, int n) noexcept;

    std::array<InstanceGain, 2> instances;
};
} // namespace zq6
