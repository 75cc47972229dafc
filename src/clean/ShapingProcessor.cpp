#include "ShapingProcessor.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double oversamplingLimitHz = 50000.0;
constexpr int inputHistoryLength = 4096;
constexpr int deltaHistoryLength = 512;
constexpr double warmUpSeconds = 0.021;
constexpr double fadeSeconds = 0.015;
constexpr Ramp fullyOn { 1.0f, 1.0f };

std::unique_ptr<juce::dsp::Oversampling<float>> makeOversampler()
{
    auto oversampler = std::make_unique<juce::dsp::Oversampling<float>>(
        2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true);
    oversampler->initProcessing(maxChunkSamples);
    return oversampler;
}

float clamp01(float v) noexcept
{
    return std::clamp(v, 0.0f, 1.0f);
}

void zero(float* left, float* right, int n) noexcept
{
    std::fill(left, left + n, 0.0f);
    std::fill(right, right + n, 0.0f);
}
} // namespace

void ShapingProcessor::prepare(double rate)
{
    hostRate = rate;
    const auto oversampling = rate <= oversamplingLimitHz;
    const auto processingRate = oversampling ? 2.0 * rate : rate;

    feedOversampler.reset();
    deltaOversampler.reset();
    deltaUp[0] = deltaUp[1] = nullptr;
    latency = 0;
    if (oversampling)
    {
        feedOversampler = makeOversampler();
        deltaOversampler = makeOversampler();
        latency = static_cast<int>(std::lround(feedOversampler->getLatencyInSamples()));
        // The up stage's buffer stays put until the next initProcessing, so the core can write
        // the delta straight into it and the oversampler only has to carry it down.
        const float silence[maxChunkSamples] {};
        const float* channels[] = { silence, silence };
        auto up = deltaOversampler->processSamplesUp(juce::dsp::AudioBlock<const float>(channels, 2, maxChunkSamples));
        deltaUp[0] = up.getChannelPointer(0);
        deltaUp[1] = up.getChannelPointer(1);
    }

    inputHistory.prepare(inputHistoryLength);
    deltaHistory.prepare(deltaHistoryLength);
    // Counted at the processing rate, taken from the input history at the host rate.
    const auto warmUpSamples = static_cast<int>(std::ceil(processingRate * warmUpSeconds));
    const auto processingLength = std::min(inputHistoryLength, (warmUpSamples + maxChunkSamples - 1) / maxChunkSamples * maxChunkSamples);
    warmUpLength = oversampling ? processingLength / 2 : processingLength;
    fadeStep = static_cast<float>(1.0 / (rate * fadeSeconds));
    core.prepare(processingRate);
    clear();
}

void ShapingProcessor::clear() noexcept
{
    for (auto* oversampler : { feedOversampler.get(), deltaOversampler.get() })
        if (oversampler != nullptr)
            oversampler->reset();
    inputHistory.clear();
    deltaHistory.clear();
    core.reset();
    fade = 0.0f;
    fadeInitialised = false;
    off = true;
    wasListening = false;
}

bool ShapingProcessor::isActive(float amount, float sibilanceShare, float breathShare, float transientShare) noexcept
{
    const auto share = std::max({ clamp01(sibilanceShare), clamp01(breathShare), clamp01(transientShare) });
    return clamp01(amount) * share > 0.0f;
}

void ShapingProcessor::process(float* left, float* right, float* deltaLeft, float* deltaRight, int n,
                               const ShapingControls& controls) noexcept
{
    const auto active = controls.active;
    const auto listening = controls.deltaListening;
    if (listening && !wasListening)
        settleDelta();
    wasListening = listening;

    const auto chunkFade = advanceFade(active, n);
    if (!active && chunkFade.start <= 0.0f)
    {
        if (!off)
            switchOff();
        recordInput(left, right, n);
        zero(deltaLeft, deltaRight, n);
        return;
    }
    if (off)
    {
        off = false;
        warmUp();
    }
    recordInput(left, right, n);

    if (isOversampling())
        shapeOversampled(left, right, deltaLeft, deltaRight, n, controls, chunkFade);
    else
        shapeAtRate(left, right, listening ? deltaLeft : nullptr, listening ? deltaRight : nullptr, n, controls,
                    chunkFade, chunkFade);
    if (!listening)
        zero(deltaLeft, deltaRight, n);
}

Ramp ShapingProcessor::advanceFade(bool active, int n) noexcept
{
    if (!fadeInitialised)
    {
        fadeInitialised = true;
        fade = active ? 1.0f : 0.0f;
        return { fade, fade };
    }
    const auto start = fade;
    fade = clamp01(fade + (active ? fadeStep : -fadeStep) * static_cast<float>(n));
    return { start, fade };
}

// While off nothing is removed, so the delta path restarts from silence.
void ShapingProcessor::switchOff() noexcept
{
    off = true;
    deltaHistory.clear();
    if (deltaOversampler != nullptr)
        deltaOversampler->reset();
}

// Settles the detectors, and the feed oversampler that stood still while off, on the recent input
// so that shaping starts from the right levels.
void ShapingProcessor::warmUp() noexcept
{
    core.reset();
    const ShapingAmounts none;
    float scratch[2][maxShapingSamples];
    if (!isOversampling())
    {
        for (int start = warmUpLength - 1; start >= 0; start -= maxShapingSamples)
        {
            const auto piece = std::min(maxShapingSamples, start + 1);
            for (int k = 0; k < piece; ++k)
            {
                scratch[0][k] = inputHistory.left(start - k);
                scratch[1][k] = inputHistory.right(start - k);
            }
            core.process(scratch[0], scratch[1], piece, none);
        }
        return;
    }
    feedOversampler->reset();
    float* channels[] = { scratch[0], scratch[1] };
    juce::dsp::AudioBlock<float> block(channels, 2, maxChunkSamples);
    for (int start = warmUpLength - 1; start >= 0; start -= maxChunkSamples)
    {
        const auto piece = std::min(maxChunkSamples, start + 1);
        for (int k = 0; k < piece; ++k)
        {
            scratch[0][k] = inputHistory.left(start - k);
            scratch[1][k] = inputHistory.right(start - k);
        }
        auto piecewise = block.getSubBlock(0, static_cast<size_t>(piece));
        auto up = feedOversampler->processSamplesUp(piecewise);
        core.process(up.getChannelPointer(0), up.getChannelPointer(1), static_cast<int>(up.getNumSamples()), none);
        feedOversampler->processSamplesDown(piecewise);
    }
}

// Runs the delta oversampler over the recent delta so it starts with settled filters.
void ShapingProcessor::settleDelta() noexcept
{
    if (deltaOversampler == nullptr)
        return;
    deltaOversampler->reset();
    float scratch[2][maxChunkSamples];
    float* channels[] = { scratch[0], scratch[1] };
    juce::dsp::AudioBlock<float> down(channels, 2, maxChunkSamples);
    const auto piece = 2 * maxChunkSamples;
    for (int start = deltaHistoryLength - 1; start >= 0; start -= piece)
    {
        for (int k = 0; k < piece; ++k)
        {
            deltaUp[0][k] = deltaHistory.left(start - k);
            deltaUp[1][k] = deltaHistory.right(start - k);
        }
        deltaOversampler->processSamplesDown(down);
    }
}

void ShapingProcessor::recordInput(const float* left, const float* right, int n) noexcept
{
    for (int j = 0; j < n; ++j)
        inputHistory.push(left[j], right[j]);
}

// The oversampled path delays the feed by a few samples: while fading, the shaped feed is
// crossfaded with the unshaped, undelayed input, so that switching never moves the feed in time.
void ShapingProcessor::shapeOversampled(float* left, float* right, float* deltaLeft, float* deltaRight, int n,
                                        const ShapingControls& controls, Ramp chunkFade) noexcept
{
    float inLeft[maxChunkSamples], inRight[maxChunkSamples];
    std::copy(left, left + n, inLeft);
    std::copy(right, right + n, inRight);
    float* channels[] = { left, right };
    juce::dsp::AudioBlock<float> block(channels, 2, static_cast<size_t>(n));
    const auto listening = controls.deltaListening;
    auto up = feedOversampler->processSamplesUp(block);
    shapeAtRate(up.getChannelPointer(0), up.getChannelPointer(1), listening ? deltaUp[0] : nullptr,
                listening ? deltaUp[1] : nullptr, 2 * n, controls, fullyOn, chunkFade);
    feedOversampler->processSamplesDown(block);
    if (chunkFade.start < 1.0f || chunkFade.end < 1.0f)
        for (int j = 0; j < n; ++j)
        {
            const auto f = chunkFade.at(j, n);
            left[j] = inLeft[j] + (left[j] - inLeft[j]) * f;
            right[j] = inRight[j] + (right[j] - inRight[j]) * f;
        }
    if (listening)
    {
        float* deltaChannels[] = { deltaLeft, deltaRight };
        juce::dsp::AudioBlock<float> delta(deltaChannels, 2, static_cast<size_t>(n));
        deltaOversampler->processSamplesDown(delta);
    }
}

// The core over m samples at the processing rate; delta buffers may be null when nobody listens.
// What was removed reaches the feed scaled by feedFade and the delta scaled by deltaFade.
void ShapingProcessor::shapeAtRate(float* left, float* right, float* deltaLeft, float* deltaRight, int m,
                                   const ShapingControls& controls, Ramp feedFade, Ramp deltaFade) noexcept
{
    const auto feedFading = feedFade.start < 1.0f || feedFade.end < 1.0f;
    const auto deltaFading = deltaFade.start < 1.0f || deltaFade.end < 1.0f;
    float shapedLeft[maxShapingSamples], shapedRight[maxShapingSamples];
    std::copy(left, left + m, shapedLeft);
    std::copy(right, right + m, shapedRight);
    core.process(shapedLeft, shapedRight, m, { controls.sibilance, controls.breath, controls.transient });
    for (int j = 0; j < m; ++j)
    {
        const auto l = left[j];
        const auto r = right[j];
        const auto removedLeft = l - shapedLeft[j];
        const auto removedRight = r - shapedRight[j];
        const auto feedScale = feedFading ? feedFade.at(j, m) : 1.0f;
        const auto deltaScale = deltaFading ? deltaFade.at(j, m) : 1.0f;
        left[j] = l - removedLeft * feedScale;
        right[j] = r - removedRight * feedScale;
        const auto deltaLeftSample = removedLeft * deltaScale;
        const auto deltaRightSample = removedRight * deltaScale;
        deltaHistory.push(deltaLeftSample, deltaRightSample);
        if (deltaLeft != nullptr)
        {
            deltaLeft[j] = deltaLeftSample;
            deltaRight[j] = deltaRightSample;
        }
    }
}
} // namespace zq6
