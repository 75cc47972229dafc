#pragma once

#include "../dsp/ChunkSize.h"
#include "BiquadDesign.h"
#include "WetToneControls.h"

namespace zq6
{
// Turns early reflections and tail into the wet signal: the equal-power ER/tail balance, the
// Character's voice low-pass, width, then the low cut and the brightness tilt in double precision.
class WetTone
{
public:
    // The low cut as it runs at `rate`: a cookbook high-pass with Butterworth damping.
    static BiquadDesign lowCutDesign(double lowCutHz, double rate) noexcept;

    void prepare(double internalRate);
    void clear() noexcept;
    void process(const float* erLeft, const float* erRight, const float* tailLeft, const float* tailRight,
                 float* outLeft, float* outRight, int m, const WetToneControls& controls) noexcept;

private:
    float tailOnlyGain(float midDecay) noexcept;
    float voiceCoefficient(float voiceLowPassHz) noexcept;
    // A biquad whose coefficients ramp across a chunk when it was redesigned.
    struct RampedBiquad
    {
        BiquadDesign from, to;
        bool ramping = false;
        BiquadState states[2];

        void redesign(const BiquadDesign& design, bool first) noexcept;
        double process(int side, double x, double t) noexcept;
    };

    void updateFilters(float lowCutHz, float tiltDb) noexcept;
    // The low cut, then the tilt, on the widened signal (m <= maxChunkSamples).
    void filter(const double* left, const double* right, float* outLeft, float* outRight, int m) noexcept;

    double rate = 48000.0;
    double tailConstant = 1.0;

    float tailOnly = 1.0f, tailOnlyDecay = -1.0f;
    float voiceState[2] {};
    float voiceHz = -1.0f, voice = 0.0f;

    RampedBiquad lowCut, tilt;
    // What the designed values read after a clear, when the next design applies at once.
    static constexpr float undesignedHz = -1.0f, undesignedDb = -100.0f;
    float lowCutDesignedHz = undesignedHz, tiltDesignedDb = undesignedDb;
};
} // namespace zq6
