#include "engine/LateTail.h"
#include "params/ParameterIds.h"
#include "support/DecayAnalysis.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <functional>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;

int samples(double seconds)
{
    return static_cast<int>(seconds * rate);
}

double windowEnergy(const juce::AudioBuffer<float>& buffer, double fromSeconds, double toSeconds)
{
    double sum = 0.0;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = samples(fromSeconds); i < samples(toSeconds); ++i)
            sum += static_cast<double>(buffer.getSample(c, i)) * buffer.getSample(c, i);
    return sum;
}

double db(double energyRatio)
{
    return 10.0 * std::log10(energyRatio);
}
} // namespace

// The tail on its own, fed in 32-sample chunks.
class LateTailTest : public testing::Test
{
protected:
    using ChunkHook = std::function<void(int chunkStart)>;

    void SetUp() override
    {
        tail.prepare(rate);
        controls.size = 1.0;
        controls.tailOffsetMs = 0.0f;
    }

    void setDecay(float seconds)
    {
        controls.lowDecay = controls.midDecay = controls.highDecay = seconds;
    }

    // Processes the input in place; `beforeChunk` may change the controls, `afterChunk` inspects.
    void run(juce::AudioBuffer<float>& buffer, const ChunkHook& beforeChunk = {}, const ChunkHook& afterChunk = {})
    {
        const juce::ScopedNoDenormals noDenormals;
        for (int start = 0; start < buffer.getNumSamples(); start += maxChunkSamples)
        {
            const auto m = std::min(maxChunkSamples, buffer.getNumSamples() - start);
            if (beforeChunk)
                beforeChunk(start);
            float left[maxChunkSamples], right[maxChunkSamples];
            tail.process(buffer.getReadPointer(0, start), buffer.getReadPointer(1, start), left, right, m, controls);
            std::copy(left, left + m, buffer.getWritePointer(0, start));
            std::copy(right, right + m, buffer.getWritePointer(1, start));
            if (afterChunk)
                afterChunk(start);
        }
    }

    static juce::AudioBuffer<float> impulseAt(int position, int length)
    {
        juce::AudioBuffer<float> buffer(2, length);
        buffer.clear();
        buffer.setSample(0, position, 1.0f);
        buffer.setSample(1, position, 1.0f);
        return buffer;
    }

    // Noise for the first `noiseSeconds`, then silence.
    static juce::AudioBuffer<float> noiseThenSilence(double noiseSeconds, double totalSeconds)
    {
        auto buffer = makeNoise(2, samples(totalSeconds), 0.5f);
        for (int c = 0; c < 2; ++c)
            buffer.clear(c, samples(noiseSeconds), buffer.getNumSamples() - samples(noiseSeconds));
        return buffer;
    }

    LateTail tail;
    TailControls controls;
};

TEST_F(LateTailTest, SizeChangesWithinTheToleranceKeepTheRunningInstance)
{
    auto buffer = makeNoise(2, samples(1.2), 0.5f);
    run(buffer, [this](int start) {
        controls.size = start < samples(0.3) ? 1.0 : start < samples(0.6) ? 1.001 : start < samples(0.9) ? 0.999 : 1.003;
        if (start == samples(0.9) - 32)
        {
            EXPECT_EQ(tail.getActiveIndex(), 0);
            EXPECT_EQ(tail.getInstance(0).getSize(), 1.0);
            EXPECT_EQ(tail.getInstance(1).getState(), TailInstance::idle);
        }
    });
    EXPECT_EQ(tail.getActiveIndex(), 1) << "a change of 0.3 % starts the other instance";
    EXPECT_EQ(tail.getInstance(1).getSize(), 1.003);
    EXPECT_EQ(tail.getInstance(0).getState(), TailInstance::ringingOut);
}

TEST_F(LateTailTest, ASwitchWithinAQuarterSecondOfTheLastWaitsAndHurriesTheOldestTail)
{
    auto buffer = makeNoise(2, samples(1.0), 0.5f);
    int firstSwitch = -1, secondSwitch = -1, hurried = -1;
    run(
        buffer, [this](int start) { controls.size = start < samples(0.3) ? 1.0 : start < samples(0.4) ? 1.5 : 2.0; },
        [&](int start) {
            if (firstSwitch < 0 && tail.getInstance(1).getSize() == 1.5)
                firstSwitch = start;
            if (hurried < 0 && tail.getInstance(0).getState() == TailInstance::fadingOut)
                hurried = start;
            if (secondSwitch < 0 && tail.getInstance(tail.getActiveIndex()).getSize() == 2.0)
                secondSwitch = start;
        });

    EXPECT_EQ(firstSwitch, samples(0.3));
    EXPECT_GE(hurried, firstSwitch + samples(0.25)) << "the ringing tail is cut only when a switch is due";
    EXPECT_GE(secondSwitch, firstSwitch + samples(0.25));
    // 30 ms fade, 16 chunks of clearing, then the switch.
    EXPECT_LE(secondSwitch, firstSwitch + samples(0.25 + 0.03) + 18 * maxChunkSamples);
    EXPECT_EQ(tail.getActiveIndex(), 0);
}

TEST_F(LateTailTest, AReplacedInstanceRingsOutFadesClearsInSlicesAndGoesIdle)
{
    setDecay(0.3f);
    auto buffer = noiseThenSilence(0.2, 2.0);
    std::vector<int> states;
    int largestSlice = 0, clearingChunks = 0;
    run(
        buffer, [this](int start) { controls.size = start < samples(0.2) ? 1.0 : 1.5; },
        [&](int) {
            const auto& old = tail.getInstance(0);
            if (states.empty() || old.getState() != states.back())
                states.push_back(old.getState());
            largestSlice = std::max(largestSlice, old.getSamplesZeroedLastChunk());
            clearingChunks += old.getSamplesZeroedLastChunk() > 0 ? 1 : 0;
        });

    EXPECT_EQ(states, (std::vector<int> { TailInstance::active, TailInstance::ringingOut, TailInstance::fadingOut,
                                          TailInstance::clearing, TailInstance::idle }));
    EXPECT_EQ(largestSlice, TailInstance::clearingSlice);
    EXPECT_EQ(clearingChunks, 16) << "16 lines of 16384 samples at 48 kHz, one slice per chunk";
    EXPECT_EQ(tail.getInstance(1).getState(), TailInstance::active);
}

TEST_F(LateTailTest, WithoutMotionTheReadsAreUnmodulated)
{
    // An unmodulated network is time-invariant: a later impulse gives the same response, shifted.
    const auto shiftedResponseDifference = [this](float depth) {
        controls.modulationDepth = depth;
        const int shift = 1001, length = samples(0.8);
        auto early = impulseAt(0, length + shift);
        auto late = impulseAt(shift, length + shift);
        tail.clear();
        run(early);
        tail.clear();
        run(late);
        float worst = 0.0f;
        for (int i = 0; i < length; ++i)
            worst = std::max(worst, std::abs(early.getSample(0, i) - late.getSample(0, i + shift)));
        return worst / early.getMagnitude(0, 0, length);
    };
    EXPECT_LT(shiftedResponseDifference(0.0f), 1.0e-6f);
    EXPECT_GT(shiftedResponseDifference(1.0f), 1.0e-2f) << "with motion the same comparison sees the modulation";
}

TEST_F(LateTailTest, AttackFadesTheTailInOverItsTime)
{
    setDecay(0.5f);
    const auto render = [this](float attackMs) {
        controls.attackMs = attackMs;
        tail.clear();
        auto buffer = makeNoise(2, samples(0.6), 0.5f);
        run(buffer);
        return buffer;
    };
    const auto plain = render(0.0f);
    const auto faded = render(250.0f);

    EXPECT_LT(db(windowEnergy(faded, 0.0, 0.05) / windowEnergy(plain, 0.0, 0.05)), -20.0);
    EXPECT_LT(db(windowEnergy(faded, 0.1, 0.15) / windowEnergy(plain, 0.1, 0.15)), -10.0);
    EXPECT_NEAR(db(windowEnergy(faded, 0.3, 0.6) / windowEnergy(plain, 0.3, 0.6)), 0.0, 0.5);
}

TEST_F(LateTailTest, TheOffsetHoldsTheTailBackBehindTheReflections)
{
    controls.modulationDepth = 0.0f; // so the first read does not depend on the LFO phase
    const auto firstOutput = [this](float offsetMs) {
        controls.tailOffsetMs = offsetMs;
        tail.clear();
        auto buffer = impulseAt(0, samples(0.1));
        run(buffer);
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (buffer.getSample(0, i) != 0.0f)
                return i;
        return -1;
    };
    const auto straight = firstOutput(0.0f);
    EXPECT_GT(straight, 0);
    EXPECT_EQ(firstOutput(4.0f) - straight, 192);
    EXPECT_EQ(firstOutput(12.0f) - straight, 576);
    EXPECT_EQ(firstOutput(30.0f) - straight, 576) << "at most 12 ms";
}

// Through the processor: a size change while the tail rings.
class TailSizeChange : public testing::Test
{
protected:
    // A 220 Hz tone for `toneSeconds`, size 0.5, and (if `change`) size 0.8 from 0.5 s on.
    static juce::AudioBuffer<float> render(double toneSeconds, bool change)
    {
        ProcessorHarness harness;
        harness.set(pid::mix, 1.0f);
        juce::AudioBuffer<float> buffer(2, samples(1.5));
        buffer.clear();
        for (int i = 0; i < samples(toneSeconds); ++i)
            for (int c = 0; c < 2; ++c)
                buffer.setSample(c, i, 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 220.0 * i / rate)));
        juce::AudioBuffer<float> first(buffer.getArrayOfWritePointers(), 2, 0, samples(0.5));
        juce::AudioBuffer<float> second(buffer.getArrayOfWritePointers(), 2, samples(0.5), samples(1.0));
        harness.process(first);
        if (change)
            harness.set(pid::size, 0.8f);
        harness.process(second);
        EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
        return buffer;
    }

    static float largestStep(const juce::AudioBuffer<float>& buffer, double fromSeconds)
    {
        float step = 0.0f;
        for (int c = 0; c < 2; ++c)
            for (int i = samples(fromSeconds); i < buffer.getNumSamples(); ++i)
                step = std::max(step, std::abs(buffer.getSample(c, i) - buffer.getSample(c, i - 1)));
        return step;
    }
};

TEST_F(TailSizeChange, DoesNotClickWhileTheInputPlays)
{
    const auto steady = render(1.5, false);
    const auto changed = render(1.5, true);
    EXPECT_GT(largestStep(steady, 0.5), 1.0e-3f);
    EXPECT_LE(largestStep(changed, 0.5), largestStep(steady, 0.5) * 1.1f);
}

TEST_F(TailSizeChange, LetsTheOldTailRingOut)
{
    const auto steady = render(0.4, false);
    const auto changed = render(0.4, true);
    EXPECT_NEAR(db(windowEnergy(changed, 0.55, 1.0) / windowEnergy(steady, 0.55, 1.0)), 0.0, 0.5);
    EXPECT_LE(largestStep(changed, 0.5), largestStep(steady, 0.5) * 1.1f);
}

TEST(TailAudioThread, NoHeapAllocationWhileEveryTailControlMoves)
{
    ProcessorHarness harness;
    harness.set(pid::mix, 1.0f);
    const std::pair<const char*, float> moves[] = { { pid::size, 0.9f },      { pid::decay, 7.0f },
                                                    { pid::attack, 250.0f },  { pid::motion, 1.0f },
                                                    { pid::diffusion, 0.0f }, { pid::brightness, 1.0f },
                                                    { pid::size, 0.1f },      { pid::decayMultLow, 2.0f } };
    for (const auto& [id, value] : moves)
    {
        harness.set(id, value);
        auto block = makeNoise(2, samples(0.3), 0.5f);
        harness.process(block);
    }
    harness.processSilence(1.0);
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

TEST(TailAudioThread, ChunksWithoutInternalSamplesAtHighRatesKeepTheTail)
{
    // At 192 kHz a 3-sample block decimates to 0 or 1 internal samples per chunk.
    const auto render = [](int blockSize) {
        ProcessorHarness harness(192000.0, blockSize);
        harness.set(pid::mix, 1.0f);
        juce::AudioBuffer<float> buffer(2, 96000);
        buffer.clear();
        buffer.setSample(0, 0, 1.0f);
        buffer.setSample(1, 0, 1.0f);
        harness.process(buffer);
        EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
        return buffer;
    };
    const auto shortBlocks = render(3);
    const auto longBlocks = render(512);
    EXPECT_GT(energyDb(longBlocks), -30.0);
    EXPECT_NEAR(energyDb(shortBlocks), energyDb(longBlocks), 0.05);
}
} // namespace zq6::test
