#pragma once

#include "../dsp/BlockSmoother.h"

#include <array>

namespace zq6
{
// The engine's smoothed quantities: the final mix, then the wet chain's controls.
enum class Control : int
{
    mix, delta, shapingDelta, unmaskDelta, wet, output,
    sibilance, breath, transient, preDelay, preDelayGlide,
    lowDecay, midDecay, highDecay,
    lfoRate, motionDepth, diffusion, erLevel,
    voiceLowPass, erThreshold, erLowPass,
    width, lowCut, tilt, unmaskAmount,
    diffusionMult, motionMult, lowDecayMult, highDecayMult,
    noErWeight,
    count
};

inline constexpr int controlCount = static_cast<int>(Control::count);

struct SmootherRow
{
    Control control;
    float tauSeconds;
    bool logDomain;
    bool clearedWithWetChain; // jumps to its target again after the wet chain is cleared
};

// One row per control, in the order of Control.
inline constexpr SmootherRow smootherRows[controlCount] = {
    { Control::mix, 0.02f, false, false },
    { Control::delta, 0.015f, false, false },
    { Control::shapingDelta, 0.015f, false, false },
    { Control::unmaskDelta, 0.015f, false, false },
    { Control::wet, 0.02f, false, false },
    { Control::output, 0.02f, false, false },
    { Control::sibilance, 0.02f, false, false },
    { Control::breath, 0.02f, false, false },
    { Control::transient, 0.02f, false, false },
    { Control::preDelay, 0.06f, false, true },
    { Control::preDelayGlide, 0.025f, false, true },
    { Control::lowDecay, 0.1f, true, false },
    { Control::midDecay, 0.1f, true, false },
    { Control::highDecay, 0.1f, true, false },
    { Control::lfoRate, 0.05f, false, false },
    { Control::motionDepth, 0.05f, false, false },
    { Control::diffusion, 0.05f, false, false },
    { Control::erLevel, 0.06f, false, true },
    { Control::voiceLowPass, 0.06f, true, false },
    { Control::erThreshold, 0.1f, false, false },
    { Control::erLowPass, 0.06f, true, false },
    { Control::width, 0.04f, false, false },
    { Control::lowCut, 0.06f, true, true },
    { Control::tilt, 0.06f, false, true },
    { Control::unmaskAmount, 0.03f, false, false },
    { Control::diffusionMult, 0.07f, false, false },
    { Control::motionMult, 0.07f, false, false },
    { Control::lowDecayMult, 0.07f, true, false },
    { Control::highDecayMult, 0.07f, true, false },
    { Control::noErWeight, 0.02f, false, false },
};

// Every smoother of the engine, made from its row; all time constants are at the host rate.
class SmootherBank
{
public:
    SmootherBank() noexcept;

    void prepare(double hostRate) noexcept;
    // Every smoother jumps to its target on its next advance.
    void clear() noexcept;
    // Only the smoothers cleared with the wet chain.
    void clearWetChain() noexcept;

    Ramp advance(Control control, float target, int n) noexcept;

private:
    std::array<BlockSmoother, controlCount> smoothers;
};
} // namespace zq6
