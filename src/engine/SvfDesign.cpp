#include "SvfDesign.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace zq6
{
namespace
{
double prewarped(double frequencyHz, double rate) noexcept
{
    return std::tan(M_PI * std::clamp(frequencyHz, 5.0, 0.45 * rate) / rate);
}

SvfDesign complete(double g, double k, double m0, double m1, double m2) noexcept
{
    SvfDesign d;
    d.g = g;
    d.k = k;
    d.a1 = 1.0 / (1.0 + g * (g + k));
    d.a2 = g * d.a1;
    d.a3 = g * d.a2;
    d.m0 = m0;
    d.m1 = m1;
    d.m2 = m2;
    return d;
}
} // namespace

bool SvfDesign::operator==(const SvfDesign& o) const noexcept
{
    return a1 == o.a1 && a2 == o.a2 && a3 == o.a3 && m0 == o.m0 && m1 == o.m1 && m2 == o.m2;
}

SvfDesign designEqBand(EqKind kind, double frequencyHz, double gainDb, double q, double rate) noexcept
{
    const auto t = prewarped(frequencyHz, rate);
    const auto a = std::pow(10.0, gainDb / 40.0);
    const auto inverseQ = 1.0 / std::clamp(q, 0.3, 8.0);
    switch (kind)
    {
        case EqKind::lowShelf:
            return complete(t / std::sqrt(a), inverseQ, 1.0, inverseQ * (a - 1.0), a * a - 1.0);
        case EqKind::highShelf:
            return complete(t * std::sqrt(a), inverseQ, a * a, inverseQ * (1.0 - a) * a, 1.0 - a * a);
        case EqKind::bell:
            break;
    }
    const auto k = inverseQ / a;
    return complete(t, k, 1.0, k * (a * a - 1.0), 0.0);
}

SvfDesign designEqLowPass(double frequencyHz, double rate) noexcept
{
    return complete(prewarped(frequencyHz, rate), std::sqrt(2.0), 0.0, 0.0, 1.0);
}

double magnitudeAt(const SvfDesign& d, double hz, double rate) noexcept
{
    // The filter is the bilinear transform of (m0 s^2 + (m0 k + m1) s + m0 + m2) / (s^2 + k s + 1)
    // with s = j tan(pi hz / rate) / g.
    const auto w = std::tan(M_PI * hz / rate) / d.g;
    const std::complex<double> numerator(d.m0 + d.m2 - d.m0 * w * w, (d.m0 * d.k + d.m1) * w);
    const std::complex<double> denominator(1.0 - w * w, d.k * w);
    return std::abs(numerator) / std::abs(denominator);
}

void SvfState::process(const SvfDesign& from, const SvfDesign& to, const float* in, float* out, int m) noexcept
{
    const auto ramps = from != to;
    const auto step = 1.0 / m;
    auto c = to;
    for (int j = 0; j < m; ++j)
    {
        if (ramps)
        {
            const auto t = (j + 1) * step;
            c.a1 = from.a1 + (to.a1 - from.a1) * t;
            c.a2 = from.a2 + (to.a2 - from.a2) * t;
            c.a3 = from.a3 + (to.a3 - from.a3) * t;
            c.m0 = from.m0 + (to.m0 - from.m0) * t;
            c.m1 = from.m1 + (to.m1 - from.m1) * t;
            c.m2 = from.m2 + (to.m2 - from.m2) * t;
        }
        const double x = in[j];
        const auto v3 = x - ic2eq;
        const auto bp = c.a1 * ic1eq + c.a2 * v3;
        const auto lp = ic2eq + c.a2 * ic1eq + c.a3 * v3;
        ic1eq = 2.0 * bp - ic1eq;
        ic2eq = 2.0 * lp - ic2eq;
        out[j] = static_cast<float>(c.m0 * x + c.m1 * bp + c.m2 * lp);
    }
}
} // namespace zq6
