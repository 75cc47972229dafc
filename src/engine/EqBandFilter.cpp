#include "EqBandFilter.h"

#include "../dsp/ChunkSize.h"
#include "../params/ParameterTable.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zq6
{
namespace
{
constexpr double crossfadeSeconds = 0.015;
} // namespace

void EqBandFilter::prepare(double internalRate)
{
    rate = internalRate;
    for (auto* smoother : { &frequency, &gain, &quality })
        smoother->prepare(rate);
    clear();
}

void EqBandFilter::clear() noexcept
{
    for (auto* smoother : { &frequency, &gain, &quality })
        smoother->clear();
    current = {};
    old = {};
    crossfade = 0.0f;
    silent = false;
}

void EqBandFilter::process(float* left, float* right, int m, int kind, float frequencyHz, float gainDb,
                           float q) noexcept
{
    kind = std::clamp(kind, 0, 2);
    const auto f = frequency.advance(clampToRange(eqFreqParam(0), frequencyHz), m).end;
    const auto gainTarget = clampToRange(eqGainParam(0), gainDb);
    auto g = gain.advance(gainTarget, m).end;
    if (gainTarget == 0.0f && std::abs(g) <= 1.0e-5f)
        g = 0.0f;
    const auto bandQ = quality.advance(clampToRange(eqQParam(0), q), m).end;

    if (g == 0.0f && crossfade <= 0.0f)
    {
        // A kind chosen at 0 dB takes effect at once: there is nothing to crossfade from.
        if (!silent || current.kind != kind)
            reset(current, kind);
        silent = true;
        return;
    }
    silent = false;

    if (kind != current.kind)
        startKind(kind);

    // The old kind runs beside the new one, on the same input at the same settings, until its
    // weight reaches 0.
    float oldLeft[maxChunkSamples], oldRight[maxChunkSamples];
    if (crossfade > 0.0f)
    {
        std::copy(left, left + m, oldLeft);
        std::copy(right, right + m, oldRight);
        run(old, designEqBand(static_cast<EqKind>(old.kind), f, g, bandQ, rate), oldLeft, oldRight, m);
    }
    run(current, designEqBand(static_cast<EqKind>(current.kind), f, g, bandQ, rate), left, right, m);
    if (crossfade <= 0.0f)
        return;

    const auto from = crossfade;
    const auto to = std::max(0.0f, crossfade - static_cast<float>(m / (rate * crossfadeSeconds)));
    for (int j = 0; j < m; ++j)
    {
        const auto weight = from + (to - from) * static_cast<float>(j + 1) / static_cast<float>(m);
        left[j] += (oldLeft[j] - left[j]) * weight;
        right[j] += (oldRight[j] - right[j]) * weight;
    }
    crossfade = to;
}

void EqBandFilter::startKind(int kind) noexcept
{
    // Back to the kind that is still fading out: what is heard now, current + (old - current) w,
    // is old + (current - old)(1 - w), so the two swap roles and the fade turns around from there.
    if (crossfade > 0.0f && kind == old.kind)
    {
        std::swap(current, old);
        crossfade = 1.0f - crossfade;
        return;
    }
    if (current.kind < 0)
    {
        reset(current, kind);
        return;
    }
    old = current;
    crossfade = 1.0f;
    // Both kinds share the filter's structure: the new one starts from the running states rather
    // than from silence, so it fades in without a start-up transient.
    reset(current, kind);
    current.states[0] = old.states[0];
    current.states[1] = old.states[1];
}

void EqBandFilter::reset(Filter& filter, int kind) noexcept
{
    filter = {};
    filter.kind = kind;
}

void EqBandFilter::run(Filter& filter, const SvfDesign& design, float* left, float* right, int m) noexcept
{
    const auto& from = filter.designed ? filter.design : design;
    filter.states[0].process(from, design, left, left, m);
    filter.states[1].process(from, design, right, right, m);
    filter.design = design;
    filter.designed = true;
}
} // namespace zq6
