#include "LearnAnalyzer.h"

#include "LearnStatistics.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr std::array<double, LearnAnalyzer::bandCount> bandCentresHz { 63.0, 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0 };
// Low bands ring longer after a note starts, so they need a larger rise to count as an onset.
constexpr std::array<float, LearnAnalyzer::bandCount> bandThresholdsDb { 12.0f, 10.0f, 8.0f, 7.0f, 6.0f, 6.0f, 6.0f, 6.0f };
constexpr double octaveTwoQ = 2.82;
constexpr double sibilanceCentreHz = 7000.0;
constexpr double sibilanceTwoQ = 2.4;

constexpr float fullBandThresholdDb = 6.0f;
constexpr float fullBandEnableDb = -50.0f;
constexpr float bandEnableDb = -65.0f;
constexpr float bandBelowFullBandDb = 40.0f;
constexpr float validBlockDb = -60.0f;
constexpr int holdHopsAfterGap = 3;
constexpr int sendMode = 1;

constexpr double crowdedEnergyRatio = 3.1622776601683795e-4; // 10^-3.5
constexpr float breathMinBelowP90Db = 12.0f;
constexpr float breathMaxBelowP90Db = 35.0f;
constexpr float breathMinFlatness = 0.2f;
constexpr float softestAttackMs = 80.0f;

float powerDb(double meanPower)
{
    return static_cast<float>(10.0 * std::log10(std::max(1.0e-12, meanPower)));
}

float logOdds(double share)
{
    const double s = std::clamp(share, 1.0e-6, 0.999999);
    return static_cast<float>(10.0 * std::log10(s / (1.0 - s)));
}

template <typename T>
void appendCapped(std::vector<T>& list, T value, int capacity) noexcept
{
    if (static_cast<int>(list.size()) < capacity)
        list.push_back(value);
}

template <typename T>
void reserveList(std::vector<T>& list, int capacity)
{
    list.clear();
    list.reserve(static_cast<size_t>(capacity));
}

void appendGapMarker(std::vector<std::int64_t>& list) noexcept
{
    if (! list.empty() && list.back() >= 0)
        appendCapped(list, learnStatistics::positionMarker, LearnAnalyzer::onsetCapacity);
}
} // namespace

LearnAnalyzer::LearnAnalyzer()
{
    configure({});
}

void LearnAnalyzer::configure(const AnalyzerConfig& newConfig)
{
    config = newConfig;
    config.mode = newConfig.mode == sendMode ? sendMode : 0;
    timing = AnalyzerTiming::from(config);
    envelope.prepare(timing);
    for (size_t i = 0; i < bands.size(); ++i)
        bands[i].filter.prepare(timing.sampleRate, bandCentresHz[i], octaveTwoQ);
    for (auto& filter : sibilanceFilters)
        filter.prepare(timing.sampleRate, sibilanceCentreHz, sibilanceTwoQ);

    reserveList(onsets, onsetCapacity);
    for (auto& band : bands)
        reserveList(band.onsets, onsetCapacity);
    reserveList(validLevels, levelCapacity);
    reserveList(flatness, levelCapacity);
    reserveList(allLevels, levelCapacity);
    reserveList(attacks, attackCapacity);
    reset();
}

void LearnAnalyzer::reset() noexcept
{
    clearFilters();
    envelope.clear();
    clearRunningSums();
    resetDetectors(0);
    sampleCounter = 0;
    totalEnergy = totalSibilance = 0.0;
    validBlockCount = 0;
    firstValidSample = lastValidSample = -1;
    droppedListening = 0;
    overflows = 0;
    tempo.clear();
    onsets.clear();
    for (auto& band : bands)
    {
        band.totalEnergy = 0.0;
        band.onsets.clear();
    }
    validLevels.clear();
    flatness.clear();
    allLevels.clear();
    attacks.clear();
}

void LearnAnalyzer::addSamples(const float* samples, int count) noexcept
{
    for (int i = 0; i < count && validBlockCount < timing.targetBlocks; ++i)
        analyseSample(samples[i]);
}

void LearnAnalyzer::analyseSample(float x) noexcept
{
    envelope.push(x, sampleCounter);
    const double wide = x;
    hopEnergy += wide * wide;
    for (auto& band : bands)
    {
        const double y = static_cast<float>(band.filter.process(wide));
        band.hopEnergy += y * y;
    }
    const auto first = static_cast<float>(sibilanceFilters[0].process(wide));
    const double second = static_cast<float>(sibilanceFilters[1].process(first));
    hopSibilance += second * second;

    ++sampleCounter;
    if (++hopPosition == timing.hop)
        hopStep();
}

void LearnAnalyzer::hopStep() noexcept
{
    hopPosition = 0;
    const float level = powerDb(hopEnergy / timing.hop);
    if (fullBandDetector.step(level, fullBandThresholdDb, level > fullBandEnableDb))
        blockOnset = sampleCounter;

    for (size_t i = 0; i < bands.size(); ++i)
    {
        auto& band = bands[i];
        const float bandLevel = powerDb(band.hopEnergy / timing.hop);
        const bool enabled = bandLevel > bandEnableDb && bandLevel >= level - bandBelowFullBandDb;
        if (band.detector.step(bandLevel, bandThresholdsDb[i], enabled))
            band.onsetPosition = sampleCounter;
        band.blockEnergy += band.hopEnergy;
        band.hopEnergy = 0.0;
    }
    blockEnergy += hopEnergy;
    blockSibilance += hopSibilance;
    hopEnergy = hopSibilance = 0.0;

    if (++blockPosition == AnalyzerTiming::hopsPerBlock)
        blockStep();
}

void LearnAnalyzer::blockStep() noexcept
{
    blockPosition = 0;
    const float level = powerDb(blockEnergy / timing.block);
    const bool valid = level > validBlockDb;
    if (firstValidSample >= 0 || valid)
        appendCapped(allLevels, level, levelCapacity);
    if (valid)
        addValidBlock(level);

    measurePendingAttack();
    // Measured one block later, once up to 50 ms after the onset have been heard.
    if (valid && blockOnset >= 0)
        pendingAttack = blockOnset;

    blockEnergy = blockSibilance = 0.0;
    blockOnset = -1;
    for (auto& band : bands)
    {
        band.blockEnergy = 0.0;
        band.onsetPosition = -1;
    }
}

void LearnAnalyzer::addValidBlock(float level) noexcept
{
    ++validBlockCount;
    if (firstValidSample < 0)
        firstValidSample = sampleCounter - timing.block;
    lastValidSample = sampleCounter;

    totalEnergy += blockEnergy;
    totalSibilance += blockSibilance;
    for (auto& band : bands)
        band.totalEnergy += band.blockEnergy;

    if (static_cast<int>(validLevels.size()) < levelCapacity)
    {
        validLevels.push_back(level);
        flatness.push_back(blockFlatness());
    }
    if (blockOnset >= 0)
        appendCapped(onsets, blockOnset, onsetCapacity);
    for (auto& band : bands)
        if (band.onsetPosition >= 0)
            appendCapped(band.onsets, band.onsetPosition, onsetCapacity);
}

void LearnAnalyzer::measurePendingAttack() noexcept
{
    if (pendingAttack < 0)
        return;
    if (static_cast<int>(attacks.size()) < attackCapacity)
    {
        const float seconds = envelope.measureAttack(pendingAttack, sampleCounter);
        if (seconds >= 0.0f)
            attacks.push_back(seconds);
    }
    pendingAttack = -1;
}

// Geometric over arithmetic mean of the band energies per hertz: near 1 for noise, low for tones.
float LearnAnalyzer::blockFlatness() const noexcept
{
    double logSum = 0.0, sum = 0.0;
    for (size_t i = 0; i < bands.size(); ++i)
    {
        const double perHz = bands[i].blockEnergy / bandCentresHz[i] + 1.0e-18;
        logSum += std::log(perHz);
        sum += perHz;
    }
    const double value = std::exp(logSum / bandCount) / (sum / bandCount);
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

void LearnAnalyzer::discontinuity(std::int64_t droppedSamples) noexcept
{
    clearFilters();
    envelope.clear();
    clearRunningSums();
    resetDetectors(holdHopsAfterGap);
    markGap();
    // Sample positions count only analysed audio, so the lost samples are kept apart.
    if (firstValidSample >= 0)
        droppedListening += std::max<std::int64_t>(0, droppedSamples);
    ++overflows;
}

void LearnAnalyzer::countTick(double hostBpm) noexcept
{
    tempo.countTick(hostBpm);
}

void LearnAnalyzer::clearRunningSums() noexcept
{
    hopPosition = blockPosition = 0;
    hopEnergy = hopSibilance = 0.0;
    blockEnergy = blockSibilance = 0.0;
    blockOnset = -1;
    pendingAttack = -1;
    for (auto& band : bands)
    {
        band.hopEnergy = band.blockEnergy = 0.0;
        band.onsetPosition = -1;
    }
}

void LearnAnalyzer::clearFilters() noexcept
{
    for (auto& band : bands)
        band.filter.clear();
    for (auto& filter : sibilanceFilters)
        filter.clear();
}

void LearnAnalyzer::resetDetectors(int holdHops) noexcept
{
    fullBandDetector.reset(holdHops);
    for (auto& band : bands)
        band.detector.reset(holdHops);
}

void LearnAnalyzer::markGap() noexcept
{
    appendGapMarker(onsets);
    for (auto& band : bands)
        appendGapMarker(band.onsets);
    if (! allLevels.empty())
        appendCapped(allLevels, learnStatistics::levelMarkerDb, levelCapacity);
}

LearnFeatures LearnAnalyzer::computeLearnFeatures() const
{
    LearnFeatures features;
    features.mode = config.mode;
    features.sourceGroup = config.sourceGroup;
    features.sourceEntry = config.sourceEntry;
    features.fValid = validBlockCount > 0 ? 1 : 0;
    features.fValidSeconds = static_cast<float>(static_cast<double>(validBlockCount) * timing.block / timing.sampleRate);
    if (validBlockCount == 0)
        return features;

    // Positions count analysed samples only: lost audio is already outside the span.
    features.fSpanSeconds = static_cast<float>(std::max(0.0, static_cast<double>(lastValidSample - firstValidSample) / timing.sampleRate));
    features.fLevelDb = powerDb(totalEnergy / (static_cast<double>(validBlockCount) * timing.block));
    const auto rates = config.mode == sendMode ? bandOnsetRates(features.fSpanSeconds) : std::array<double, bandCount> {};
    if (config.mode == sendMode)
        features.fCrowdedBand = crowdedBand(rates);
    measureOnsets(features);
    measureTonalBalance(features, rates);
    measureSibilance(features);
    measureBreath(features);
    measureAttacks(features);
    features.fTempoBpm = tempo.estimate();
    return features;
}

std::array<double, LearnAnalyzer::bandCount> LearnAnalyzer::bandOnsetRates(float spanSeconds) const
{
    std::array<double, bandCount> rates {};
    if (spanSeconds > 0.0f)
        for (size_t i = 0; i < bands.size(); ++i)
            rates[i] = learnStatistics::countPositions(bands[i].onsets) / static_cast<double>(spanSeconds);
    return rates;
}

// In a mix the band with the most onsets (among those with a real share of the energy) carries
// the rhythm; -1 when no band has onsets.
int LearnAnalyzer::crowdedBand(const std::array<double, bandCount>& rates) const
{
    double maxEnergy = 0.0;
    for (const auto& band : bands)
        maxEnergy = std::max(maxEnergy, band.totalEnergy);
    int crowded = -1;
    for (size_t i = 0; i < bands.size(); ++i)
    {
        const bool loudEnough = bands[i].totalEnergy >= maxEnergy * crowdedEnergyRatio;
        const bool faster = rates[i] > (crowded < 0 ? 0.0 : rates[static_cast<size_t>(crowded)]);
        if (loudEnough && faster)
            crowded = static_cast<int>(i);
    }
    return crowded;
}

void LearnAnalyzer::measureOnsets(LearnFeatures& features) const
{
    const auto& list = features.fCrowdedBand >= 0 ? bands[static_cast<size_t>(features.fCrowdedBand)].onsets : onsets;
    features.fOnsetCount = learnStatistics::countPositions(list);
    if (features.fSpanSeconds > 0.0f)
        features.fOnsetsPerSec = static_cast<float>(features.fOnsetCount / static_cast<double>(features.fSpanSeconds));

    auto gaps = learnStatistics::summariseGaps(learnStatistics::onsetGaps(list, timing.sampleRate));
    if (gaps.count < 3)
    {
        const auto fallback = learnStatistics::summariseGaps(
            learnStatistics::levelEventGaps(allLevels, timing.block / timing.sampleRate));
        if (fallback.count >= 3)
            gaps = fallback;
    }
    features.fGapCount = gaps.count;
    features.fGapMedianSec = gaps.median;
    features.fGapP75Sec = gaps.p75;
}

void LearnAnalyzer::measureTonalBalance(LearnFeatures& features, const std::array<double, bandCount>& rates) const
{
    std::array<double, bandCount> energies {};
    for (size_t i = 0; i < bands.size(); ++i)
        energies[i] = bands[i].totalEnergy;
    if (features.fCrowdedBand >= 0)
    {
        // Weigh the bands by how busy they are next to the crowded one.
        const double crowdedRate = rates[static_cast<size_t>(features.fCrowdedBand)];
        for (size_t i = 0; i < bands.size(); ++i)
            energies[i] *= std::pow(rates[i] / crowdedRate, 4.0);
    }
    double all = 0.0;
    for (const auto energy : energies)
        all += energy;
    const double low = all > 0.0 ? (energies[0] + energies[1] + energies[2]) / all : 0.0;
    const double high = all > 0.0 ? (energies[6] + energies[7]) / all : 0.0;
    features.fLowDb = logOdds(low);
    features.fHighDb = logOdds(high);
}

void LearnAnalyzer::measureSibilance(LearnFeatures& features) const
{
    const double ratio = totalEnergy > 0.0 ? totalSibilance / totalEnergy : 0.0;
    features.fSibilanceDb = powerDb(ratio);
}

// Breath: blocks well below the loud ones (12 to 35 dB under the 90th percentile) that sound
// like noise.
void LearnAnalyzer::measureBreath(LearnFeatures& features) const
{
    if (validLevels.empty())
        return;
    const float p90 = learnStatistics::quantile(validLevels, 0.9);
    int breaths = 0;
    for (size_t j = 0; j < validLevels.size(); ++j)
    {
        const float below = p90 - validLevels[j];
        if (below >= breathMinBelowP90Db && below <= breathMaxBelowP90Db && flatness[j] >= breathMinFlatness)
            ++breaths;
    }
    features.fBreathShare = static_cast<float>(breaths) / static_cast<float>(validLevels.size());
}

void LearnAnalyzer::measureAttacks(LearnFeatures& features) const
{
    features.fAttackCount = static_cast<int>(attacks.size());
    if (attacks.empty())
        return;
    std::vector<float> milliseconds(attacks.size());
    std::transform(attacks.begin(), attacks.end(), milliseconds.begin(), [](float s) { return s * 1000.0f; });
    const float median = learnStatistics::quantile(std::move(milliseconds), 0.5);
    const double sharpness = 1.0 - std::log(std::max(1.0f, median)) / std::log(static_cast<double>(softestAttackMs));
    features.fAttackSharp = static_cast<float>(std::clamp(sharpness, 0.0, 1.0));
}
} // namespace zq6
