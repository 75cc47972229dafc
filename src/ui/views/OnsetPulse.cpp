#include "OnsetPulse.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float silentPeak = 0.000001f;
constexpr float silenceDb = -120.0f;
constexpr float onsetFloorDb = -48.0f;
constexpr float onsetJumpDb = 7.0f;
constexpr float riseShare = 0.35f;
constexpr float fallShare = 0.08f;
constexpr float sweepRidges = 40.0f;
constexpr float sweepStart = -4.0f;
} // namespace

bool OnsetPulse::update(float peakLeft, float peakRight, double nowMs,
                        const std::function<bool()>& prefersReducedMotion)
{
    const auto peak = std::fmax(peakLeft, peakRight);
    const auto levelDb = peak > silentPeak ? 20.0f * std::log10(peak) : silenceDb;
    if (detectOnset(levelDb, nowMs) && !(prefersReducedMotion && prefersReducedMotion()))
    {
        isRunning = true;
        startMs = nowMs;
    }

    if (!isRunning)
        return false;
    const auto elapsed = nowMs - startMs;
    if (elapsed >= durationMs)
    {
        isRunning = false;
        sweep = none;
        return true;
    }
    sweep = static_cast<float>(elapsed / durationMs) * sweepRidges + sweepStart;
    return true;
}

bool OnsetPulse::detectOnset(float levelDb, double nowMs)
{
    if (!hasLevel)
    {
        smoothedDb = levelDb;
        hasLevel = true;
        return false;
    }
    const auto onset = levelDb > onsetFloorDb && levelDb - smoothedDb >= onsetJumpDb
                       && (!hasOnset || nowMs - lastOnsetMs >= minimumGapMs);
    smoothedDb += (levelDb - smoothedDb) * (levelDb > smoothedDb ? riseShare : fallShare);
    if (onset)
    {
        lastOnsetMs = nowMs;
        hasOnset = true;
        ++onsets;
    }
    return onset;
}
} // namespace zq6::ui
