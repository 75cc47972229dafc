#include "LearnStatistics.h"

#include <algorithm>
#include <cmath>

namespace zq6::learnStatistics
{
namespace
{
constexpr float eventRiseDb = 6.0f;
constexpr float eventFloorDb = -60.0f;
constexpr int minBlocksBetweenEvents = 3;
constexpr float markerLimitDb = -999.0f;

// Walks the block levels: a fall of 6 dB below a peak, then a rise of 6 dB above the trough
// that follows, is an event.
class LevelEventWalker
{
public:
    LevelEventWalker(double blockDuration, std::vector<float>& gapsOut)
        : blockSeconds(blockDuration), gaps(gapsOut)
    {
    }

    void step(float level, int index)
    {
        if (level <= markerLimitDb)
        {
            lastEvent = -1;
            started = false;
        }
        else if (! started)
        {
            started = true;
            rising = true;
            peak = level;
        }
        else if (rising)
            followRise(level);
        else
            followFall(level, index);
    }

private:
    void followRise(float level)
    {
        if (level > peak)
            peak = level;
        else if (level < peak - eventRiseDb)
        {
            rising = false;
            trough = level;
        }
    }

    void followFall(float level, int index)
    {
        if (level < trough)
            trough = level;
        else if (level > trough + eventRiseDb && level > eventFloorDb)
        {
            event(index);
            rising = true;
            peak = level;
        }
    }

    void event(int index)
    {
        if (lastEvent < 0)
        {
            lastEvent = index;
            return;
        }
        if (index - lastEvent < minBlocksBetweenEvents)
            return;
        const double gap = (index - lastEvent) * blockSeconds;
        if (gap <= maxGapSeconds)
            gaps.push_back(static_cast<float>(gap));
        lastEvent = index;
    }

    double blockSeconds;
    std::vector<float>& gaps;
    int lastEvent = -1;
    bool rising = true;
    bool started = false;
    float peak = 0.0f;
    float trough = 0.0f;
};
} // namespace

float quantile(std::vector<float> values, double q)
{
    if (values.empty())
        return 0.0f;
    std::sort(values.begin(), values.end());
    const auto index = std::lround(static_cast<double>(values.size() - 1) * q);
    return values[static_cast<size_t>(index)];
}

std::vector<float> onsetGaps(const std::vector<std::int64_t>& onsets, double sampleRate)
{
    std::vector<float> gaps;
    for (size_t i = 1; i < onsets.size(); ++i)
    {
        if (onsets[i - 1] < 0 || onsets[i] < 0)
            continue;
        const double gap = static_cast<double>(onsets[i] - onsets[i - 1]) / sampleRate;
        if (gap <= maxGapSeconds)
            gaps.push_back(static_cast<float>(gap));
    }
    return gaps;
}

std::vector<float> levelEventGaps(const std::vector<float>& levels, double blockSeconds)
{
    std::vector<float> gaps;
    LevelEventWalker walker(blockSeconds, gaps);
    for (size_t i = 0; i < levels.size(); ++i)
        walker.step(levels[i], static_cast<int>(i));
    return gaps;
}

GapStatistics summariseGaps(const std::vector<float>& gaps)
{
    GapStatistics statistics;
    statistics.count = static_cast<int>(gaps.size());
    if (statistics.count >= 3)
    {
        statistics.median = quantile(gaps, 0.5);
        statistics.p75 = quantile(gaps, 0.75);
    }
    return statistics;
}

int countPositions(const std::vector<std::int64_t>& onsets)
{
    return static_cast<int>(std::count_if(onsets.begin(), onsets.end(), [](auto position) { return position >= 0; }));
}
} // namespace zq6::learnStatistics
