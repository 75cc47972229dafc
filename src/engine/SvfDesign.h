#pragma once

#include "../params/WetEqBands.h"

namespace zq6
{
// Coefficients of a topology-preserving state-variable filter, y = m0 x + m1 bp + m2 lp.
struct SvfDesign
{
    double a1 = 1.0, a2 = 0.0, a3 = 0.0;
    double m0 = 1.0, m1 = 0.0, m2 = 0.0;
    double g = 0.0, k = 0.0;

    bool operator==(const SvfDesign& other) const noexcept;
    bool operator!=(const SvfDesign& other) const noexcept { return !(*this == other); }
};

// One Wet EQ band (frequency limited to 5 Hz .. 0.45 rate, Q to 0.3 .. 8).
SvfDesign designEqBand(EqKind kind, double frequencyHz, double gainDb, double q, double rate) noexcept;
// The Wet EQ low-pass, Butterworth-damped.
SvfDesign designEqLowPass(double frequencyHz, double rate) noexcept;

// Magnitude (linear) of a designed filter at hz, exactly as the filter runs: the bilinear image
// of its analog prototype. The Wet EQ view draws its curve from this.
double magnitudeAt(const SvfDesign& design, double hz, double rate) noexcept;

// The two integrator states of one filter on one channel.
struct SvfState
{
    double ic1eq = 0.0, ic2eq = 0.0;

    // Runs m samples, every coefficient ramping linearly from `from` to `to` (sample j uses
    // the fraction (j + 1) / m).
    void process(const SvfDesign& from, const SvfDesign& to, const float* in, float* out, int m) noexcept;
};
} // namespace zq6
