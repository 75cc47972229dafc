#pragma once

namespace zq6
{
// Normalised biquad coefficients (a0 = 1).
struct BiquadDesign
{
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
};

// Cookbook high-pass at frequencyHz (limited to 5 Hz .. 0.45 rate).
BiquadDesign designHighPass(double frequencyHz, double q, double rate) noexcept;
// Cookbook high shelf with shelf slope 1.
BiquadDesign designHighShelf(double frequencyHz, double gainDb, double rate) noexcept;

// The design a fraction t of the way from `from` to `to`, coefficient by coefficient.
inline BiquadDesign interpolate(const BiquadDesign& from, const BiquadDesign& to, double t) noexcept
{
    return { from.b0 + (to.b0 - from.b0) * t, from.b1 + (to.b1 - from.b1) * t, from.b2 + (to.b2 - from.b2) * t,
             from.a1 + (to.a1 - from.a1) * t, from.a2 + (to.a2 - from.a2) * t };
}

// Magnitude (linear) of a designed biquad at hz.
double magnitudeAt(const BiquadDesign& design, double hz, double rate) noexcept;

// Transposed direct form II state of one channel.
struct BiquadState
{
    double s1 = 0.0, s2 = 0.0;

    double process(const BiquadDesign& d, double x) noexcept
    {
        const auto y = d.b0 * x + s1;
        s1 = d.b1 * x - d.a1 * y + s2;
        s2 = d.b2 * x - d.a2 * y;
        return y;
    }
};
} // namespace zq6
