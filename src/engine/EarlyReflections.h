#pragma once

#include "../dsp/Ramp.h"
#include "ErTapTable.h"

#include <vector>

namespace zq6
{
// The Characters' 48-tap reflection patterns per side, read from the mono pre-delayed feed,
// stretched by the size, thinned by the order threshold, energy-normalised and low-passed.
// Size and Character changes crossfade over 50 ms.
class EarlyReflections
{
public:
    static constexpr int characterCount = 4;
    // A size change crossfades the old taps into the new over this long.
    static constexpr float sizeFadeMs = 50.0f;

    void prepare(double internalRate);
    void clear() noexcept;
    void process(const float* mono, float* left, float* right, int m, int character, float sizeFactor,
                 float orderThreshold, float lowPassHz) noexcept;

private:
    // One side's taps at one size and threshold: where each reads and its two interpolation gains.
    struct TapPlan
    {
        float size = -1.0f, orderThreshold = -1.0f;
        int count = 0;
        int offset[erTapCount] {};
        float older[erTapCount] {}, newer[erTapCount] {};
    };

    void advanceSize(float sizeFactor, int m) noexcept;
    void advanceWeights(int character, int m) noexcept;
    void updateNormalisation(float orderThreshold) noexcept;
    float normalisationFor(float orderThreshold) const noexcept;
    void renderSide(int character, int side, float orderThreshold, float* sum, int m) noexcept;
    const TapPlan& planFor(int character, int side, int slot, float size, float orderThreshold) noexcept;
    void renderTaps(const TapPlan& plan, float* out, int m) const noexcept;
    float lowPassWeight(float lowPassHz) noexcept;
    bool isActive(int character) const noexcept;

    double rate = 48000.0;
    // The ring repeats its first samples past its end, so every chunk's read is one straight run.
    std::vector<float> ring;
    int mask = 0;
    int writeIndex = 0;
    int chunkStart = 0;
    double maxDelay = 0.0;

    float currentSize = 1.0f, nextSize = 1.0f;
    bool sizeFading = false;
    Ramp sizeProgress { 0.0f, 0.0f };

    Ramp weights[characterCount] {};
    bool initialised = false;

    // The normalisation target depends only on these; it is summed again when one of them changes.
    float normalisedThreshold = -1.0f;
    float normalisedWeights[characterCount] {};
    bool normalisedActive[characterCount] {};
    float normalisationTarget = 1.0f;

    // [character][side][current size, next size]
    TapPlan plans[erCharacterCount][2][2];

    float normalisation = 0.0f;
    float lowPassState[2] {};
    float designedLowPassHz = -1.0f, lowPassCoefficient = 0.0f;
};
} // namespace zq6
