#pragma once

#include "ShapingBiquad.h"
#include "ShapingFollower.h"

#include <array>

namespace zq6
{
// Smoothed amount x share of each stage at one sample.
struct ShapingAmounts
{
    float sibilance = 0.0f, breath = 0.0f, transient = 0.0f;
};

// The detectors and gains of Shaping at the processing rate: sibilance above 5 kHz relative to the
// whole, sudden rises of the envelope, and quiet noise-like passages under the long-term level.
class ShapingCore
{
public:
    void prepare(double rate);
    // Clears filters, followers and band energies and returns the gains to unity.
    void reset() noexcept;

    // One stereo sample in place: the shaped signal.
    void process(float& left, float& right, const ShapingAmounts& amounts) noexcept;

private:
    static constexpr int numBands = 4;

    float sibilanceTarget(float amount) const noexcept;
    float transientTarget(float amount) const noexcept;
    float breathTarget(float amount) const noexcept;
    void updateBandEnergies(double mid) noexcept;

    ShapingBiquad lowPass[2];
    std::array<ShapingBiquad, numBands> bandPass;
    std::array<double, numBands> bandEnergy {};
    double energyCoefficient = 0.0;
    ShapingFollower highBand, level, fast, slow, longTerm;
    ShapingFollower sibilanceGain, transientGain, breathGain;
};
} // namespace zq6
