#include "ReverbEngine.h"

#include "CharacterVoicing.h"
#include "ErLevel.h"
#include "ErTapTable.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr int saturation = 1 << 30;
constexpr float silenceLevel = 1.0e-6f;
// The size factor 2^((size - 0.5) * 2) at the top of the size range.
constexpr double largestSizeFactor = 2.0;
constexpr double resumeFadeSeconds = 0.005;
// A delta part weighed less than this is inaudible, so its source may stop.
constexpr float deltaPartHeard = 1.0e-4f;

// How long after the last input sample the wet chain can still start to sound: the longest
// pre-delay, attack and tail offset, the latest early reflection at the largest size, and the
// early reflections' size crossfade.
double latestWetOnsetSeconds() noexcept
{
    return (PreDelayLine::maximumMs + AttackSpreader::maximumMs + TailOffsetLine::maximumMs
            + largestSizeFactor * erLongestDelayMs() + EarlyReflections::sizeFadeMs)
           * 0.001;
}

int saturatingAdd(int counter, int n) noexcept
{
    return counter >= saturation - n ? saturation : counter + n;
}

// Four running peaks side by side, so the loop runs in vectors; the largest of them is the peak.
float absPeak(const float* samples, int n) noexcept
{
    float peaks[4] = {};
    int j = 0;
    for (; j + 4 <= n; j += 4)
        for (int lane = 0; lane < 4; ++lane)
            peaks[lane] = std::max(peaks[lane], std::abs(samples[j + lane]));
    for (; j < n; ++j)
        peaks[0] = std::max(peaks[0], std::abs(samples[j]));
    return std::max(std::max(peaks[0], peaks[1]), std::max(peaks[2], peaks[3]));
}

float clamp01(float v) noexcept
{
    return std::clamp(v, 0.0f, 1.0f);
}

ShapingControls shapingControlsFor(const BlockParams& p, const NetworkControls& c, bool deltaHeard) noexcept
{
    return { c.sibilanceAmount, c.breathAmount, c.transientAmount,
             ShapingProcessor::isActive(p.shapingAmount, p.shapeSibilance, p.shapeBreath, p.shapeTransient),
             deltaHeard };
}

TailLoudnessControls loudnessControlsFor(const BlockParams& p, const NetworkControls& c) noexcept
{
    return { clampToRange(Param::decay, p.decaySeconds),
             p.decayLowMultiplier,
             std::exp2((clamp01(p.brightness) - 0.5f) * 4.0f),
             clampToRange(Param::lowcut, p.lowCutHz),
             c.character,
             c.midDecay.end };
}

WetToneControls toneControlsFor(const NetworkControls& c) noexcept
{
    return { c.erLevel, c.noErWeight, c.midDecay, c.voiceLowPassHz, c.width, c.lowCutHz, c.tiltDb };
}
} // namespace

int ReverbEngine::latencyForRate(double rate) noexcept
{
    return rate <= 50000.0 ? 1024 : rate <= 100000.0 ? 2048 : 4096;
}

int ReverbEngine::decimationForRate(double rate) noexcept
{
    return rate <= 50000.0 ? 1 : rate <= 100000.0 ? 2 : rate <= 200000.0 ? 4 : 8;
}

void ReverbEngine::prepare(double rate)
{
    if (prepared && rate == hostRate)
        return;

    hostRate = rate;
    latency = latencyForRate(rate);
    const auto factor = decimationForRate(rate);
    internalRate = rate / factor;

    converter.prepare(factor);
    shaping.prepare(hostRate);
    for (auto& line : preDelay)
        line.prepare(internalRate);
    earlyReflections.prepare(internalRate);
    lateTail.prepare(internalRate);
    tailLoudness.prepare(hostRate);
    unmask.prepare(hostRate, latency);
    wetTone.prepare(internalRate);
    wetEq.prepare(internalRate);

    dryDelay.prepare(latency);
    preUnmaskDelay.prepare(latency);
    const auto shapingDelta = latency - shaping.getLatencySamples();
    shapingDeltaDelay.prepare(shapingDelta < 1 ? 0 : shapingDelta);

    inputSilenceThreshold = static_cast<int>(std::ceil(hostRate * latestWetOnsetSeconds()));
    wetSilenceThreshold = latency + latency / 4 + 32;
    resumeFadeLength = static_cast<int>(std::ceil(hostRate * resumeFadeSeconds));

    smoothers.prepare(hostRate);
    clear();
    prepared = true;
}

void ReverbEngine::clear() noexcept
{
    clearWetChain();
    dryDelay.clear();
    smoothers.clear();
    resetDoneWhileInactive = true;
    resumingFromBypass = false;
    resumeFadePosition = resumeFadeLength;
    sleeping = false;
}

void ReverbEngine::clearWetChain() noexcept
{
    shaping.clear();
    converter.clear();
    for (auto& line : preDelay)
        line.clear();
    earlyReflections.clear();
    lateTail.clear();
    tailLoudness.clear();
    unmask.clear();
    preUnmaskDelay.clear();
    shapingDeltaDelay.clear();
    wetTone.clear();
    wetEq.clear();
    inputSilent = 0;
    wetSilent = 0;
    sleeping = false;
    smoothers.clearWetChain();
}

void ReverbEngine::processHostBlock(juce::AudioBuffer<float>& buffer, int numChannels, bool bypassed,
                                    const BlockParams& params) noexcept
{
    const auto numSamples = buffer.getNumSamples();
    for (int c = 0; c < buffer.getNumChannels(); ++c)
    {
        auto* data = buffer.getWritePointer(c);
        for (int j = 0; j < numSamples; ++j)
            if (!std::isfinite(data[j]))
                data[j] = 0.0f;
    }

    const auto channels = std::min(numChannels, buffer.getNumChannels());
    if (channels <= 0 || numSamples <= 0)
        return;

    learnCapture.write(buffer.getArrayOfReadPointers(), channels, numSamples);
    publishPeaks(buffer, channels, MeterPeaks::inputLeft);

    for (int start = 0; start < numSamples; start += maxChunkSamples)
    {
        const auto n = std::min(maxChunkSamples, numSamples - start);
        auto* left = buffer.getWritePointer(0, start);
        if (channels == 1)
        {
            float right[maxChunkSamples];
            std::copy(left, left + n, right);
            processChunk(left, right, n, params, bypassed);
            for (int j = 0; j < n; ++j)
                left[j] = (left[j] + right[j]) * 0.5f;
        }
        else
        {
            processChunk(left, buffer.getWritePointer(1, start), n, params, bypassed);
        }
    }

    publishPeaks(buffer, channels, MeterPeaks::outputLeft);
}

void ReverbEngine::publishPeaks(const juce::AudioBuffer<float>& buffer, int numChannels, int firstIndex) noexcept
{
    for (int i = 0; i < 2; ++i)
    {
        const auto channel = std::min(i, numChannels - 1);
        meterPeaks.raise(firstIndex + i, absPeak(buffer.getReadPointer(channel), buffer.getNumSamples()));
    }
}

ReverbEngine::MixTargets ReverbEngine::mixTargets(const BlockParams& p, bool active) noexcept
{
    // With no switch on, the parts keep their weights while the delta output fades out alone.
    if (p.deltaShaping || p.deltaUnmask)
    {
        deltaParts[0] = p.deltaShaping ? 1.0f : 0.0f;
        deltaParts[1] = p.deltaUnmask ? 1.0f : 0.0f;
    }
    const auto shapingDelta = deltaParts[0];
    const auto unmaskDelta = deltaParts[1];
    if (!active)
        return { 0.0f, 0.0f, shapingDelta, unmaskDelta, 1.0f, 1.0f };
    const auto listening = p.learnListening;
    const auto mix = p.sendMode ? 1.0f : listening ? 0.0f : clamp01(p.mix);
    const auto delta = !listening && (p.deltaShaping || p.deltaUnmask) ? 1.0f : 0.0f;
    const auto output = listening ? 1.0f : std::pow(10.0f, std::clamp(p.outputDb, -60.0f, 24.0f) / 20.0f);
    return { mix, delta, shapingDelta, unmaskDelta, listening ? 0.0f : 1.0f, output };
}

ReverbEngine::MixRamps ReverbEngine::advanceMix(const MixTargets& targets, int n) noexcept
{
    return { smoothers.advance(Control::mix, targets.mix, n), smoothers.advance(Control::delta, targets.delta, n),
             smoothers.advance(Control::shapingDelta, targets.shapingDelta, n),
             smoothers.advance(Control::unmaskDelta, targets.unmaskDelta, n),
             smoothers.advance(Control::wet, targets.wet, n), smoothers.advance(Control::output, targets.output, n) };
}

// The host block was made finite before it was cut into chunks.
void ReverbEngine::processChunk(float* left, float* right, int n, const BlockParams& params, bool bypassed) noexcept
{
    const auto active = !bypassed;
    const auto ramps = advanceMix(mixTargets(params, active), n);

    float dryLeft[maxChunkSamples], dryRight[maxChunkSamples];
    std::copy(left, left + n, dryLeft);
    std::copy(right, right + n, dryRight);
    dryDelay.process(dryLeft, dryRight, n);

    if (!active && ramps.mix.end <= 1.0e-4f && ramps.delta.end <= 1.0e-4f)
    {
        passDry(left, right, dryLeft, dryRight, n, ramps.output);
        return;
    }
    resetDoneWhileInactive = false;
    if (resumingFromBypass)
    {
        resumingFromBypass = false;
        resumeFadePosition = 0;
    }

    shapingDeltaHeard = ramps.delta.end > deltaPartHeard && ramps.shapingDelta.end > deltaPartHeard;
    trackInputSilence(left, right, n);
    WetBuffers wet;
    const auto wetPeak = renderWet(left, right, n, params, wet);
    checkWet(wet, wetPeak, n);
    sleepWhenSilent();
    mixOut(left, right, dryLeft, dryRight, wet, ramps, n);
}

// Inactive and faded out: the engine is cleared once and the aligned dry signal passes.
void ReverbEngine::passDry(float* left, float* right, const float* dryLeft, const float* dryRight, int n,
                           Ramp output) noexcept
{
    if (!resetDoneWhileInactive)
    {
        clearWetChain();
        resetDoneWhileInactive = true;
    }
    resumingFromBypass = true;
    for (int j = 0; j < n; ++j)
    {
        const auto g = output.at(j, n);
        left[j] = dryLeft[j] * g;
        right[j] = dryRight[j] * g;
    }
}

void ReverbEngine::trackInputSilence(const float* left, const float* right, int n) noexcept
{
    if (std::max(absPeak(left, n), absPeak(right, n)) > silenceLevel)
    {
        sleeping = false;
        inputSilent = 0;
    }
    else
    {
        inputSilent = saturatingAdd(inputSilent, n);
    }
}

// Runs the wet chain on the input clamped to +-32, or gives silence while asleep; returns the peak
// of the wet before Unmask.
float ReverbEngine::renderWet(const float* left, const float* right, int n, const BlockParams& params,
                              WetBuffers& wet) noexcept
{
    if (sleeping)
    {
        std::fill_n(&wet.wetLeft[0], sizeof(WetBuffers) / sizeof(float), 0.0f);
        return 0.0f;
    }
    float inLeft[maxChunkSamples], inRight[maxChunkSamples];
    for (int j = 0; j < n; ++j)
    {
        inLeft[j] = std::clamp(left[j], -32.0f, 32.0f);
        inRight[j] = std::clamp(right[j], -32.0f, 32.0f);
    }
    if (resumeFadePosition < resumeFadeLength)
        fadeInFeed(inLeft, inRight, n);
    float wetPeak = 0.0f;
    runWetChain(inLeft, inRight, n, params, wet, wetPeak);
    return wetPeak;
}

// A smoothstep from silence, so the feed starts without a step in level or slope.
void ReverbEngine::fadeInFeed(float* left, float* right, int n) noexcept
{
    for (int j = 0; j < n; ++j)
    {
        const auto t = std::min(1.0f, static_cast<float>(++resumeFadePosition) / static_cast<float>(resumeFadeLength));
        const auto g = t * t * (3.0f - 2.0f * t);
        left[j] *= g;
        right[j] *= g;
    }
}

// A non-finite wet chunk is silenced and clears the engine; a quiet one counts toward sleep.
void ReverbEngine::checkWet(WetBuffers& wet, float wetPeak, int n) noexcept
{
    float sum = 0.0f;
    for (int j = 0; j < n; ++j)
        sum += wet.wetLeft[j] + wet.wetRight[j] + wet.preLeft[j] + wet.preRight[j] + wet.shapeLeft[j] + wet.shapeRight[j];
    if (!std::isfinite(sum) || !std::isfinite(wetPeak))
    {
        std::fill_n(&wet.wetLeft[0], sizeof(WetBuffers) / sizeof(float), 0.0f);
        clearWetChain();
        resetCount.fetch_add(1, std::memory_order_relaxed);
        wetSilent = saturatingAdd(wetSilent, n);
    }
    else
    {
        wetSilent = wetPeak <= silenceLevel ? saturatingAdd(wetSilent, n) : 0;
    }
}

void ReverbEngine::sleepWhenSilent() noexcept
{
    // Once asleep the chain is already clear: the counters keep growing but clear nothing again.
    if (sleepEnabled && !sleeping && inputSilent >= inputSilenceThreshold && wetSilent >= wetSilenceThreshold)
    {
        clearWetChain();
        sleeping = true;
    }
}

void ReverbEngine::mixOut(float* left, float* right, const float* dryLeft, const float* dryRight, const WetBuffers& wet,
                          const MixRamps& ramps, int n) noexcept
{
    if (ramps.delta.start <= 0.0f && ramps.delta.end <= 0.0f)
    {
        // No delta anywhere in the chunk: a branch-free loop the compiler runs in vectors.
        for (int j = 0; j < n; ++j)
        {
            const auto m = ramps.mix.at(j, n);
            const auto w = ramps.wet.at(j, n) * m;
            const auto g = ramps.output.at(j, n);
            left[j] = g * ((1.0f - m) * dryLeft[j] + w * wet.wetLeft[j]);
            right[j] = g * ((1.0f - m) * dryRight[j] + w * wet.wetRight[j]);
        }
        return;
    }
    for (int j = 0; j < n; ++j)
    {
        const auto m = ramps.mix.at(j, n);
        const auto d = ramps.delta.at(j, n);
        const auto w = ramps.wet.at(j, n) * m;
        const auto g = ramps.output.at(j, n);
        auto l = (1.0f - m) * dryLeft[j] + w * wet.wetLeft[j];
        auto r = (1.0f - m) * dryRight[j] + w * wet.wetRight[j];
        if (d > 0.0f)
        {
            const auto s = ramps.shapingDelta.at(j, n);
            const auto u = ramps.unmaskDelta.at(j, n);
            const auto deltaLeft = (s > 0.0f ? s * wet.shapeLeft[j] : 0.0f)
                                   + (u > 0.0f ? u * (wet.preLeft[j] - wet.wetLeft[j]) : 0.0f);
            const auto deltaRight = (s > 0.0f ? s * wet.shapeRight[j] : 0.0f)
                                    + (u > 0.0f ? u * (wet.preRight[j] - wet.wetRight[j]) : 0.0f);
            l = l * (1.0f - d) + d * deltaLeft;
            r = r * (1.0f - d) + d * deltaRight;
        }
        left[j] = g * l;
        right[j] = g * r;
    }
}

NetworkControls ReverbEngine::smoothNetwork(const BlockParams& p, int n) noexcept
{
    NetworkControls c;
    c.character = clampCharacter(p.character);
    const auto& voicing = voicingFor(c.character);
    const auto shapingAmount = clamp01(p.shapingAmount);
    const auto decay = clampToRange(Param::decay, p.decaySeconds);
    const auto brightness = clamp01(p.brightness);
    const auto motion = clamp01(p.motion);

    c.sibilanceAmount = smoothers.advance(Control::sibilance, shapingAmount * clamp01(p.shapeSibilance), n);
    c.breathAmount = smoothers.advance(Control::breath, shapingAmount * clamp01(p.shapeBreath), n);
    c.transientAmount = smoothers.advance(Control::transient, shapingAmount * clamp01(p.shapeTransient), n);
    // A second, shorter stage rounds the start of the glide: the line's reading speed then rises
    // from zero instead of jumping, and peaks lower.
    const auto preDelayMs = smoothers.advance(Control::preDelay, clampToRange(Param::predelay, p.preDelayMs), n);
    c.preDelayMs = smoothers.advance(Control::preDelayGlide, preDelayMs.end, n);

    c.diffusionMult = smoothers.advance(Control::diffusionMult, voicing.diffusionMult, n);
    c.motionMult = smoothers.advance(Control::motionMult, voicing.motionMult, n);
    c.lowDecayMult = smoothers.advance(Control::lowDecayMult, voicing.lowDecayMult, n);
    c.highDecayMult = smoothers.advance(Control::highDecayMult, voicing.highDecayMult, n);

    c.lowDecay = smoothers.advance(Control::lowDecay, std::clamp(decay * p.decayLowMultiplier * c.lowDecayMult.end, 0.02f, 80.0f), n);
    c.midDecay = smoothers.advance(Control::midDecay, decay, n);
    const auto brightnessFactor = std::exp2((brightness - 0.5f) * 4.0f);
    c.highDecay = smoothers.advance(Control::highDecay, std::clamp(decay * brightnessFactor * c.highDecayMult.end, 0.02f, 80.0f), n);

    c.lfoRateHz = smoothers.advance(Control::lfoRate, (motion - 0.3f) * 0.4f + 0.8f, n);
    c.motionDepth = smoothers.advance(Control::motionDepth, motion, n);
    c.diffusion = smoothers.advance(Control::diffusion, p.diffusion, n);
    c.erLevel = smoothers.advance(Control::erLevel, erWeight(p.erLevelDb), n);
    c.voiceLowPassHz = smoothers.advance(Control::voiceLowPass, voicing.voiceLowPassHz, n);
    c.erOrderThreshold = smoothers.advance(Control::erThreshold, voicing.erOrderThreshold, n);
    c.erLowPassHz = smoothers.advance(Control::erLowPass, voicing.erLowPassHz, n);
    c.width = smoothers.advance(Control::width, clampToRange(Param::width, p.width), n);
    c.lowCutHz = smoothers.advance(Control::lowCut, clampToRange(Param::lowcut, p.lowCutHz), n);
    c.tiltDb = smoothers.advance(Control::tilt, (brightness - 0.5f) * 16.0f, n);
    c.unmaskAmount = smoothers.advance(Control::unmaskAmount, clamp01(p.unmaskAmount), n);
    c.noErWeight = smoothers.advance(Control::noErWeight, c.character == plate ? 1.0f : 0.0f, n);
    c.sizeFactor = std::exp2((clamp01(p.size) - 0.5f) * 2.0f);
    return c;
}

TailControls ReverbEngine::tailControls(const BlockParams& params, const NetworkControls& controls, int n) noexcept
{
    const auto& voicing = voicingFor(controls.character);
    TailControls tail;
    tail.size = static_cast<double>(controls.sizeFactor) * voicing.sizeMult;
    const auto loudness = tailLoudness.process(loudnessControlsFor(params, controls), lateTail, n);
    tail.loudnessGain[0] = loudness[0];
    tail.loudnessGain[1] = loudness[1];
    tail.lowDecay = controls.lowDecay.end;
    tail.midDecay = controls.midDecay.end;
    tail.highDecay = controls.highDecay.end;
    tail.lfoRateHz = controls.lfoRateHz.end;
    tail.modulationDepth = controls.motionDepth.end * controls.motionMult.end;
    tail.diffusion = controls.diffusion.end * controls.diffusionMult.end;
    tail.tailOffsetMs = voicing.tailOffsetMs;
    tail.attackMs = params.attackMs;
    return tail;
}

void ReverbEngine::runWetChain(const float* inLeft, const float* inRight, int n, const BlockParams& params,
                               WetBuffers& out, float& wetPeak) noexcept
{
    const auto controls = smoothNetwork(params, n);
    const auto tail = tailControls(params, controls, n);

    float feedLeft[maxChunkSamples], feedRight[maxChunkSamples];
    std::copy(inLeft, inLeft + n, feedLeft);
    std::copy(inRight, inRight + n, feedRight);
    shaping.process(feedLeft, feedRight, out.shapeLeft, out.shapeRight, n, shapingControlsFor(params, controls, shapingDeltaHeard));
    shapingDeltaDelay.process(out.shapeLeft, out.shapeRight, n);

    float downLeft[maxChunkSamples], downRight[maxChunkSamples];
    const auto m = converter.decimate(feedLeft, feedRight, n, downLeft, downRight);

    const auto delaySamples = std::max(0.0, static_cast<double>(controls.preDelayMs.end) * 0.001 * internalRate
                                                - converter.latencyInternalSamples());
    float preLeft[maxChunkSamples], preRight[maxChunkSamples], mono[maxChunkSamples];
    preDelay[0].process(downLeft, preLeft, m, delaySamples);
    preDelay[1].process(downRight, preRight, m, delaySamples);
    for (int k = 0; k < m; ++k)
        mono[k] = (preLeft[k] + preRight[k]) * 0.5f;

    float erLeft[maxChunkSamples], erRight[maxChunkSamples], tailLeft[maxChunkSamples], tailRight[maxChunkSamples];
    earlyReflections.process(mono, erLeft, erRight, m, controls.character, controls.sizeFactor,
                             controls.erOrderThreshold.end, controls.erLowPassHz.end);
    lateTail.process(preLeft, preRight, tailLeft, tailRight, m, tail);

    float toneLeft[maxChunkSamples], toneRight[maxChunkSamples];
    wetTone.process(erLeft, erRight, tailLeft, tailRight, toneLeft, toneRight, m, toneControlsFor(controls));
    wetEq.process(toneLeft, toneRight, m, params.eq);

    if (converter.getFactor() > 1)
    {
        converter.interpolate(toneLeft, toneRight, m);
        converter.read(out.preLeft, out.preRight, n);
    }
    else
    {
        std::copy(toneLeft, toneLeft + n, out.preLeft);
        std::copy(toneRight, toneRight + n, out.preRight);
    }

    unmask.process(out.preLeft, out.preRight, inLeft, inRight, out.wetLeft, out.wetRight, n, controls.unmaskAmount,
                   std::clamp(params.unmaskSpeed, 0, 2));
    wetPeak = std::max(absPeak(out.preLeft, n), absPeak(out.preRight, n));
    preUnmaskDelay.process(out.preLeft, out.preRight, n);
}
} // namespace zq6
