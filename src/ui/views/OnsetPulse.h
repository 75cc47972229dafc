#pragma once

#include <functional>

namespace zq6::ui
{
// Spots onsets in the input level and runs a 1.2 s pulse that sweeps the tail graph from the
// front ridge to the back one, unless the desktop asks for reduced motion.
class OnsetPulse
{
public:
    static constexpr double durationMs = 1200.0;
    static constexpr double minimumGapMs = 400.0;
    static constexpr float none = -99.0f;

    // One refresh with the input peaks read since the last and the time in milliseconds. The
    // reduced-motion check is asked only on an onset. True while a pulse shows or just ended.
    bool update(float peakLeft, float peakRight, double nowMs, const std::function<bool()>& prefersReducedMotion);

    bool running() const noexcept { return isRunning; }
    // The ridge index at the middle of the sweep, from -4 to 36, or `none`.
    float position() const noexcept { return sweep; }
    int onsetCount() const noexcept { return onsets; }

private:
    bool detectOnset(float levelDb, double nowMs);

    float smoothedDb = 0.0f;
    bool hasLevel = false;
    double lastOnsetMs = 0.0;
    bool hasOnset = false;
    double startMs = 0.0;
    bool isRunning = false;
    float sweep = none;
    int onsets = 0;
};
} // namespace zq6::ui
