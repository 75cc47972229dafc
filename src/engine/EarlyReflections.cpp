#include "EarlyReflections.h"

#include "../dsp/ChunkSize.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr float fadeSeconds = EarlyReflections::sizeFadeMs / 1000.0f;
constexpr float activeWeight = 1.0e-4f;
constexpr float orderFadeWidth = 0.15f;
// A chunk reads m + 1 samples from its first position, so the ring repeats that many past its end.
constexpr int guardSamples = maxChunkSamples + 1;
// Taps are summed over this many samples at a time, held in registers.
constexpr int renderBlock = 8;

// Taps ordered at most the threshold sound fully, those up to 0.15 above it fade out.
void effectiveGains(const ErTap* taps, float orderThreshold, float* gains) noexcept
{
    for (int i = 0; i < erTapCount; ++i)
        gains[i] = taps[i].gain * std::clamp((orderThreshold - taps[i].order) / orderFadeWidth + 1.0f, 0.0f, 1.0f);
}
} // namespace

void EarlyReflections::prepare(double internalRate)
{
    rate = internalRate;
    const auto needed = static_cast<int>(0.4 * internalRate) + 8;
    int size = 16;
    while (size < needed)
        size <<= 1;
    ring.assign(static_cast<size_t>(size + guardSamples), 0.0f);
    mask = size - 1;
    maxDelay = static_cast<double>(size - maxChunkSamples - 2);
    for (auto& character : plans)
        for (auto& side : character)
            for (auto& plan : side)
                plan = TapPlan {};
    clear();
}

void EarlyReflections::clear() noexcept
{
    std::fill(ring.begin(), ring.end(), 0.0f);
    writeIndex = 0;
    sizeFading = false;
    sizeProgress = { 0.0f, 0.0f };
    initialised = false;
    normalisation = 0.0f;
    lowPassState[0] = lowPassState[1] = 0.0f;
    designedLowPassHz = -1.0f;
    normalisedThreshold = -1.0f;
}

void EarlyReflections::process(const float* mono, float* left, float* right, int m, int character, float sizeFactor,
                               float orderThreshold, float lowPassHz) noexcept
{
    character = std::clamp(character, 0, characterCount - 1);
    if (!(sizeFactor > 0.0f && sizeFactor <= 4.0f))
        sizeFactor = initialised ? currentSize : 1.0f;
    if (!initialised)
    {
        currentSize = sizeFactor;
        for (int c = 0; c < characterCount; ++c)
            weights[c].start = weights[c].end = c == character ? 1.0f : 0.0f;
        initialised = true;
    }
    advanceSize(sizeFactor, m);
    advanceWeights(character, m);

    chunkStart = writeIndex;
    const auto ringSize = mask + 1;
    for (int i = 0; i < m; ++i)
    {
        const auto at = (chunkStart + i) & mask;
        ring[static_cast<size_t>(at)] = mono[i];
        if (at < guardSamples)
            ring[static_cast<size_t>(at + ringSize)] = mono[i];
    }
    writeIndex = (chunkStart + m) & mask;

    updateNormalisation(orderThreshold);

    float sums[2][maxChunkSamples] {};
    for (int c = 0; c < characterCount; ++c)
        if (isActive(c))
            for (int side = 0; side < 2; ++side)
                renderSide(c, side, orderThreshold, sums[side], m);

    if (sizeFading && sizeProgress.end >= 1.0f)
    {
        currentSize = nextSize;
        sizeFading = false;
    }

    const auto w = lowPassWeight(lowPassHz);
    float* outputs[2] = { left, right };
    for (int side = 0; side < 2; ++side)
    {
        auto y = lowPassState[side];
        for (int i = 0; i < m; ++i)
        {
            y += w * (normalisation * sums[side][i] - y);
            outputs[side][i] = y;
        }
        lowPassState[side] = y;
    }
}

void EarlyReflections::advanceSize(float sizeFactor, int m) noexcept
{
    if (!sizeFading && sizeFactor != currentSize)
    {
        sizeFading = true;
        nextSize = sizeFactor;
        sizeProgress = { 0.0f, 0.0f };
    }
    if (sizeFading)
        sizeProgress = { sizeProgress.end, std::min(1.0f, sizeProgress.end + static_cast<float>(m / (rate * fadeSeconds))) };
}

void EarlyReflections::advanceWeights(int character, int m) noexcept
{
    const auto step = static_cast<float>(m / (rate * fadeSeconds));
    for (int c = 0; c < characterCount; ++c)
    {
        const auto from = weights[c].end;
        const auto target = c == character ? 1.0f : 0.0f;
        const auto to = from < target ? std::min(target, from + step) : std::max(target, from - step);
        weights[c] = { from, to };
    }
}

bool EarlyReflections::isActive(int character) const noexcept
{
    return erTapsFor(character, 0) != nullptr
           && (weights[character].start >= activeWeight || weights[character].end >= activeWeight);
}

void EarlyReflections::updateNormalisation(float orderThreshold) noexcept
{
    auto unchanged = orderThreshold == normalisedThreshold;
    for (int c = 0; c < characterCount; ++c)
    {
        unchanged = unchanged && isActive(c) == normalisedActive[c] && weights[c].end == normalisedWeights[c];
        normalisedActive[c] = isActive(c);
        normalisedWeights[c] = weights[c].end;
    }
    normalisedThreshold = orderThreshold;
    if (!unchanged)
        normalisationTarget = normalisationFor(orderThreshold);
    normalisation += 0.3f * (normalisationTarget - normalisation);
}

float EarlyReflections::normalisationFor(float orderThreshold) const noexcept
{
    double full = 0.0, thinned = 0.0;
    for (int c = 0; c < characterCount; ++c)
    {
        if (!isActive(c))
            continue;
        for (int side = 0; side < 2; ++side)
        {
            const auto* taps = erTapsFor(c, side);
            float gains[erTapCount];
            effectiveGains(taps, orderThreshold, gains);
            for (int i = 0; i < erTapCount; ++i)
            {
                full += weights[c].end * taps[i].gain * taps[i].gain;
                thinned += weights[c].end * gains[i] * gains[i];
            }
        }
    }
    return thinned > 1.0e-9 ? static_cast<float>(std::sqrt(full / thinned)) : 1.0f;
}

void EarlyReflections::renderSide(int character, int side, float orderThreshold, float* sum, int m) noexcept
{
    float current[maxChunkSamples] {};
    renderTaps(planFor(character, side, 0, currentSize, orderThreshold), current, m);
    if (sizeFading)
    {
        float next[maxChunkSamples] {};
        renderTaps(planFor(character, side, 1, nextSize, orderThreshold), next, m);
        for (int i = 0; i < m; ++i)
            current[i] += (next[i] - current[i]) * sizeProgress.at(i, m);
    }

    const auto& weight = weights[character];
    for (int i = 0; i < m; ++i)
        sum[i] += current[i] * weight.at(i, m);
}

const EarlyReflections::TapPlan& EarlyReflections::planFor(int character, int side, int slot, float size,
                                                           float orderThreshold) noexcept
{
    auto& plan = plans[character][side][slot];
    if (plan.size == size && plan.orderThreshold == orderThreshold)
        return plan;
    plan.size = size;
    plan.orderThreshold = orderThreshold;

    const auto* taps = erTapsFor(character, side);
    float gains[erTapCount];
    effectiveGains(taps, orderThreshold, gains);
    const auto samplesPerMs = 0.001 * rate * size;
    plan.count = 0;
    for (int t = 0; t < erTapCount; ++t)
    {
        const auto gain = gains[t];
        if (gain == 0.0f)
            continue;
        const auto delay = std::min(static_cast<double>(taps[t].delayMs) * samplesPerMs, maxDelay);
        const auto whole = static_cast<int>(delay);
        const auto fraction = static_cast<float>(delay - whole);
        // Sample i reads between ring[first + i] (older) and ring[first + i + 1] (newer), with
        // first = chunk start - offset.
        plan.offset[plan.count] = whole + 1;
        plan.older[plan.count] = gain * fraction;
        plan.newer[plan.count] = gain * (1.0f - fraction);
        ++plan.count;
    }
    return plan;
}

void EarlyReflections::renderTaps(const TapPlan& plan, float* out, int m) const noexcept
{
    const float* reads[erTapCount];
    for (int t = 0; t < plan.count; ++t)
        reads[t] = ring.data() + ((chunkStart - plan.offset[t]) & mask);

    int i = 0;
    for (; i + renderBlock <= m; i += renderBlock)
    {
        float sum[renderBlock];
        std::copy(out + i, out + i + renderBlock, sum);
        for (int t = 0; t < plan.count; ++t)
        {
            const auto* x = reads[t] + i;
            const auto older = plan.older[t], newer = plan.newer[t];
            for (int k = 0; k < renderBlock; ++k)
                sum[k] += older * x[k] + newer * x[k + 1];
        }
        std::copy(sum, sum + renderBlock, out + i);
    }
    for (int t = 0; t < plan.count; ++t)
    {
        const auto* x = reads[t];
        for (int k = i; k < m; ++k)
            out[k] += plan.older[t] * x[k] + plan.newer[t] * x[k + 1];
    }
}

float EarlyReflections::lowPassWeight(float lowPassHz) noexcept
{
    if (lowPassHz != designedLowPassHz)
    {
        designedLowPassHz = lowPassHz;
        const auto hz = std::min(static_cast<double>(std::max(lowPassHz, 1.0f)), 0.49 * rate);
        lowPassCoefficient = static_cast<float>(1.0 - std::exp(-2.0 * M_PI * hz / rate));
    }
    return lowPassCoefficient;
}
} // namespace zq6
