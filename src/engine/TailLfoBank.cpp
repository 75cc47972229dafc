#include "TailLfoBank.h"

#include <cmath>

namespace zq6
{
namespace
{
constexpr double twoPi = 2.0 * 3.14159265358979323846;
}

void TailLfoBank::prepare(double internalRate)
{
    rate = internalRate;
    clear();
}

void TailLfoBank::clear() noexcept
{
    for (int i = 0; i < tailLineCount; ++i)
        phases[static_cast<size_t>(i)] = static_cast<float>(tailLfoStartPhase(i));
    currentRateHz = -1.0f;
}

void TailLfoBank::setRate(float rateHz) noexcept
{
    if (rateHz == currentRateHz)
        return;
    currentRateHz = rateHz;
    for (size_t i = 0; i < increments.size(); ++i)
    {
        increments[i] = twoPi * rateHz * tailLfoRateMultiplier(static_cast<int>(i)) / rate;
        incrementSin[i] = static_cast<float>(std::sin(increments[i]));
        incrementCos[i] = static_cast<float>(std::cos(increments[i]));
    }
}

void TailLfoBank::process(Offsets* offsets, int m, float rateHz, float startDepth, float endDepth) noexcept
{
    setRate(rateHz);
    if (startDepth > 0.0f || endDepth > 0.0f)
    {
        // The lines are the inner loop: 16 independent rotations instead of one serial chain per line.
        Offsets s, c;
        for (size_t i = 0; i < phases.size(); ++i)
        {
            s[i] = std::sin(phases[i]);
            c[i] = std::cos(phases[i]);
        }
        for (int k = 0; k < m; ++k)
        {
            const auto depth = startDepth + (endDepth - startDepth) * (static_cast<float>(k + 1) / static_cast<float>(m));
            for (size_t i = 0; i < phases.size(); ++i)
            {
                offsets[k][i] = depth * s[i];
                const auto nextS = s[i] * incrementCos[i] + c[i] * incrementSin[i];
                c[i] = c[i] * incrementCos[i] - s[i] * incrementSin[i];
                s[i] = nextS;
            }
        }
    }
    else
    {
        for (int k = 0; k < m; ++k)
            offsets[k].fill(0.0f);
    }
    for (size_t i = 0; i < phases.size(); ++i)
        phases[i] = static_cast<float>(std::fmod(phases[i] + m * increments[i], twoPi));
}
} // namespace zq6
