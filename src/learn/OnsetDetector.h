#pragma once

namespace zq6
{
// Fires when a hop's level rises by a threshold above the lowest of the three hops before it,
// at most once every six hops.
class OnsetDetector
{
public:
    static constexpr float silentDb = -200.0f;
    static constexpr int minHopsBetweenOnsets = 6;
    static constexpr int maxCount = 1000;

    // holdHops: hops to stay silent, so that a restart after lost audio does not fire at once.
    void reset(int holdHops) noexcept;
    bool step(float level, float threshold, bool enabled) noexcept;

private:
    float last = silentDb, previous = silentDb, beforePrevious = silentDb;
    int count = maxCount;
    int hold = 0;
};
} // namespace zq6
