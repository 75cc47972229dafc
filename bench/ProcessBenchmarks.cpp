// Each iteration processes one second of stereo noise in blocks of 256, so the reported CPU time
// is CPU time per second of audio. juce::dsp::Reverb on the same input is the baseline.
#include "engine/LateTail.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"

#include <benchmark/benchmark.h>
#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <chrono>

namespace
{
namespace pid = zq6::pid;

constexpr int blockSize = 256;

juce::AudioBuffer<float> makeNoise(double rate)
{
    juce::Random random(7);
    juce::AudioBuffer<float> noise(2, static_cast<int>(rate));
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < noise.getNumSamples(); ++i)
            noise.setSample(c, i, (random.nextFloat() * 2.0f - 1.0f) * 0.3f);
    return noise;
}

using Settings = std::vector<std::pair<const char*, float>>;

void runZq6(benchmark::State& state, const Settings& settings)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const auto rate = static_cast<double>(state.range(0));
    zq6::ZQ6AudioProcessor processor;
    processor.setRateAndBufferSizeDetails(rate, blockSize);
    processor.prepareToPlay(rate, blockSize);
    for (const auto& [id, value] : settings)
    {
        auto* parameter = processor.getValueTreeState().getParameter(id);
        parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
    }

    const auto noise = makeNoise(rate);
    juce::AudioBuffer<float> block(2, blockSize);
    juce::MidiBuffer midi;
    for (auto _ : state)
        for (int start = 0; start + blockSize <= noise.getNumSamples(); start += blockSize)
        {
            for (int c = 0; c < 2; ++c)
                block.copyFrom(c, 0, noise, c, start, blockSize);
            processor.processBlock(block, midi);
            benchmark::DoNotOptimize(block.getReadPointer(0));
        }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Baseline_JuceReverb(benchmark::State& state)
{
    const auto rate = static_cast<double>(state.range(0));
    juce::dsp::Reverb reverb;
    reverb.prepare({ rate, static_cast<juce::uint32>(blockSize), 2 });
    const auto noise = makeNoise(rate);
    juce::AudioBuffer<float> block(2, blockSize);
    for (auto _ : state)
        for (int start = 0; start + blockSize <= noise.getNumSamples(); start += blockSize)
        {
            for (int c = 0; c < 2; ++c)
                block.copyFrom(c, 0, noise, c, start, blockSize);
            juce::dsp::AudioBlock<float> audio(block);
            reverb.process(juce::dsp::ProcessContextReplacing<float>(audio));
            benchmark::DoNotOptimize(block.getReadPointer(0));
        }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

// The late tail alone at the internal rate, with the default Hall controls.
void BM_LateTail(benchmark::State& state)
{
    const auto rate = static_cast<double>(state.range(0));
    zq6::LateTail tail;
    tail.prepare(rate);
    const auto noise = makeNoise(rate);
    const zq6::TailControls controls;
    constexpr auto chunk = zq6::maxChunkSamples;
    float outLeft[chunk], outRight[chunk];
    for (auto _ : state)
        for (int start = 0; start + chunk <= noise.getNumSamples(); start += chunk)
        {
            tail.process(noise.getReadPointer(0, start), noise.getReadPointer(1, start), outLeft, outRight, chunk, controls);
            benchmark::DoNotOptimize(outLeft[0]);
        }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ZQ6_Defaults(benchmark::State& state)
{
    runZq6(state, {});
}

void BM_ZQ6_WetEqAllBands(benchmark::State& state)
{
    runZq6(state, { { pid::eqGain[0], 4.0f }, { pid::eqGain[1], -3.0f }, { pid::eqGain[2], 2.0f }, { pid::eqGain[3], -5.0f }, { pid::eqLp, 9000.0f } });
}

void BM_ZQ6_Unmask(benchmark::State& state)
{
    runZq6(state, { { pid::cleanUnmask, 1.0f } });
}

void BM_ZQ6_Shaping(benchmark::State& state)
{
    runZq6(state, { { pid::cleanShaping, 1.0f } });
}

void BM_ZQ6_UnmaskAndShaping(benchmark::State& state)
{
    runZq6(state, { { pid::cleanUnmask, 1.0f }, { pid::cleanShaping, 1.0f } });
}

// Half a second of noise, then 30 s of silence timed block by block: once the tail has rung out and
// the engine sleeps, every idle block should cost the same.
void BM_ZQ6_IdleAfterBurst(benchmark::State& state)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const auto rate = static_cast<double>(state.range(0));
    const auto burst = makeNoise(rate);
    const auto silentBlocks = static_cast<int>(30.0 * rate) / blockSize;
    juce::AudioBuffer<float> block(2, blockSize);
    juce::MidiBuffer midi;
    double asleepTotal = 0.0, asleepWorst = 0.0;
    std::int64_t asleepBlocks = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        zq6::ZQ6AudioProcessor processor;
        processor.setRateAndBufferSizeDetails(rate, blockSize);
        processor.prepareToPlay(rate, blockSize);
        for (int start = 0; start + blockSize <= burst.getNumSamples() / 2; start += blockSize)
        {
            for (int c = 0; c < 2; ++c)
                block.copyFrom(c, 0, burst, c, start, blockSize);
            processor.processBlock(block, midi);
        }
        state.ResumeTiming();
        for (int i = 0; i < silentBlocks; ++i)
        {
            block.clear();
            const auto wasAsleep = processor.getEngine().isSleeping();
            const auto begin = std::chrono::steady_clock::now();
            processor.processBlock(block, midi);
            const auto micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
            benchmark::DoNotOptimize(block.getReadPointer(0));
            if (wasAsleep)
            {
                asleepTotal += micros;
                asleepWorst = std::max(asleepWorst, micros);
                ++asleepBlocks;
            }
        }
    }
    state.counters["asleep_block_mean_us"] = asleepBlocks > 0 ? asleepTotal / static_cast<double>(asleepBlocks) : 0.0;
    state.counters["asleep_block_worst_us"] = asleepWorst;
}

constexpr auto ms = benchmark::kMillisecond;
BENCHMARK(BM_Baseline_JuceReverb)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_LateTail)->Arg(48000)->Unit(ms);
BENCHMARK(BM_ZQ6_Defaults)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_WetEqAllBands)->Arg(48000)->Unit(ms);
BENCHMARK(BM_ZQ6_Unmask)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_Shaping)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_UnmaskAndShaping)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_IdleAfterBurst)->Arg(48000)->Unit(ms)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
