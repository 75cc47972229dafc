#include "ShapingBiquad.h"

#include <cmath>

namespace zq6
{
void ShapingBiquad::setLowPass(double rate, double frequency, double q) noexcept
{
    const auto w = 2.0 * M_PI * frequency / rate;
    const auto alpha = std::sin(w) / (2.0 * q);
    const auto c = std::cos(w);
    set((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void ShapingBiquad::setBandPass(double rate, double frequency, double q) noexcept
{
    const auto w = 2.0 * M_PI * frequency / rate;
    const auto alpha = std::sin(w) / (2.0 * q);
    set(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * std::cos(w), 1.0 - alpha);
}

void ShapingBiquad::set(double c0, double c1, double c2, double d0, double d1, double d2) noexcept
{
    b0 = c0 / d0;
    b1 = c1 / d0;
    b2 = c2 / d0;
    a1 = d1 / d0;
    a2 = d2 / d0;
}
} // namespace zq6
