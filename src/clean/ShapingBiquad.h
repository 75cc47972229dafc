#pragma once

namespace zq6
{
// Transposed direct form II biquad with double coefficients and state.
class ShapingBiquad
{
public:
    // RBJ low-pass.
    void setLowPass(double rate, double frequency, double q) noexcept;
    // RBJ band-pass with a constant 0 dB peak.
    void setBandPass(double rate, double frequency, double q) noexcept;
    void clear() noexcept { z1 = z2 = 0.0; }

    double process(double x) noexcept
    {
        const auto y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }

private:
    void set(double c0, double c1, double c2, double d0, double d1, double d2) noexcept;

    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double z1 = 0.0, z2 = 0.0;
};
} // namespace zq6
