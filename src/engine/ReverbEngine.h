#pragma once

#include "../clean/ShapingProcessor.h"
#include "../clean/UnmaskProcessor.h"
#include "../dsp/ChunkSize.h"
#include "BlockParams.h"
#include "EarlyReflections.h"
#include "LatencyDelay.h"
#include "LateTail.h"
#include "LearnCapture.h"
#include "MeterPeaks.h"
#include "NetworkControls.h"
#include "PreDelayLine.h"
#include "RateConverter.h"
#include "SmootherBank.h"
#include "TailLoudness.h"
#include "WetEq.h"
#include "WetTone.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6
{
// How every stage of the engine is built:
//
// - prepare(rate) sizes and designs the stage for its rate (or for what the rate decides: the
//   converter's factor, a latency's length) and clears it; it may allocate and is never called
//   while audio runs. Stages before the decimator and after the interpolator run at the host rate,
//   the reverb network between them at the internal rate (host rate / factor).
// - clear() returns the stage to silence without allocating: after it, silence in gives exactly
//   silence out.
// - process(...) runs one chunk in place or into caller-owned buffers, never allocating or locking.
//   A host-rate stage gets the chunk's n samples (n <= maxChunkSamples); an internal-rate stage
//   gets the m samples the decimator gave for that chunk (m <= n).
// - Each stage reads only its own small controls struct (TailControls, WetToneControls,
//   WetEqControls, ShapingControls, TailLoudnessControls) or plain values, filled by the engine from
//   the block's parameters and its smoother bank; none reads BlockParams.
//
// The engine itself: chunks of at most maxChunkSamples through the wet chain, latency alignment of
// the dry path and the final dry/wet/delta mix.
class ReverbEngine
{
public:
    static int latencyForRate(double hostRate) noexcept;
    static int decimationForRate(double hostRate) noexcept;

    // Rebuilds everything rate-dependent, unless prepared before at exactly this rate.
    void prepare(double hostRate);
    // Clears every line, filter and smoother, including the dry path.
    void clear() noexcept;

    // One host block in place. numChannels is the main input bus's channel count.
    void processHostBlock(juce::AudioBuffer<float>& buffer, int numChannels, bool bypassed, const BlockParams& params) noexcept;

    int getLatency() const noexcept { return latency; }
    double getHostRate() const noexcept { return hostRate; }
    double getInternalRate() const noexcept { return internalRate; }
    int getDecimationFactor() const noexcept { return converter.getFactor(); }
    int getConverterLatency() const noexcept { return converter.latencyInternalSamples(); }
    int getResetCount() const noexcept { return resetCount.load(std::memory_order_relaxed); }
    bool isSleeping() const noexcept { return sleeping; }

    MeterPeaks& getMeterPeaks() noexcept { return meterPeaks; }
    LearnCapture& getLearnCapture() noexcept { return learnCapture; }
    const UnmaskProcessor& getUnmask() const noexcept { return unmask; }

private:
    // delta fades the delta output in; shapingDelta and unmaskDelta weigh what it is made of, so
    // that a switch turned off fades its part out instead of dropping it.
    struct MixTargets
    {
        float mix, delta, shapingDelta, unmaskDelta, wet, output;
    };

    // The final mix's smoothed values over one chunk.
    struct MixRamps
    {
        Ramp mix, delta, shapingDelta, unmaskDelta, wet, output;
    };

    struct WetBuffers
    {
        float wetLeft[maxChunkSamples], wetRight[maxChunkSamples];       // W: final wet
        float preLeft[maxChunkSamples], preRight[maxChunkSamples];       // P: wet before Unmask, aligned
        float shapeLeft[maxChunkSamples], shapeRight[maxChunkSamples];   // S: Shaping delta, aligned
    };

    void clearWetChain() noexcept;
    void processChunk(float* left, float* right, int n, const BlockParams& params, bool bypassed) noexcept;
    MixTargets mixTargets(const BlockParams& params, bool active) noexcept;
    MixRamps advanceMix(const MixTargets& targets, int n) noexcept;
    void passDry(float* left, float* right, const float* dryLeft, const float* dryRight, int n, Ramp output) noexcept;
    void trackInputSilence(const float* left, const float* right, int n) noexcept;
    void fadeInFeed(float* left, float* right, int n) noexcept;
    float renderWet(const float* left, const float* right, int n, const BlockParams& params, WetBuffers& wet) noexcept;
    void checkWet(WetBuffers& wet, float wetPeak, int n) noexcept;
    void sleepWhenSilent() noexcept;
    static void mixOut(float* left, float* right, const float* dryLeft, const float* dryRight, const WetBuffers& wet,
                       const MixRamps& ramps, int n) noexcept;
    NetworkControls smoothNetwork(const BlockParams& params, int n) noexcept;
    TailControls tailControls(const BlockParams& params, const NetworkControls& controls, int n) noexcept;
    void runWetChain(const float* inLeft, const float* inRight, int n, const BlockParams& params, WetBuffers& out,
                     float& wetPeak) noexcept;
    void publishPeaks(const juce::AudioBuffer<float>& buffer, int numChannels, int firstIndex) noexcept;

    double hostRate = 48000.0, internalRate = 48000.0;
    int latency = 1024;
    bool prepared = false;
    bool resetDoneWhileInactive = false;
    bool sleeping = false;
    bool sleepEnabled = true;
    // Leaving bypass starts the cleared wet chain on a playing input: its feed fades in over this
    // many samples so that no step reaches the reflections.
    int resumeFadeLength = 1;
    int resumeFadePosition = 1;
    bool resumingFromBypass = false;
    // The delta parts last switched on (Shaping, Unmask), and whether Shaping must keep giving its
    // delta while the final mix still fades it out.
    float deltaParts[2] {};
    bool shapingDeltaHeard = false;
    int inputSilent = 0, wetSilent = 0;
    int inputSilenceThreshold = 0, wetSilenceThreshold = 0;
    std::atomic<int> resetCount { 0 };

    RateConverter converter;
    ShapingProcessor shaping;
    PreDelayLine preDelay[2];
    EarlyReflections earlyReflections;
    LateTail lateTail;
    TailLoudness tailLoudness;
    WetTone wetTone;
    WetEq wetEq;
    UnmaskProcessor unmask;
    LatencyDelay dryDelay, shapingDeltaDelay, preUnmaskDelay;

    SmootherBank smoothers;

    MeterPeaks meterPeaks;
    LearnCapture learnCapture;
};
} // namespace zq6
