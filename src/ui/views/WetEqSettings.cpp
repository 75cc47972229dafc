#include "WetEqSettings.h"

#include "../../engine/EqLowPass.h"
#include "../../engine/SvfDesign.h"
#include "../../engine/WetTone.h"

#include <algorithm>
#include <cmath>

namespace zq6::ui
{
namespace
{
// A stop band deeper than -240 dB counts as -240 dB rather than as minus infinity.
double decibels(double magnitude) noexcept
{
    return 20.0 * std::log10(std::max(magnitude, 1.0e-12));
}
} // namespace

bool WetEqSettings::lowPassOff() const noexcept
{
    return lowPassHz >= EqLowPass::offHz;
}

WetEqSettings::Filters WetEqSettings::designs(double rate) const
{
    Filters filters { WetTone::lowCutDesign(lowCutHz, rate), {} };
    for (int b = 0; b < bandCount; ++b)
        filters.eq.push_back(designEqBand(kind(b), std::clamp(frequency[b], 20.0f, 20000.0f),
                                       std::clamp(gain[b], -12.0f, 12.0f), std::clamp(q[b], 0.3f, 8.0f), rate));
    if (!lowPassOff())
        filters.eq.push_back(designEqLowPass(std::clamp(lowPassHz, 1000.0f, 20000.0f), rate));
    return filters;
}

double WetEqSettings::responseDb(const Filters& filters, double hz, double rate) noexcept
{
    const auto at = std::clamp(hz, 1.0, 0.4999 * rate);
    auto db = decibels(magnitudeAt(filters.lowCut, at, rate));
    for (const auto& design : filters.eq)
        db += decibels(magnitudeAt(design, at, rate));
    return db;
}
} // namespace zq6::ui
