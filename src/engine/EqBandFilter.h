#pragma once

#include "../dsp/BlockSmoother.h"
#include "SvfDesign.h"

namespace zq6
{
// One Wet EQ band on both channels: smoothed log-frequency, gain and log-Q, coefficients ramped
// across each chunk, a 15 ms crossfade when its kind changes, and no work at 0 dB.
class EqBandFilter
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    // In place; kind is the band's EqKind index.
    void process(float* left, float* right, int m, int kind, float frequencyHz, float gainDb, float q) noexcept;

private:
    struct Filter
    {
        int kind = -1;
        SvfDesign design;
        bool designed = false;
        SvfState states[2];
    };

    void startKind(int kind) noexcept;
    static void reset(Filter& filter, int kind) noexcept;
    static void run(Filter& filter, const SvfDesign& design, float* left, float* right, int m) noexcept;

    static constexpr float smoothingSeconds = 0.025f;

    double rate = 48000.0;
    BlockSmoother frequency { smoothingSeconds, true }, gain { smoothingSeconds, false }, quality { smoothingSeconds, true };
    Filter current, old;
    float crossfade = 0.0f;
    bool silent = false;
};
} // namespace zq6
