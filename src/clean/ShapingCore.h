#pragma once

#include "ShapingBiquad.h"
#include "ShapingFollower.h"
#include "ShapingKernels.h"

#include <array>

namespace zq6
{
// Amount x share of each stage, ramped over a run of samples.
struct ShapingAmounts
{
    Ramp sibilance, breath, transient;
};

// The detectors and gains of Shaping at the processing rate: sibilance above 5 kHz relative to the
// whole, sudden rises of the envelope, and quiet noise-like passages under the long-term level.
class ShapingCore
{
public:
    void prepare(double rate);
    // Clears filters, followers and band energies and returns the gains to unity.
    void reset() noexcept;

    // Up to maxShapingSamples stereo samples in place: the shaped signal. The detectors run sample
    // by sample, the gain targets for the whole run at once, then the gains sample by sample.
    void process(float* left, float* right, int m, const ShapingAmounts& amounts) noexcept;

private:
    void detect(const float* left, const float* right, float* lowLeft, float* lowRight) noexcept;
    void applyGains(float* left, float* right, const float* lowLeft, const float* lowRight) noexcept;

    ShapingBiquad lowPass[2];
    std::array<ShapingBiquad, shapingBandCount> bandPass;
    std::array<double, shapingBandCount> bandEnergy {};
    double energyCoefficient = 0.0;
    ShapingFollower highBand, level, fast, slow, longTerm;
    ShapingFollower sibilanceGain, transientGain, breathGain;
    ShapingDetection detection;
};
} // namespace zq6
