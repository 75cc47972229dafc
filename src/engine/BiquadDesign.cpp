#include "BiquadDesign.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace zq6
{
namespace
{
BiquadDesign normalised(double b0, double b1, double b2, double a0, double a1, double a2) noexcept
{
    return { b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0 };
}
} // namespace

BiquadDesign designHighPass(double frequencyHz, double q, double rate) noexcept
{
    const auto w0 = 2.0 * M_PI * std::clamp(frequencyHz, 5.0, 0.45 * rate) / rate;
    const auto cosW = std::cos(w0);
    const auto alpha = std::sin(w0) / (2.0 * q);
    return normalised((1.0 + cosW) / 2.0, -(1.0 + cosW), (1.0 + cosW) / 2.0, 1.0 + alpha, -2.0 * cosW, 1.0 - alpha);
}

BiquadDesign designHighShelf(double frequencyHz, double gainDb, double rate) noexcept
{
    const auto a = std::pow(10.0, gainDb / 40.0);
    const auto w0 = 2.0 * M_PI * frequencyHz / rate;
    const auto cosW = std::cos(w0);
    // Shelf slope 1: alpha = sin(w0) / 2 * sqrt(2).
    const auto twoSqrtAAlpha = 2.0 * std::sqrt(a) * std::sin(w0) / std::sqrt(2.0);
    return normalised(a * ((a + 1.0) + (a - 1.0) * cosW + twoSqrtAAlpha), -2.0 * a * ((a - 1.0) + (a + 1.0) * cosW),
                      a * ((a + 1.0) + (a - 1.0) * cosW - twoSqrtAAlpha), (a + 1.0) - (a - 1.0) * cosW + twoSqrtAAlpha,
                      2.0 * ((a - 1.0) - (a + 1.0) * cosW), (a + 1.0) - (a - 1.0) * cosW - twoSqrtAAlpha);
}

double magnitudeAt(const BiquadDesign& d, double hz, double rate) noexcept
{
    const auto z1 = std::polar(1.0, -2.0 * M_PI * hz / rate); // z^-1
    const auto z2 = z1 * z1;
    return std::abs(d.b0 + d.b1 * z1 + d.b2 * z2) / std::abs(1.0 + d.a1 * z1 + d.a2 * z2);
}
} // namespace zq6
