#pragma once

#include "../dsp/ChunkSize.h"
#include "ShapingControls.h"
#include "ShapingCore.h"
#include "StereoHistory.h"

#include <juce_dsp/juce_dsp.h>

#include <memory>

namespace zq6
{
// Softens sibilance, breaths and sharp attacks in the reverb feed, at twice the host rate up to
// 50 kHz, and gives what it removed as the Shaping delta.
class ShapingProcessor
{
public:
    // Shaping runs while the amount and at least one stage's share are above 0; arguments as the
    // parameters hold them.
    static bool isActive(float amount, float sibilanceShare, float breathShare, float transientShare) noexcept;

    void prepare(double hostRate);
    void clear() noexcept;
    // Oversampling latency in host samples (0 when not oversampling).
    int getLatencySamples() const noexcept { return latency; }
    bool isOversampling() const noexcept { return feedOversampler != nullptr; }

    // In place on the feed; writes what was removed into the delta buffers while Delta Shaping
    // listens, else zeros.
    void process(float* left, float* right, float* deltaLeft, float* deltaRight, int n,
                 const ShapingControls& controls) noexcept;

private:
    using Oversampler = juce::dsp::Oversampling<float>;

    Ramp advanceFade(bool active, int n) noexcept;
    void switchOff() noexcept;
    void warmUp() noexcept;
    void settleDelta() noexcept;
    void recordInput(const float* left, const float* right, int n) noexcept;
    void shapeOversampled(float* left, float* right, float* deltaLeft, float* deltaRight, int n,
                          const ShapingControls& controls, Ramp fade) noexcept;
    void shapeAtRate(float* left, float* right, float* deltaLeft, float* deltaRight, int m,
                     const ShapingControls& controls, Ramp feedFade, Ramp deltaFade) noexcept;

    double hostRate = 48000.0;
    int latency = 0;
    int warmUpLength = 0;
    float fadeStep = 0.0f;
    std::unique_ptr<Oversampler> feedOversampler, deltaOversampler;
    float* deltaUp[2] {}; // the delta oversampler's rate-X buffer, which the core writes into
    StereoHistory inputHistory; // at the host rate
    StereoHistory deltaHistory; // at the processing rate
    ShapingCore core;

    float fade = 0.0f;
    bool fadeInitialised = false;
    bool off = true;
    bool wasListening = false;
};
} // namespace zq6
