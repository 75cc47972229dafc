#include "AnalyzerTiming.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
int roundToInt(double value)
{
    return static_cast<int>(std::lround(value));
}

double limitedRate(double sampleRate)
{
    if (! std::isfinite(sampleRate))
        return AnalyzerTiming::minSampleRate;
    return std::clamp(sampleRate, AnalyzerTiming::minSampleRate, AnalyzerTiming::maxSampleRate);
}

// The envelope must reach 0.3 s back from the newest sample.
int ringSizeFor(double sampleRate)
{
    const auto needed = static_cast<int>(std::ceil(0.3 * sampleRate));
    if (needed <= 16)
        return 16;
    int size = 32;
    while (size < needed)
        size *= 2;
    return size;
}

int targetBlocksFor(const AnalyzerConfig& config, double sampleRate, int block)
{
    const auto listen = std::isfinite(config.listenSeconds) ? std::max(0.0f, config.listenSeconds) : 0.0f;
    const double seconds = static_cast<double>(listen) + (config.mode == 1 ? 4.0 : 0.0);
    // Seconds · rate / block rather than seconds / (block / rate): whole figures stay whole.
    const double blocks = std::ceil(seconds * sampleRate / block);
    return std::max(1, static_cast<int>(blocks));
}
} // namespace

AnalyzerTiming AnalyzerTiming::from(const AnalyzerConfig& config)
{
    AnalyzerTiming timing;
    const double fs = limitedRate(config.sampleRate);
    timing.sampleRate = fs;
    timing.hop = std::max(1, roundToInt(0.01 * fs));
    timing.block = hopsPerBlock * timing.hop;
    timing.targetBlocks = targetBlocksFor(config, fs, timing.block);
    timing.holdSamples = std::max(1, roundToInt(fs * 0.006));
    timing.envelopeAttack = static_cast<float>(std::exp(-1.0 / (fs * 0.00005)));
    timing.envelopeRelease = static_cast<float>(std::exp(-1.0 / (fs * 0.008)));
    timing.ringSize = ringSizeFor(fs);
    timing.scratchSize = roundToInt(0.04 * fs) + 16;
    timing.peakHalfWidth = roundToInt(0.008 * fs);
    timing.attackLookahead = roundToInt(0.05 * fs);
    return timing;
}
} // namespace zq6
