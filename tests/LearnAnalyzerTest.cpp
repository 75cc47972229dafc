#include "learn/LearnAnalyzer.h"
#include "support/AllocationGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace zq6::test
{
namespace
{
constexpr double pi = 3.14159265358979323846;
constexpr double rate48k = 48000.0;
constexpr float longListen = 120.0f; // never reached, so every sample fed is analysed

AnalyzerConfig makeConfig(double sampleRate, int mode = 0, float listenSeconds = longListen)
{
    AnalyzerConfig config;
    config.sampleRate = sampleRate;
    config.mode = mode;
    config.listenSeconds = listenSeconds;
    return config;
}

size_t sampleAt(double sampleRate, double seconds)
{
    return static_cast<size_t>(std::lround(seconds * sampleRate));
}

std::vector<float> silence(double sampleRate, double seconds)
{
    return std::vector<float>(sampleAt(sampleRate, seconds), 0.0f);
}

// Adds gain(t) · sin(2π f t) over [start, start + length), t counted from start.
template <typename Gain>
void addTone(std::vector<float>& signal, double sampleRate, double hz, double start, double length, Gain gain)
{
    const auto first = sampleAt(sampleRate, start);
    const auto end = std::min(signal.size(), sampleAt(sampleRate, start + length));
    for (auto i = first; i < end; ++i)
    {
        const double t = static_cast<double>(i - first) / sampleRate;
        signal[i] += static_cast<float>(gain(t) * std::sin(2.0 * pi * hz * t));
    }
}

void addSteadyTone(std::vector<float>& signal, double sampleRate, double hz, float amplitude, double start = 0.0,
                   double length = 1.0e9)
{
    addTone(signal, sampleRate, hz, start, length, [amplitude](double) { return amplitude; });
}

// A drum-like hit: full level at once, gone within 15 ms.
void addClick(std::vector<float>& signal, double sampleRate, double at)
{
    const auto first = sampleAt(sampleRate, at);
    const auto end = std::min(signal.size(), first + sampleAt(sampleRate, 0.015));
    for (auto i = first; i < end; ++i)
    {
        const double t = static_cast<double>(i - first) / sampleRate;
        signal[i] += static_cast<float>(0.8 * std::exp(-t / 0.002) * std::cos(2.0 * pi * 2000.0 * t));
    }
}

std::vector<float> clickTrain(double sampleRate, double period, double seconds)
{
    auto signal = silence(sampleRate, seconds);
    for (double at = 0.0; at < seconds - 0.02; at += period)
        addClick(signal, sampleRate, at);
    return signal;
}

void addNoise(std::vector<float>& signal, double sampleRate, float rms, double start, double length)
{
    std::mt19937 generator(7);
    std::normal_distribution<float> normal(0.0f, rms);
    const auto end = std::min(signal.size(), sampleAt(sampleRate, start + length));
    for (auto i = sampleAt(sampleRate, start); i < end; ++i)
        signal[i] += normal(generator);
}

// Fed in pieces, as the Learn tick drains the capture.
void feed(LearnAnalyzer& analyzer, const float* samples, size_t count)
{
    constexpr size_t piece = 1601;
    for (size_t done = 0; done < count; done += piece)
        analyzer.addSamples(samples + done, static_cast<int>(std::min(piece, count - done)));
}

void feed(LearnAnalyzer& analyzer, const std::vector<float>& signal)
{
    feed(analyzer, signal.data(), signal.size());
}

LearnFeatures analyse(const std::vector<float>& signal, const AnalyzerConfig& config)
{
    LearnAnalyzer analyzer;
    analyzer.configure(config);
    feed(analyzer, signal);
    return analyzer.computeLearnFeatures();
}
} // namespace

struct TimingCase
{
    double sampleRate;
    int mode;
    float listenSeconds;
    int hop;
    int block;
    int ringSize;
    int floorWindow;
    int topWindow;
    int targetBlocks;
};

class AnalyzerTimingFigures : public testing::TestWithParam<TimingCase>
{
};

TEST_P(AnalyzerTimingFigures, FollowTheRateModeAndListenTime)
{
    const auto c = GetParam();
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(c.sampleRate, c.mode, c.listenSeconds));
    const auto& timing = analyzer.getTiming();
    EXPECT_EQ(timing.hop, c.hop);
    EXPECT_EQ(analyzer.blockLength(), c.block);
    EXPECT_EQ(timing.ringSize, c.ringSize);
    EXPECT_EQ(2 * timing.hop + 1, c.floorWindow);
    EXPECT_EQ(2 * timing.peakHalfWidth + 1, c.topWindow);
    EXPECT_EQ(analyzer.targetBlocks(), c.targetBlocks);
    EXPECT_GE(timing.scratchSize, std::max(c.floorWindow, c.topWindow));
}

INSTANTIATE_TEST_SUITE_P(LearnAnalyzer, AnalyzerTimingFigures,
                         testing::Values(TimingCase { 48000.0, 0, 8.0f, 480, 2400, 16384, 961, 769, 160 },
                                         TimingCase { 48000.0, 1, 8.0f, 480, 2400, 16384, 961, 769, 240 },
                                         TimingCase { 44100.0, 0, 8.0f, 441, 2205, 16384, 883, 707, 160 },
                                         TimingCase { 44100.0, 0, 6.0f, 441, 2205, 16384, 883, 707, 120 },
                                         TimingCase { 4000.0, 0, 8.0f, 80, 400, 4096, 161, 129, 160 }, // rate limited to 8 kHz
                                         TimingCase { 96000.0, 0, 0.0f, 960, 4800, 32768, 1921, 1537, 1 }));

TEST(LearnAnalyzer, SteadySineHasOneOnsetNoGapsAndItsLevel)
{
    auto signal = silence(rate48k, 10.0);
    addSteadyTone(signal, rate48k, 1000.0, 0.1f);
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k, 0, 8.0f));
    feed(analyzer, signal);

    EXPECT_EQ(analyzer.validBlocks(), 160);
    EXPECT_EQ(analyzer.analysedSamples(), 160 * 2400) << "input after the target is ignored";
    const auto features = analyzer.computeLearnFeatures();
    EXPECT_EQ(features.fValid, 1);
    EXPECT_EQ(features.fOnsetCount, 1);
    EXPECT_EQ(features.fGapCount, 0);
    EXPECT_EQ(features.fGapMedianSec, 0.0f);
    EXPECT_EQ(features.fGapP75Sec, 0.0f);
    EXPECT_NEAR(features.fLevelDb, -23.01f, 0.05f);
    EXPECT_NEAR(features.fValidSeconds, 8.0f, 1.0e-4f);
    EXPECT_NEAR(features.fSpanSeconds, 8.0f, 1.0e-4f);
}

class ClickTrainAtRate : public testing::TestWithParam<double>
{
};

TEST_P(ClickTrainAtRate, GivesQuarterSecondGapsAndFourOnsetsPerSecond)
{
    const double sampleRate = GetParam();
    const auto features = analyse(clickTrain(sampleRate, 0.25, 20.0), makeConfig(sampleRate));
    EXPECT_EQ(features.fOnsetCount, 80);
    EXPECT_EQ(features.fGapCount, 79);
    EXPECT_NEAR(features.fGapMedianSec, 0.25f, 0.011f);
    EXPECT_NEAR(features.fGapP75Sec, 0.25f, 0.011f);
    EXPECT_NEAR(features.fOnsetsPerSec, 4.0f, 0.1f);
    EXPECT_EQ(features.fCrowdedBand, -1) << "Insert mode uses the full-band onsets";
}

INSTANTIATE_TEST_SUITE_P(LearnAnalyzer, ClickTrainAtRate, testing::Values(48000.0, 44100.0));

TEST(LearnAnalyzer, ClicksFortyMillisecondsApartNeverMeasureFortyMillisecondGaps)
{
    const auto features = analyse(clickTrain(rate48k, 0.04, 10.0), makeConfig(rate48k));
    EXPECT_GE(features.fGapCount, 3);
    EXPECT_NEAR(features.fGapMedianSec, 0.08f, 1.0e-4f) << "every other click, six hops at least";
    EXPECT_NEAR(features.fGapP75Sec, 0.08f, 1.0e-4f);
    EXPECT_NEAR(features.fOnsetsPerSec, 12.5f, 0.2f);
}

struct PauseCase
{
    double pauseSeconds;
    int gapCount;
};

class GapAcrossAPause : public testing::TestWithParam<PauseCase>
{
};

TEST_P(GapAcrossAPause, IsKeptOnlyUpToFourSeconds)
{
    // Six clicks half a second apart, a pause, six more.
    const auto c = GetParam();
    const double secondGroup = 2.5 + c.pauseSeconds;
    auto signal = silence(rate48k, secondGroup + 3.0);
    for (int i = 0; i < 6; ++i)
    {
        addClick(signal, rate48k, 0.5 * i);
        addClick(signal, rate48k, secondGroup + 0.5 * i);
    }
    const auto features = analyse(signal, makeConfig(rate48k));
    EXPECT_EQ(features.fOnsetCount, 12);
    EXPECT_EQ(features.fGapCount, c.gapCount);
    EXPECT_NEAR(features.fGapMedianSec, 0.5f, 1.0e-4f);
}

INSTANTIATE_TEST_SUITE_P(LearnAnalyzer, GapAcrossAPause,
                         testing::Values(PauseCase { 3.5, 11 }, PauseCase { 4.5, 10 }));

TEST(LearnAnalyzer, OnsetsMoreThanFourSecondsApartLeaveNoGapStatistics)
{
    auto signal = silence(rate48k, 21.0);
    for (int i = 0; i < 5; ++i)
        addTone(signal, rate48k, 500.0, 5.0 * i, 0.5, [](double) { return 0.5; });
    const auto features = analyse(signal, makeConfig(rate48k));
    EXPECT_EQ(features.fOnsetCount, 5);
    EXPECT_EQ(features.fGapCount, 0) << "neither the onsets nor the level events give a gap";
    EXPECT_EQ(features.fGapMedianSec, 0.0f);
    EXPECT_EQ(features.fGapP75Sec, 0.0f);
}

TEST(LearnAnalyzer, SwellsTooSoftForOnsetsAreTimedByTheirLevel)
{
    // The level sweeps 20 dB twice a second, never fast enough for an onset after the first.
    auto signal = silence(rate48k, 10.0);
    addTone(signal, rate48k, 500.0, 0.0, 10.0, [](double t) {
        return 0.5 * std::pow(10.0, (-10.0 + 10.0 * std::cos(2.0 * pi * 2.0 * t)) / 20.0);
    });
    const auto features = analyse(signal, makeConfig(rate48k));
    EXPECT_EQ(features.fOnsetCount, 1);
    EXPECT_GE(features.fGapCount, 15);
    EXPECT_NEAR(features.fGapMedianSec, 0.5f, 1.0e-4f);
    EXPECT_NEAR(features.fGapP75Sec, 0.5f, 1.0e-4f);
}

TEST(LearnAnalyzer, InputUnderMinusSixtyDecibelsNeverMakesAValidBlock)
{
    auto signal = silence(rate48k, 5.0);
    addSteadyTone(signal, rate48k, 1000.0, 0.00125f); // mean power -61 dB
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k, 0, 1.0f));
    feed(analyzer, signal);
    EXPECT_EQ(analyzer.validBlocks(), 0);
    EXPECT_EQ(analyzer.analysedSamples(), static_cast<std::int64_t>(signal.size()));

    const auto features = analyzer.computeLearnFeatures();
    EXPECT_EQ(features.fValid, 0);
    EXPECT_EQ(features.fOnsetCount, 0);
    EXPECT_EQ(features.fLevelDb, -100.0f);
    EXPECT_EQ(features.fSibilanceDb, -100.0f);
    EXPECT_EQ(features.fAttackSharp, 0.5f);
}

TEST(LearnAnalyzer, SilentBandsSaturateNearMinusSixtyDecibels)
{
    // Quiet 1 kHz bursts: only the bands around 1 kHz rise above -65 dB and carry onsets; in Send
    // mode the other bands weigh nothing.
    auto signal = silence(rate48k, 20.0);
    for (double at = 0.0; at < 19.8; at += 0.25)
        addTone(signal, rate48k, 1000.0, at, 0.15, [](double t) {
            const double edge = std::min({ 1.0, t / 0.005, (0.15 - t) / 0.005 });
            return 0.003 * 0.5 * (1.0 - std::cos(pi * std::max(0.0, edge)));
        });
    const auto send = analyse(signal, makeConfig(rate48k, 1));
    EXPECT_GE(send.fCrowdedBand, 3);
    EXPECT_LE(send.fCrowdedBand, 5);
    EXPECT_NEAR(send.fOnsetsPerSec, 4.0f, 0.1f);
    const float saturated = static_cast<float>(10.0 * std::log10(1.0e-6 / 0.999999));
    EXPECT_NEAR(send.fLowDb, saturated, 0.01f);
    EXPECT_NEAR(send.fHighDb, saturated, 0.01f);

    const auto insert = analyse(signal, makeConfig(rate48k, 0));
    EXPECT_EQ(insert.fCrowdedBand, -1);
    EXPECT_GT(insert.fLowDb, -40.0f) << "without weighting the leakage into the low bands counts";
}

TEST(LearnAnalyzer, AnOverflowBetweenTwoOnsetsLeavesNoGapAcrossIt)
{
    // Clicks every 250 ms; 1.1 s of them (five clicks) are lost after the first 5 s.
    const auto lead = silence(rate48k, 0.5);
    const auto signal = clickTrain(rate48k, 0.25, 12.0);
    const auto firstPart = sampleAt(rate48k, 5.0);
    const auto lost = sampleAt(rate48k, 1.1);
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k));

    feed(analyzer, lead);
    analyzer.discontinuity(1000);
    EXPECT_EQ(analyzer.droppedWhileListening(), 0) << "nothing was heard yet";
    feed(analyzer, lead);
    feed(analyzer, signal.data(), firstPart);
    analyzer.discontinuity(static_cast<std::int64_t>(lost));
    feed(analyzer, signal.data() + firstPart + lost, signal.size() - firstPart - lost);

    EXPECT_EQ(analyzer.droppedWhileListening(), static_cast<std::int64_t>(lost));
    EXPECT_EQ(analyzer.overflowCount(), 2);
    const auto features = analyzer.computeLearnFeatures();
    EXPECT_EQ(features.fOnsetCount, 20 + 23);
    EXPECT_EQ(features.fGapCount, 19 + 22) << "no gap across the loss";
    EXPECT_NEAR(features.fGapP75Sec, 0.25f, 1.0e-4f);
    // From the first click's block to the end of the last click's block, in analysed samples,
    // which never include the lost ones.
    EXPECT_NEAR(features.fSpanSeconds, 11.75 - 1.1 + 0.05, 1.0e-4);
    EXPECT_NEAR(features.fOnsetsPerSec, 43.0 / 10.7, 1.0e-3);
}

TEST(LearnAnalyzer, AttackSharpnessRanksAClickTrainAboveASlowSwell)
{
    auto swells = silence(rate48k, 10.0);
    for (double at = 0.0; at < 9.5; at += 0.5)
        addTone(swells, rate48k, 500.0, at, 0.4, [](double t) { return 0.5 * std::min({ 1.0, t / 0.06, (0.4 - t) / 0.04 }); });
    const auto clicks = analyse(clickTrain(rate48k, 0.25, 10.0), makeConfig(rate48k));
    const auto swell = analyse(swells, makeConfig(rate48k));

    EXPECT_GT(clicks.fAttackCount, 30);
    EXPECT_GT(swell.fAttackCount, 15);
    EXPECT_GT(clicks.fAttackSharp, 0.9f);
    EXPECT_LT(swell.fAttackSharp, 0.4f);
}

TEST(LearnAnalyzer, QuietNoiseBetweenLoudNotesCountsAsBreath)
{
    // Each second: 0.75 s of a loud tone, then 0.25 s of noise about 20 dB lower.
    auto signal = silence(rate48k, 10.0);
    for (double at = 0.0; at < 10.0; at += 1.0)
    {
        addSteadyTone(signal, rate48k, 500.0, 0.5f, at, 0.75);
        addNoise(signal, rate48k, 0.03f, at + 0.75, 0.25);
    }
    EXPECT_NEAR(analyse(signal, makeConfig(rate48k)).fBreathShare, 0.25f, 0.03f);

    auto tone = silence(rate48k, 10.0);
    addSteadyTone(tone, rate48k, 500.0, 0.5f);
    EXPECT_EQ(analyse(tone, makeConfig(rate48k)).fBreathShare, 0.0f);
}

struct ToneCase
{
    double hz;
    float minLowDb, maxLowDb;
    float minHighDb, maxHighDb;
    float minSibilanceDb, maxSibilanceDb;
};

class TonePlacement : public testing::TestWithParam<ToneCase>
{
};

TEST_P(TonePlacement, SetsTheTonalBalanceAndSibilance)
{
    const auto c = GetParam();
    auto signal = silence(rate48k, 3.0);
    addSteadyTone(signal, rate48k, c.hz, 0.3f);
    const auto features = analyse(signal, makeConfig(rate48k));
    EXPECT_GE(features.fLowDb, c.minLowDb);
    EXPECT_LE(features.fLowDb, c.maxLowDb);
    EXPECT_GE(features.fHighDb, c.minHighDb);
    EXPECT_LE(features.fHighDb, c.maxHighDb);
    EXPECT_GE(features.fSibilanceDb, c.minSibilanceDb);
    EXPECT_LE(features.fSibilanceDb, c.maxSibilanceDb);
}

INSTANTIATE_TEST_SUITE_P(LearnAnalyzer, TonePlacement,
                         testing::Values(ToneCase { 125.0, 10.0f, 60.0f, -60.0f, -20.0f, -100.0f, -50.0f },
                                         ToneCase { 1000.0, -30.0f, -5.0f, -30.0f, -5.0f, -100.0f, -20.0f },
                                         ToneCase { 7000.0, -60.0f, -20.0f, 5.0f, 60.0f, -0.5f, 0.5f }));

TEST(LearnAnalyzer, TempoIsTheFullestBinWhenTheHostReportsOneOftenEnough)
{
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k));
    analyzer.countTick(0.0);
    for (int i = 0; i < 4; ++i)
        analyzer.countTick(128.2);
    auto tone = silence(rate48k, 1.0);
    addSteadyTone(tone, rate48k, 1000.0, 0.1f);
    feed(analyzer, tone);
    EXPECT_EQ(analyzer.computeLearnFeatures().fTempoBpm, 0.0f) << "four ticks with a tempo are too few";

    analyzer.countTick(128.4);
    analyzer.countTick(90.0);
    EXPECT_NEAR(analyzer.computeLearnFeatures().fTempoBpm, (4 * 128.2 + 128.4) / 5.0, 1.0e-3);

    for (int i = 0; i < 7; ++i)
        analyzer.countTick(0.0);
    EXPECT_EQ(analyzer.computeLearnFeatures().fTempoBpm, 0.0f) << "the host reported a tempo in under half the ticks";
}

TEST(LearnAnalyzer, FeedingDoesNotAllocate)
{
    auto signal = clickTrain(rate48k, 0.25, 4.0);
    addNoise(signal, rate48k, 0.05f, 0.0, 4.0);
    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k));

    AllocationGuard guard;
    feed(analyzer, signal.data(), signal.size() / 2);
    analyzer.discontinuity(4800);
    analyzer.countTick(120.0);
    feed(analyzer, signal.data() + signal.size() / 2, signal.size() / 2);
    EXPECT_EQ(guard.allocations(), 0);
    EXPECT_GT(analyzer.validBlocks(), 0);
}

TEST(LearnAnalyzer, ResetForgetsTheCycle)
{
    auto tone = silence(rate48k, 2.0);
    addSteadyTone(tone, rate48k, 1000.0, 0.1f);
    const auto fresh = analyse(tone, makeConfig(rate48k));

    LearnAnalyzer analyzer;
    analyzer.configure(makeConfig(rate48k));
    feed(analyzer, clickTrain(rate48k, 0.25, 3.0));
    analyzer.discontinuity(4800);
    for (int i = 0; i < 10; ++i)
        analyzer.countTick(120.0);
    analyzer.reset();
    EXPECT_EQ(analyzer.validBlocks(), 0);
    EXPECT_EQ(analyzer.analysedSamples(), 0);
    EXPECT_EQ(analyzer.overflowCount(), 0);

    feed(analyzer, tone);
    const auto again = analyzer.computeLearnFeatures();
    EXPECT_EQ(again.fOnsetCount, fresh.fOnsetCount);
    EXPECT_EQ(again.fAttackCount, fresh.fAttackCount);
    EXPECT_EQ(again.fSpanSeconds, fresh.fSpanSeconds);
    EXPECT_EQ(again.fLevelDb, fresh.fLevelDb);
    EXPECT_EQ(again.fTempoBpm, 0.0f);
}
} // namespace zq6::test
