#pragma once

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
    void updateFilters(float lowCutHz, float tiltDb) noexcept;

    double rate = 48000.0;
    double tailConstant = 1.0;

    float tailOnly = 1.0f, tailOnlyDecay = -1.0f;
    float voiceState[2] {};
    float voiceHz = -1.0f, voice = 0.0f;

    BiquadDesign lowCut, tilt;
    BiquadState lowCutStates[2], tiltStates[2];
    float lowCutDesignedHz = -1.0f, tiltDesignedDb = -100.0f;
};
} // namespace zq6
