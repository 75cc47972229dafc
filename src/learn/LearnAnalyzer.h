#pragma once

#include "AnalyzerConfig.h"
#include "AnalyzerTiming.h"
#include "AttackEnvelope.h"
#include "BandPassBiquad.h"
#include "LearnFeatures.h"
#include "OnsetDetector.h"
#include "TempoHistogram.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zq6
{
// Streaming analysis of the Learn capture: onsets, attacks, band energies, sibilance, level and
// tempo, reduced to LearnFeatures at the end. Message thread only. Feeding never allocates:
// everything is sized by configure.
class LearnAnalyzer
{
public:
    static constexpr int bandCount = 8;
    static constexpr int onsetCapacity = 4096;
    static constexpr int levelCapacity = 4096;
    static constexpr int attackCapacity = 2048;

    LearnAnalyzer();

    // Sizes and designs everything for a cycle, then resets.
    void configure(const AnalyzerConfig& config);
    // Clears every running value, list and counter; the detectors start fresh.
    void reset() noexcept;

    // Feeds samples in order; once the target of valid blocks is reached the rest is ignored.
    void addSamples(const float* samples, int count) noexcept;
    // Audio was lost (droppedSamples of it): nothing is measured across the gap.
    void discontinuity(std::int64_t droppedSamples) noexcept;
    // One Learn tick with the host's tempo in beats per minute (0 when it reports none).
    void countTick(double hostBpm) noexcept;

    int validBlocks() const noexcept { return validBlockCount; }
    int targetBlocks() const noexcept { return timing.targetBlocks; }
    std::int64_t analysedSamples() const noexcept { return sampleCounter; }
    int blockLength() const noexcept { return timing.block; }
    double sampleRate() const noexcept { return timing.sampleRate; }
    std::int64_t droppedWhileListening() const noexcept { return droppedListening; }
    int overflowCount() const noexcept { return overflows; }
    const AnalyzerTiming& getTiming() const noexcept { return timing; }

    LearnFeatures computeLearnFeatures() const;

private:
    struct Band
    {
        BandPassBiquad filter;
        OnsetDetector detector;
        double hopEnergy = 0.0;
        double blockEnergy = 0.0;
        double totalEnergy = 0.0;
        std::int64_t onsetPosition = -1;
        std::vector<std::int64_t> onsets;
    };

    void analyseSample(float x) noexcept;
    void hopStep() noexcept;
    void blockStep() noexcept;
    void addValidBlock(float level) noexcept;
    void measurePendingAttack() noexcept;
    float blockFlatness() const noexcept;
    void clearRunningSums() noexcept;
    void clearFilters() noexcept;
    void resetDetectors(int holdHops) noexcept;
    void markGap() noexcept;

    void measureOnsets(LearnFeatures& features) const;
    void measureTonalBalance(LearnFeatures& features, const std::array<double, bandCount>& rates) const;
    void measureSibilance(LearnFeatures& features) const;
    void measureBreath(LearnFeatures& features) const;
    void measureAttacks(LearnFeatures& features) const;
    std::array<double, bandCount> bandOnsetRates(float spanSeconds) const;
    int crowdedBand(const std::array<double, bandCount>& rates) const;

    AnalyzerConfig config;
    AnalyzerTiming timing;
    AttackEnvelope envelope;
    std::array<Band, bandCount> bands;
    std::array<BandPassBiquad, 2> sibilanceFilters;
    OnsetDetector fullBandDetector;
    TempoHistogram tempo;

    std::int64_t sampleCounter = 0;
    int hopPosition = 0;
    int blockPosition = 0;
    double hopEnergy = 0.0, hopSibilance = 0.0;
    double blockEnergy = 0.0, blockSibilance = 0.0;
    double totalEnergy = 0.0, totalSibilance = 0.0;
    std::int64_t blockOnset = -1;
    std::int64_t pendingAttack = -1;
    int validBlockCount = 0;
    std::int64_t firstValidSample = -1;
    std::int64_t lastValidSample = -1;
    std::int64_t droppedListening = 0;
    int overflows = 0;

    std::vector<std::int64_t> onsets;
    std::vector<float> validLevels;
    std::vector<float> flatness;
    std::vector<float> allLevels;
    std::vector<float> attacks;
};
} // namespace zq6
