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
    ring.assign(static_cast<size_t>(size), 0.0f);
    mask = size - 1;
    maxDelay = static_cast<double>(size - maxChunkSamples - 2);
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
    for (int i = 0; i < m; ++i)
        ring[static_cast<size_t>((chunkStart + i) & mask)] = mono[i];
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
    const auto target = thinned > 1.0e-9 ? static_cast<float>(std::sqrt(full / thinned)) : 1.0f;
    normalisation += 0.3f * (target - normalisation);
}

void EarlyReflections::renderSide(int character, int side, float orderThreshold, float* sum, int m) noexcept
{
    const auto* taps = erTapsFor(character, side);
    float gains[erTapCount];
    effectiveGains(taps, orderThreshold, gains);

    float current[maxChunkSamples] {};
    renderTaps(taps, gains, currentSize, current, m);
    if (sizeFading)
    {
        float next[maxChunkSamples] {};
        renderTaps(taps, gains, nextSize, next, m);
        for (int i = 0; i < m; ++i)
            current[i] += (next[i] - current[i]) * sizeProgress.at(i, m);
    }

    const auto& weight = weights[character];
    for (int i = 0; i < m; ++i)
        sum[i] += current[i] * weight.at(i, m);
}

void EarlyReflections::renderTaps(const ErTap* taps, const float* gains, float size, float* out, int m) const noexcept
{
    const auto samplesPerMs = 0.001 * rate * size;
    const auto ringSize = mask + 1;
    for (int t = 0; t < erTapCount; ++t)
    {
        const auto gain = gains[t];
        if (gain == 0.0f)
            continue;
        const auto delay = std::min(static_cast<double>(taps[t].delayMs) * samplesPerMs, maxDelay);
        const auto whole = static_cast<int>(delay);
        const auto fraction = static_cast<float>(delay - whole);
        const auto older = gain * fraction, newer = gain * (1.0f - fraction);
        // Sample i reads between ring[first + i] (older) and ring[first + i + 1] (newer).
        const auto first = (chunkStart - whole - 1) & mask;
        if (first + m < ringSize)
        {
            const auto* x = ring.data() + first;
            for (int i = 0; i < m; ++i)
                out[i] += older * x[i] + newer * x[i + 1];
        }
        else
        {
            for (int i = 0; i < m; ++i)
                out[i] += older * ring[static_cast<size_t>((first + i) & mask)]
                          + newer * ring[static_cast<size_t>((first + i + 1) & mask)];
        }
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
