#pragma once

#include "../dsp/ChunkSize.h"
#include "../dsp/Ramp.h"

#include <array>

namespace zq6
{
// The most samples the core takes at once: one chunk at twice the host rate.
inline constexpr int maxShapingSamples = 2 * maxChunkSamples;
inline constexpr int shapingBandCount = 4;
inline constexpr std::array<double, shapingBandCount> shapingBandCentresHz = { 460.0, 1060.0, 2470.0, 5800.0 };
inline constexpr double shapingBandQ = 1.6;

// The detectors' thresholds, the same for every build of the targets.
namespace shaping
{
inline constexpr float presence = 1.0e-5f; // a level at or below this is silence: nothing is shaped
inline constexpr float tiny = 1.0e-18f;
inline constexpr float sibilanceRatio = 0.45f;
inline constexpr float sibilanceSlope = 0.75f; // dB of cut per dB above the ratio
inline constexpr float sibilanceMaxDb = 12.0f;
inline constexpr float transientRatio = 1.25f;
inline constexpr float transientSlope = 0.6f;
inline constexpr float transientMaxDb = 10.0f;
inline constexpr float breathRatio = 0.2511886f; // 12 dB under the long-term level
inline constexpr float dbToNeper = 0.11512925f;  // 10^(-x / 20) = exp(-x * dbToNeper)
} // namespace shaping

// The detectors' values after each sample of a run, and the gain targets computed from them.
// Entries past the run's length hold an earlier run's values, so whole vectors may be read.
struct ShapingDetection
{
    using Samples = std::array<float, maxShapingSamples>;

    int m = 0;
    Ramp sibilanceAmount, breathAmount, transientAmount; // amount x share, ramped over the run
    Samples highBand {}, level {}, fast {}, slow {}, longTerm {};
    std::array<std::array<double, maxShapingSamples>, shapingBandCount> bandEnergy {};
    Samples sibilanceTarget {}, transientTarget {}, breathTarget {};
};

struct ShapingKernels
{
    // Fills the three targets for the run's m samples.
    void (*targets)(ShapingDetection&) noexcept;

    // The build CpuDispatch selects now.
    static const ShapingKernels& active() noexcept;
};

extern const ShapingKernels baselineShapingKernels;
extern const ShapingKernels avx2FmaShapingKernels;
} // namespace zq6
