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
    const auto warmUpSamples = static_cast<int>(std::ceil(processingRate * warmUpSeconds));
    warmUpLength = std::min(inputHistoryLength, (warmUpSamples + maxChunkSamples - 1) / maxChunkSamples * maxChunkSamples);
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

    if (isOversampling())
        shapeOversampled(left, right, deltaLeft, deltaRight, n, controls, chunkFade);
    else
        shapeAtRate(left, right, listening ? deltaLeft : nullptr, listening ? deltaRight : nullptr, n, controls,
                    chunkFade);
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

// Settles the detectors on the recent input so that shaping starts from the right levels.
void ShapingProcessor::warmUp() noexcept
{
    core.reset();
    const ShapingAmounts none;
    for (int age = warmUpLength - 1; age >= 0; --age)
    {
        auto l = inputHistory.left(age);
        auto r = inputHistory.right(age);
        core.process(l, r, none);
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

void ShapingProcessor::recordInput(float* left, float* right, int n) noexcept
{
    if (!isOversampling())
    {
        for (int j = 0; j < n; ++j)
            inputHistory.push(left[j], right[j]);
        return;
    }
    float* channels[] = { left, right };
    const auto up = feedOversampler->processSamplesUp(juce::dsp::AudioBlock<float>(channels, 2, static_cast<size_t>(n)));
    const auto* upLeft = up.getChannelPointer(0);
    const auto* upRight = up.getChannelPointer(1);
    for (size_t j = 0; j < up.getNumSamples(); ++j)
        inputHistory.push(upLeft[j], upRight[j]);
}

void ShapingProcessor::shapeOversampled(float* left, float* right, float* deltaLeft, float* deltaRight, int n,
                                        const ShapingControls& controls, Ramp chunkFade) noexcept
{
    float* channels[] = { left, right };
    juce::dsp::AudioBlock<float> block(channels, 2, static_cast<size_t>(n));
    const auto listening = controls.deltaListening;
    auto up = feedOversampler->processSamplesUp(block);
    shapeAtRate(up.getChannelPointer(0), up.getChannelPointer(1), listening ? deltaUp[0] : nullptr,
                listening ? deltaUp[1] : nullptr, 2 * n, controls, chunkFade);
    feedOversampler->processSamplesDown(block);
    if (listening)
    {
        float* deltaChannels[] = { deltaLeft, deltaRight };
        juce::dsp::AudioBlock<float> delta(deltaChannels, 2, static_cast<size_t>(n));
        deltaOversampler->processSamplesDown(delta);
    }
}

// The core over m samples at the processing rate; delta buffers may be null when nobody listens.
void ShapingProcessor::shapeAtRate(float* left, float* right, float* deltaLeft, float* deltaRight, int m,
                                   const ShapingControls& controls, Ramp chunkFade) noexcept
{
    const auto fading = chunkFade.start < 1.0f || chunkFade.end < 1.0f;
    for (int j = 0; j < m; ++j)
    {
        const auto l = left[j];
        const auto r = right[j];
        inputHistory.push(l, r);

        const ShapingAmounts amounts { controls.sibilance.at(j, m), controls.breath.at(j, m), controls.transient.at(j, m) };
        auto shapedLeft = l;
        auto shapedRight = r;
        core.process(shapedLeft, shapedRight, amounts);

        auto removedLeft = l - shapedLeft;
        auto removedRight = r - shapedRight;
        if (fading)
        {
            const auto f = chunkFade.at(j, m);
            removedLeft *= f;
            removedRight *= f;
        }
        left[j] = l - removedLeft;
        right[j] = r - removedRight;
        deltaHistory.push(removedLeft, removedRight);
        if (deltaLeft != nullptr)
        {
            deltaLeft[j] = removedLeft;
            deltaRight[j] = removedRight;
        }
    }
}
} // namespace zq6
