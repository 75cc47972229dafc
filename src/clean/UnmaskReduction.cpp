#include "UnmaskReduction.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr float maxDepthDb = 24.0f;
constexpr float maskingRangeDb = 12.0f;
constexpr float presenceWindowDb = 30.0f; // no presence this far under the strongest dry band
constexpr float presenceRampDb = 20.0f;   // full presence from 10 dB under it
constexpr float gateWindowDb = 40.0f;     // closed this far under the tracked dry peak
constexpr float gateRampDb = 12.0f;       // open from 28 dB under it
constexpr float trackerDecayDbPerSecond = 3.0f;
constexpr float floorDb = -100.0f;
constexpr float floorRampDb = 10.0f;
constexpr float trackerStartDb = -200.0f;
constexpr float releasedDb = -0.001f;

struct SpeedTimes
{
    double attack, release;
};

// Fast, Med, Slow.
constexpr SpeedTimes speedTimes[] = { { 0.01, 0.08 }, { 0.025, 0.25 }, { 0.06, 0.6 } };

float clamp01(float v) noexcept
{
    return std::clamp(v, 0.0f, 1.0f);
}
} // namespace

void UnmaskReduction::prepare(double hopSeconds)
{
    for (size_t i = 0; i < speeds.size(); ++i)
        speeds[i] = { static_cast<float>(std::exp(-hopSeconds / speedTimes[i].attack)),
                      static_cast<float>(std::exp(-hopSeconds / speedTimes[i].release)) };
    trackerFall = static_cast<float>(hopSeconds) * trackerDecayDbPerSecond;
    clear();
}

void UnmaskReduction::clear() noexcept
{
    trackerDb = trackerStartDb;
    reduction.fill(0.0f);
}

bool UnmaskReduction::isReleased() const noexcept
{
    return std::all_of(reduction.begin(), reduction.end(), [](float r) { return r >= releasedDb; });
}

void UnmaskReduction::idle() noexcept
{
    trackerDb = std::max(trackerStartDb, trackerDb - trackerFall);
}

float UnmaskReduction::gate(float dryDb) noexcept
{
    trackerDb = std::max(trackerDb - trackerFall, dryDb);
    return clamp01((dryDb - trackerDb + gateWindowDb) / gateRampDb) * clamp01((dryDb - floorDb) / floorRampDb);
}

void UnmaskReduction::update(const UnmaskLevels& levels, float amount, int speed) noexcept
{
    const auto& coefficients = speeds[static_cast<size_t>(std::clamp(speed, 0, 2))];
    const auto depth = -(clamp01(amount) * maxDepthDb) * gate(levels.dryLevelDb);
    for (size_t k = 0; k < reduction.size(); ++k)
    {
        const auto masking = clamp01((maskingRangeDb - (levels.dryDb[k] - levels.wetDb[k])) / maskingRangeDb);
        const auto presence = clamp01((levels.dryDb[k] - levels.maxDryDb + presenceWindowDb) / presenceRampDb);
        const auto target = depth * masking * presence;
        auto& r = reduction[k];
        r = target + (r - target) * (r > target ? coefficients.attack : coefficients.release);
        if (r > releasedDb && target == 0.0f)
            r = 0.0f;
    }
}
} // namespace zq6
