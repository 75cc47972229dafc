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
    lastDepth = -1.0f;
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

void TailLfoBank::process(Offsets* offsets, int m, float rateHz, float depthSamples) noexcept
{
    setRate(rateHz);
    const auto fromDepth = lastDepth < 0.0f ? depthSamples : lastDepth;
    lastDepth = depthSamples;
    for (size_t i = 0; i < phases.size(); ++i)
    {
        if (fromDepth > 0.0f || depthSamples > 0.0f)
        {
            auto s = std::sin(phases[i]);
            auto c = std::cos(phases[i]);
            for (int k = 0; k < m; ++k)
            {
                const auto depth = fromDepth + (depthSamples - fromDepth) * static_cast<float>(k + 1) / static_cast<float>(m);
                offsets[k][i] = depth * s;
                const auto nextS = s * incrementCos[i] + c * incrementSin[i];
                c = c * incrementCos[i] - s * incrementSin[i];
                s = nextS;
            }
        }
        else
        {
            for (int k = 0; k < m; ++k)
                offsets[k][i] = 0.0f;
        }
        phases[i] = static_cast<float>(std::fmod(phases[i] + m * increments[i], twoPi));
    }
}
} // namespace zq6
