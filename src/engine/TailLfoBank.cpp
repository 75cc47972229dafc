#include "TailLfoBank.h"

#include <cmath>

namespace zq6
{
namespace
{
constexpr double twoPi = 2.0 * 3.14159265358979323846;

// fmod by 2 pi for the single wrap a chunk's advance needs (as exact as fmod there).
double wrapPhase(double phase) noexcept
{
    if (phase >= 0.0 && phase < 2.0 * twoPi)
        return phase >= twoPi ? phase - twoPi : phase;
    return std::fmod(phase, twoPi);
}
} // namespace

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
        // The lines side by side, four to a vector: 16 independent rotations instead of one serial
        // chain per line, each lane doing exactly the scalar arithmetic.
        using Lanes = float __attribute__((vector_size(16)));
        constexpr size_t vectors = tailLineCount / 4;
        Lanes s[vectors], c[vectors], rotationCos[vectors], rotationSin[vectors];
        for (size_t q = 0; q < vectors; ++q)
            for (size_t j = 0; j < 4; ++j)
            {
                const auto i = 4 * q + j;
                s[q][j] = std::sin(phases[i]);
                c[q][j] = std::cos(phases[i]);
                rotationCos[q][j] = incrementCos[i];
                rotationSin[q][j] = incrementSin[i];
            }
        for (int k = 0; k < m; ++k)
        {
            const auto depth = startDepth + (endDepth - startDepth) * (static_cast<float>(k + 1) / static_cast<float>(m));
            for (size_t q = 0; q < vectors; ++q)
            {
                const Lanes offset = depth * s[q];
                __builtin_memcpy(offsets[k].data() + 4 * q, &offset, sizeof offset);
                const auto nextS = s[q] * rotationCos[q] + c[q] * rotationSin[q];
                c[q] = c[q] * rotationCos[q] - s[q] * rotationSin[q];
                s[q] = nextS;
            }
        }
    }
    else
    {
        for (int k = 0; k < m; ++k)
            offsets[k].fill(0.0f);
    }
    for (size_t i = 0; i < phases.size(); ++i)
        phases[i] = static_cast<float>(wrapPhase(phases[i] + m * increments[i]));
}
} // namespace zq6
