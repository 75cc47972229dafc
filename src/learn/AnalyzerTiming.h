#pragma once

#include "AnalyzerConfig.h"

namespace zq6
{
// Sample counts and coefficients that follow from a configuration.
struct AnalyzerTiming
{
    static constexpr double minSampleRate = 8000.0;
    static constexpr double maxSampleRate = 384000.0;
    static constexpr int hopsPerBlock = 5;

    double sampleRate = 48000.0;
    int hop = 480;
    int block = 2400;
    int targetBlocks = 160;
    int holdSamples = 288;
    float envelopeAttack = 0.0f;
    float envelopeRelease = 0.0f;
    int ringSize = 16384;
    int scratchSize = 1936;
    int peakHalfWidth = 384;   // half the window around the peak that gives the attack's top
    int attackLookahead = 2400; // how far after an onset its peak is looked for

    static AnalyzerTiming from(const AnalyzerConfig& config);
};
} // namespace zq6
