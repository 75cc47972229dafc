#pragma once

#include <cstdint>
#include <vector>

namespace zq6
{
// Order statistics and gap measurements behind the Learn features.
namespace learnStatistics
{
constexpr double maxGapSeconds = 4.0;
constexpr float levelMarkerDb = -1000.0f;
constexpr std::int64_t positionMarker = -1;

struct GapStatistics
{
    int count = 0;
    float median = 0.0f;
    float p75 = 0.0f;
};

// The element at index round((n - 1) · q) of the sorted values; 0 for none.
float quantile(std::vector<float> values, double q);

// Gaps in seconds between neighbouring onset positions, skipping pairs split by a marker and
// gaps longer than four seconds.
std::vector<float> onsetGaps(const std::vector<std::int64_t>& onsets, double sampleRate);

// Gaps between rises of the block level, for material whose onsets are too soft to detect.
std::vector<float> levelEventGaps(const std::vector<float>& levels, double blockSeconds);

// Median and 75th percentile, when at least three gaps make them meaningful.
GapStatistics summariseGaps(const std::vector<float>& gaps);

int countPositions(const std::vector<std::int64_t>& onsets);
} // namespace learnStatistics
} // namespace zq6
