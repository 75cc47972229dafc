#pragma once

#include "TailTables.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
// Steady-state energy gain G(T, s) of the tail network for a decay of T seconds at size s.
inline double tailEnergyGain(double decaySeconds, double size) noexcept
{
    // A line's gain falls 60 dB (10^-3) per decay time; its energy, the square, as exp(-6 ln 10 t / T).
    constexpr double ln10 = 2.302585092994046;
    constexpr double energyExponent = 2.0 * 3.0 * ln10;
    const auto decay = std::max(0.001, decaySeconds);
    double sum = 0.0;
    for (const auto length : tailDelayLengths)
        sum += std::exp(-length * size * energyExponent / (decay * tailBaseRate));
    return 1.0 / std::max(1.0e-9, 1.0 - sum / tailLineCount);
}

// The tail's loudness constant K: the gain that levels a 2 s tail at size 1.
inline double tailLoudnessConstant() noexcept
{
    return 2.366 * std::sqrt(tailEnergyGain(2.0, 1.0));
}
} // namespace zq6
