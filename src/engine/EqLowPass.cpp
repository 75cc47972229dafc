#include "EqLowPass.h"

#include "../dsp/ChunkSize.h"

#include <algorithm>

namespace zq6
{
void EqLowPass::prepare(double internalRate)
{
    rate = internalRate;
    cutoff.prepare(rate);
    engage.prepare(rate);
    clear();
}

void EqLowPass::clear() noexcept
{
    cutoff.clear();
    engage.clear();
    designed = false;
    states[0] = states[1] = {};
}

void EqLowPass::process(float* left, float* right, int m, float cutoffHz) noexcept
{
    const auto hz = cutoff.advance(clampToRange(Param::eqLp, cutoffHz), m).end;
    const auto off = cutoffHz >= offHz;
    const auto amount = engage.advance(off ? 0.0f : 1.0f, m);
    if (off && amount.end < 1.0e-4f)
    {
        if (designed)
        {
            designed = false;
            states[0] = states[1] = {};
        }
        return;
    }

    const auto next = designEqLowPass(hz, rate);
    const auto& from = designed ? design : next;
    float* channels[2] = { left, right };
    for (int c = 0; c < 2; ++c)
    {
        float filtered[maxChunkSamples];
        states[c].process(from, next, channels[c], filtered, m);
        for (int j = 0; j < m; ++j)
            channels[c][j] += (filtered[j] - channels[c][j]) * amount.at(j, m);
    }
    design = next;
    designed = true;
}
} // namespace zq6
