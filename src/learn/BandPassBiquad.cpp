#include "BandPassBiquad.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double pi = 3.14159265358979323846;
}

void BandPassBiquad::prepare(double sampleRate, double centreHz, double twoQ) noexcept
{
    const double limited = std::min(centreHz, 0.4 * sampleRate);
    const double f = limited < 5.0 ? 5.0 : std::min(limited, 0.45 * sampleRate);
    const double omega = 2.0 * pi * f / sampleRate;
    const double alpha = std::sin(omega) / twoQ;
    const double a0 = 1.0 + alpha;
    b0 = alpha / a0;
    b2 = -alpha / a0;
    a1 = -2.0 * std::cos(omega) / a0;
    a2 = (1.0 - alpha) / a0;
    clear();
}

void BandPassBiquad::clear() noexcept
{
    s1 = 0.0;
    s2 = 0.0;
}
} // namespace zq6
