#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
// Largest difference between out[i] and in[i - delay] (in taken as zero before its start).
float delayedDifference(const juce::AudioBuffer<float>& in, const juce::AudioBuffer<float>& out, int delay, int from,
                        float gain = 1.0f)
{
    float worst = 0.0f;
    for (int c = 0; c < out.getNumChannels(); ++c)
        for (int i = from; i < out.getNumSamples(); ++i)
        {
            const auto expected = i >= delay ? in.getSample(c, i - delay) * gain : 0.0f;
            worst = std::max(worst, std::abs(out.getSample(c, i) - expected));
        }
    return worst;
}
} // namespace

struct RateCase
{
    double rate;
    int latency;
    double tail;
};

class LatencyAndTail : public testing::TestWithParam<RateCase>
{
};

TEST_P(LatencyAndTail, FollowRate)
{
    const auto c = GetParam();
    ProcessorHarness harness(c.rate);
    EXPECT_EQ(harness.latency(), c.latency);
    EXPECT_NEAR(harness.processor().getTailLengthSeconds(), c.tail, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Rates, LatencyAndTail,
                         testing::Values(RateCase { 44100.0, 1024, 80.77322 }, RateCase { 48000.0, 1024, 80.77133 },
                                         RateCase { 88200.0, 2048, 80.77322 }, RateCase { 96000.0, 2048, 80.77133 },
                                         RateCase { 176400.0, 4096, 80.77322 }, RateCase { 192000.0, 4096, 80.77133 },
                                         RateCase { 384000.0, 4096, 80.76067 }),
                         [](const auto& info) { return std::to_string(static_cast<int>(info.param.rate)); });

TEST(Processor, ReportsTheDefaultLatencyAndTailBeforePrepare)
{
    ZQ6AudioProcessor processor;
    EXPECT_EQ(processor.getLatencySamples(), 1024);
    EXPECT_NEAR(processor.getTailLengthSeconds(), 80.77133, 1e-5);
}

// Some hosts and scanners process before they prepare.
TEST(Processor, PassesTheInputUntouchedUntilPrepared)
{
    ZQ6AudioProcessor processor;
    const auto input = makeNoise(2, 512, 0.5f, 4);
    auto buffer = input;
    juce::MidiBuffer midi;
    processor.processBlock(buffer, midi);
    processor.processBlockBypassed(buffer, midi);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ(buffer.getSample(c, i), input.getSample(c, i));
}

TEST(Processor, TellsTheHostOnlyWhenTheLatencyChanges)
{
    struct Counter : juce::AudioProcessorListener
    {
        int latencyChanges = 0;
        void audioProcessorParameterChanged(juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails& details) override
        {
            latencyChanges += details.latencyChanged ? 1 : 0;
        }
    } counter;

    ZQ6AudioProcessor processor;
    processor.addListener(&counter);
    processor.prepareToPlay(48000.0, 256);
    processor.prepareToPlay(44100.0, 256);
    EXPECT_EQ(counter.latencyChanges, 0);
    processor.prepareToPlay(96000.0, 256);
    EXPECT_EQ(counter.latencyChanges, 1);
    processor.prepareToPlay(88200.0, 256);
    EXPECT_EQ(counter.latencyChanges, 1);
    processor.removeListener(&counter);
}

TEST(Processor, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    ZQ6AudioProcessor processor;
    const auto layout = [](juce::AudioChannelSet in, juce::AudioChannelSet out) {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add(in);
        l.outputBuses.add(out);
        return l;
    };
    using Set = juce::AudioChannelSet;
    EXPECT_TRUE(processor.checkBusesLayoutSupported(layout(Set::stereo(), Set::stereo())));
    EXPECT_TRUE(processor.checkBusesLayoutSupported(layout(Set::mono(), Set::mono())));
    EXPECT_FALSE(processor.checkBusesLayoutSupported(layout(Set::mono(), Set::stereo())));
    EXPECT_FALSE(processor.checkBusesLayoutSupported(layout(Set::stereo(), Set::mono())));
    EXPECT_FALSE(processor.checkBusesLayoutSupported(layout(Set::create5point1(), Set::create5point1())));
}

TEST(Processor, IdentityAndProgram)
{
    ZQ6AudioProcessor processor;
    EXPECT_EQ(processor.getName(), "ZQ-6");
    EXPECT_EQ(processor.getNumPrograms(), 1);
    EXPECT_EQ(processor.getProgramName(0), "Default");
    EXPECT_FALSE(processor.acceptsMidi());
    EXPECT_FALSE(processor.producesMidi());
    EXPECT_EQ(processor.getBypassParameter(), processor.getValueTreeState().getParameter(pid::bypass));
}

TEST(Processor, SetModeClampsAndIsRefusedWhileLearnIsBusy)
{
    ZQ6AudioProcessor processor;
    processor.setMode(7);
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::send);
    processor.setMode(-1);
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    for (auto busy : { LearnState::listening, LearnState::cancelRequested })
    {
        processor.getLearnControl().state.store(static_cast<int>(busy));
        processor.setMode(1);
        EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    }
    processor.getLearnControl().state.store(static_cast<int>(LearnState::idle));
}

struct DryCase
{
    const char* name;
    double rate;
    bool bypassParameter;
    bool bypassedCallback;
    float mix;
};

class DelayedDry : public testing::TestWithParam<DryCase>
{
};

// Bypass (either way the host asks for it) and mix 0 in Insert pass the input delayed by exactly N.
TEST_P(DelayedDry, PassesTheInputDelayedByTheLatency)
{
    const auto c = GetParam();
    ProcessorHarness harness(c.rate);
    harness.set(pid::mix, c.mix);
    harness.set(pid::bypass, c.bypassParameter ? 1.0f : 0.0f);
    const auto in = makeNoise(2, static_cast<int>(c.rate), 0.5f);
    auto out = in;
    harness.process(out, c.bypassedCallback);
    const auto settled = static_cast<int>(0.5 * c.rate);
    EXPECT_LT(delayedDifference(in, out, harness.latency(), settled), 1.0e-6f) << c.name;
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, DelayedDry,
                         testing::Values(DryCase { "bypass parameter", 48000.0, true, false, 0.3f },
                                         DryCase { "bypassed callback", 48000.0, false, true, 0.3f },
                                         DryCase { "bypass at 96 kHz", 96000.0, true, false, 0.3f },
                                         DryCase { "mix 0", 48000.0, false, false, 0.0f },
                                         DryCase { "mix 0 at 44.1 kHz", 44100.0, false, false, 0.0f },
                                         DryCase { "mix 0 at 192 kHz", 192000.0, false, false, 0.0f }),
                         [](const auto& info) {
                             auto name = std::string(info.param.name);
                             for (auto& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(Processor, BypassKeepsTheDryPathAlignedThroughTheRamp)
{
    ProcessorHarness harness;
    harness.set(pid::mix, 0.0f);
    const auto in = makeNoise(2, 48000, 0.5f);
    auto out = in;
    juce::AudioBuffer<float> first(out.getArrayOfWritePointers(), 2, 0, 24000);
    harness.process(first);
    harness.set(pid::bypass, 1.0f);
    juce::AudioBuffer<float> second(out.getArrayOfWritePointers(), 2, 24000, 24000);
    harness.process(second);
    EXPECT_LT(delayedDifference(in, out, harness.latency(), 0), 1.0e-6f);
}

TEST(Processor, MonoBusGivesOneChannelAndEqualMeters)
{
    ProcessorHarness harness(48000.0, 256, 1);
    harness.set(pid::mix, 0.0f);
    const auto in = makeNoise(1, 48000, 0.5f);
    auto out = in;
    harness.process(out);
    EXPECT_LT(delayedDifference(in, out, harness.latency(), 2048), 1.0e-6f);
    auto& peaks = harness.processor().getMeterPeaks();
    EXPECT_EQ(peaks.readAndClear(MeterPeaks::inputLeft), peaks.readAndClear(MeterPeaks::inputRight));
    EXPECT_EQ(peaks.readAndClear(MeterPeaks::outputLeft), peaks.readAndClear(MeterPeaks::outputRight));
}

TEST(Processor, NonFiniteInputGivesFiniteOutput)
{
    ProcessorHarness harness;
    harness.set(pid::mix, 1.0f);
    auto buffer = makeNoise(2, 4800, 0.5f);
    buffer.setSample(0, 100, std::numeric_limits<float>::quiet_NaN());
    buffer.setSample(1, 200, std::numeric_limits<float>::infinity());
    buffer.setSample(0, 300, -std::numeric_limits<float>::infinity());
    harness.process(buffer);
    auto after = makeNoise(2, 48000, 0.5f, 3);
    harness.process(after);
    for (const auto* b : { &buffer, &after })
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < b->getNumSamples(); ++i)
                ASSERT_TRUE(std::isfinite(b->getSample(c, i)));
}

TEST(Processor, SleepsAfterSilenceAndWakesOnSignal)
{
    ProcessorHarness harness;
    harness.set(pid::decay, 0.1f); // the shortest tail is silent long before the input threshold
    auto noise = makeNoise(2, 4800, 0.5f);
    harness.process(noise);
    EXPECT_FALSE(harness.processor().getEngine().isSleeping());

    harness.processSilence(1.0);
    EXPECT_FALSE(harness.processor().getEngine().isSleeping()) << "input threshold is about 1.09 s";
    harness.processSilence(0.2);
    EXPECT_TRUE(harness.processor().getEngine().isSleeping());

    juce::AudioBuffer<float> click(2, 256);
    click.clear();
    click.setSample(0, 10, 0.5f);
    harness.process(click);
    EXPECT_FALSE(harness.processor().getEngine().isSleeping());
}

TEST(Processor, MetersHoldPeaksUntilRead)
{
    ProcessorHarness harness;
    harness.set(pid::mix, 0.0f);
    juce::AudioBuffer<float> buffer(2, 512);
    buffer.clear();
    buffer.setSample(0, 5, -0.75f);
    buffer.setSample(1, 9, 0.25f);
    harness.process(buffer);
    auto& peaks = harness.processor().getMeterPeaks();
    EXPECT_FLOAT_EQ(peaks.readAndClear(MeterPeaks::inputLeft), 0.75f);
    EXPECT_FLOAT_EQ(peaks.readAndClear(MeterPeaks::inputRight), 0.25f);
    EXPECT_EQ(peaks.readAndClear(MeterPeaks::inputLeft), 0.0f);
    EXPECT_FLOAT_EQ(peaks.readAndClear(MeterPeaks::outputLeft), 0.0f) << "the dry path is still delayed";
}
} // namespace zq6::test

namespace zq6::test
{
namespace
{
struct FixedTempo : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        if (bpm > 0.0)
            info.setBpm(bpm);
        return info;
    }
    double bpm = 0.0;
};
} // namespace

TEST(Processor, PublishesTheHostTempoOrZero)
{
    ProcessorHarness harness;
    FixedTempo playHead;
    harness.processor().setPlayHead(&playHead);
    playHead.bpm = 100.0;
    harness.processSilence(0.01);
    EXPECT_DOUBLE_EQ(harness.processor().getHostTempo(), 100.0);
    playHead.bpm = 0.0;
    harness.processSilence(0.01);
    EXPECT_DOUBLE_EQ(harness.processor().getHostTempo(), 0.0);
    harness.processor().setPlayHead(nullptr);
}

// While Learn listens the reverb is muted: Insert passes the delayed dry signal at unity whatever
// the output and mix, Send gives silence.
TEST(Processor, LearnListeningMutesTheReverb)
{
    for (const auto mode : { ZQ6AudioProcessor::insert, ZQ6AudioProcessor::send })
    {
        ProcessorHarness harness;
        harness.processor().setMode(mode);
        harness.set(pid::output, -12.0f);
        harness.set(pid::mix, 0.6f);
        harness.processor().getLearnControl().state.store(static_cast<int>(LearnState::listening));
        const auto in = makeNoise(2, 48000, 0.5f);
        auto out = in;
        harness.process(out);
        const auto gain = mode == ZQ6AudioProcessor::insert ? 1.0f : 0.0f;
        EXPECT_LT(delayedDifference(in, out, harness.latency(), 24000, gain), 1.0e-6f) << "mode " << mode;
        harness.processor().getLearnControl().state.store(static_cast<int>(LearnState::idle));
    }
}

TEST(Processor, OutputGainAndSendModeShapeTheMix)
{
    ProcessorHarness insert;
    insert.set(pid::mix, 0.0f);
    insert.set(pid::output, -6.0f);
    const auto in = makeNoise(2, 48000, 0.5f);
    auto out = in;
    insert.process(out);
    EXPECT_LT(delayedDifference(in, out, insert.latency(), 24000, juce::Decibels::decibelsToGain(-6.0f)), 1.0e-6f);

    // Send ignores mix: any mix renders the same wet-only output.
    juce::AudioBuffer<float> sent[2] = { in, in };
    for (int i = 0; i < 2; ++i)
    {
        ProcessorHarness send;
        send.processor().setMode(ZQ6AudioProcessor::send);
        send.set(pid::mix, i == 0 ? 0.0f : 1.0f);
        send.process(sent[i]);
    }
    EXPECT_LT(delayedDifference(sent[0], sent[1], 0, 0), 1.0e-7f);
    EXPECT_GT(delayedDifference(in, sent[0], insert.latency(), 24000), 0.1f) << "no dry signal in Send";
}
} // namespace zq6::test

namespace zq6::test
{
// Some hosts send blocks larger than they announced; the engine works in chunks, so it copes.
TEST(Processor, BlocksLargerThanPreparedStayAligned)
{
    ProcessorHarness prepared(48000.0, 64);
    prepared.set(pid::mix, 0.0f);
    const auto in = makeNoise(2, 48000, 0.5f);
    auto out = in;
    juce::MidiBuffer midi;
    for (int start = 0; start < out.getNumSamples(); start += 3000)
    {
        juce::AudioBuffer<float> view(out.getArrayOfWritePointers(), 2, start, std::min(3000, out.getNumSamples() - start));
        prepared.processor().processBlock(view, midi);
    }
    EXPECT_LT(delayedDifference(in, out, prepared.latency(), 0), 1.0e-6f);
}
} // namespace zq6::test
