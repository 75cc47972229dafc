// Each iteration processes one second of the same stereo noise in blocks of 256, so the reported CPU
// time is CPU time per second of audio. The peers run on the same input in the same process:
// juce::dsp::Reverb, and Dragonfly Hall hosted through JUCE's LV2 host at its own defaults.
#include "Lv2Peer.h"
#include "dsp/CpuDispatch.h"
#include "engine/LateTail.h"
#include "engine/RateConverter.h"
#include "engine/TailLfoBank.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"

#include <benchmark/benchmark.h>
#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace
{
namespace pid = zq6::pid;

constexpr int blockSize = 256;
// Long enough for every reverb's tail at its defaults to have died away.
constexpr int secondsOfSilenceBeforeTiming = 30;

const char* const dragonflyHallBundle = "/usr/lib/lv2/DragonflyHallReverb.lv2";
const char* const dragonflyHallUri = "https://github.com/michaelwillis/dragonfly-reverb";

juce::AudioBuffer<float> makeNoise(double rate)
{
    juce::Random random(7);
    juce::AudioBuffer<float> noise(2, static_cast<int>(rate));
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < noise.getNumSamples(); ++i)
            noise.setSample(c, i, (random.nextFloat() * 2.0f - 1.0f) * 0.3f);
    return noise;
}

// Feeds one second of the signal block by block to process(block), whose buffer has the given channels.
template <typename Process>
void feedSecond(const juce::AudioBuffer<float>& signal, juce::AudioBuffer<float>& block, Process&& process)
{
    for (int start = 0; start + blockSize <= signal.getNumSamples(); start += blockSize)
    {
        block.clear();
        for (int c = 0; c < 2; ++c)
            block.copyFrom(c, 0, signal, c, start, blockSize);
        process(block);
        benchmark::DoNotOptimize(block.getReadPointer(0));
    }
}

enum class Input
{
    noise,
    silenceAfterTail
};

template <typename Process>
void timeSeconds(benchmark::State& state, int channels, Input input, Process&& process)
{
    const auto rate = static_cast<double>(state.range(0));
    const auto noise = makeNoise(rate);
    juce::AudioBuffer<float> block(channels, blockSize);
    // As a host's audio thread runs: denormals flush to zero.
    const juce::ScopedNoDenormals noDenormals;
    if (input == Input::silenceAfterTail)
    {
        juce::AudioBuffer<float> silence(2, noise.getNumSamples());
        silence.clear();
        feedSecond(noise, block, process);
        for (int s = 0; s < secondsOfSilenceBeforeTiming; ++s)
            feedSecond(silence, block, process);
        for (auto _ : state)
            feedSecond(silence, block, process);
    }
    else
    {
        for (auto _ : state)
            feedSecond(noise, block, process);
    }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

using Settings = std::vector<std::pair<const char*, float>>;

// Runs the engine's kernels in the build a benchmark argument names (0 baseline, 1 AVX2/FMA where
// the CPU has it) while it lives.
struct KernelPathScope
{
    explicit KernelPathScope(std::int64_t path)
    {
        zq6::CpuDispatch::force(path == 0 ? zq6::KernelPath::baseline : zq6::KernelPath::avx2Fma);
    }
    ~KernelPathScope() { zq6::CpuDispatch::release(); }
};

void runZq6(benchmark::State& state, const Settings& settings, Input input = Input::noise)
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
    juce::MidiBuffer midi;
    timeSeconds(state, 2, input, [&](juce::AudioBuffer<float>& block) { processor.processBlock(block, midi); });
}

void runDragonflyHall(benchmark::State& state, Input input)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const auto rate = static_cast<double>(state.range(0));
    juce::String error;
    auto peer = zq6::bench::Lv2Peer::load(dragonflyHallBundle, dragonflyHallUri, rate, blockSize, error);
    if (peer == nullptr)
    {
        state.SkipWithError(("Dragonfly Hall (Debian dragonfly-reverb-lv2): " + error).toRawUTF8());
        return;
    }
    peer->prepareToPlay(rate, blockSize);
    const auto channels = std::max({ 2, peer->getTotalNumInputChannels(), peer->getTotalNumOutputChannels() });
    juce::MidiBuffer midi;
    timeSeconds(state, channels, input, [&](juce::AudioBuffer<float>& block) { peer->processBlock(block, midi); });
    peer->releaseResources();
}

void BM_Peer_DragonflyHall(benchmark::State& state)
{
    runDragonflyHall(state, Input::noise);
}

void BM_Peer_JuceReverb(benchmark::State& state)
{
    const auto rate = static_cast<double>(state.range(0));
    juce::dsp::Reverb reverb;
    reverb.prepare({ rate, static_cast<juce::uint32>(blockSize), 2 });
    timeSeconds(state, 2, Input::noise, [&](juce::AudioBuffer<float>& block) {
        juce::dsp::AudioBlock<float> audio(block);
        reverb.process(juce::dsp::ProcessContextReplacing<float>(audio));
    });
}

// The late tail alone at the internal rate, with the default Hall controls.
void BM_LateTail(benchmark::State& state)
{
    const KernelPathScope path(state.range(1));
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

// The 16 tail LFOs alone at the default motion, per second at the internal rate.
void BM_TailLfoBank(benchmark::State& state)
{
    const auto rate = static_cast<double>(state.range(0));
    zq6::TailLfoBank lfos;
    lfos.prepare(rate);
    constexpr auto chunk = zq6::maxChunkSamples;
    zq6::TailLfoBank::Offsets offsets[chunk];
    const auto depth = static_cast<float>(rate * zq6::tailMaximumModulationSeconds * 0.42);
    for (auto _ : state)
        for (int start = 0; start + chunk <= static_cast<int>(rate); start += chunk)
        {
            lfos.process(offsets, chunk, 0.8f, depth, depth);
            benchmark::DoNotOptimize(offsets[0][0]);
        }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

// Decimation, interpolation and read-back of one second at the host rate, as the engine runs them.
void BM_RateConverter(benchmark::State& state)
{
    const KernelPathScope path(state.range(2));
    const auto rate = static_cast<double>(state.range(0));
    zq6::RateConverter converter;
    converter.prepare(static_cast<int>(state.range(1)));
    const auto noise = makeNoise(rate);
    constexpr auto chunk = zq6::maxChunkSamples;
    float downLeft[chunk], downRight[chunk], upLeft[chunk], upRight[chunk];
    for (auto _ : state)
        for (int start = 0; start + chunk <= noise.getNumSamples(); start += chunk)
        {
            const auto m = converter.decimate(noise.getReadPointer(0, start), noise.getReadPointer(1, start), chunk,
                                              downLeft, downRight);
            converter.interpolate(downLeft, downRight, m);
            converter.read(upLeft, upRight, chunk);
            benchmark::DoNotOptimize(upLeft[0]);
        }
    state.counters["realtime_x"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ZQ6_Defaults(benchmark::State& state)
{
    runZq6(state, {});
}

void BM_ZQ6_Defaults_BaselineKernels(benchmark::State& state)
{
    const KernelPathScope path(0);
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

void BM_ZQ6_Unmask_BaselineKernels(benchmark::State& state)
{
    const KernelPathScope path(0);
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

void BM_Silence_DragonflyHall(benchmark::State& state)
{
    runDragonflyHall(state, Input::silenceAfterTail);
}

void BM_Silence_ZQ6(benchmark::State& state)
{
    runZq6(state, {}, Input::silenceAfterTail);
}

double threadMicros() noexcept
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1.0e6 + static_cast<double>(now.tv_nsec) * 1.0e-3;
}

// Half a second of noise, then 30 s of silence timed block by block (thread CPU time, so that other
// processes on the machine do not count): once the tail has rung out and the engine sleeps, every
// idle block should cost the same. slow_blocks counts asleep blocks above 4 times their median.
void BM_ZQ6_IdleAfterBurst(benchmark::State& state)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const auto rate = static_cast<double>(state.range(0));
    const auto burst = makeNoise(rate);
    const auto silentBlocks = static_cast<int>(30.0 * rate) / blockSize;
    juce::AudioBuffer<float> block(2, blockSize);
    juce::MidiBuffer midi;
    std::vector<double> asleep;
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
        asleep.reserve(static_cast<size_t>(silentBlocks));
        state.ResumeTiming();
        for (int i = 0; i < silentBlocks; ++i)
        {
            block.clear();
            const auto wasAsleep = processor.getEngine().isSleeping();
            const auto begin = threadMicros();
            processor.processBlock(block, midi);
            const auto micros = threadMicros() - begin;
            benchmark::DoNotOptimize(block.getReadPointer(0));
            if (wasAsleep)
                asleep.push_back(micros);
        }
    }
    if (asleep.empty())
        return;
    auto sorted = asleep;
    std::sort(sorted.begin(), sorted.end());
    const auto median = sorted[sorted.size() / 2];
    state.counters["asleep_median_us"] = median;
    state.counters["asleep_worst_us"] = sorted.back();
    state.counters["slow_blocks"] = static_cast<double>(std::count_if(asleep.begin(), asleep.end(), [median](double us) { return us > 4.0 * median; }));
}

constexpr auto ms = benchmark::kMillisecond;
BENCHMARK(BM_Peer_DragonflyHall)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_Peer_JuceReverb)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_LateTail)->Args({ 48000, 0 })->Args({ 48000, 1 })->Unit(ms);
BENCHMARK(BM_TailLfoBank)->Arg(48000)->Unit(ms);
BENCHMARK(BM_RateConverter)->Args({ 96000, 2, 0 })->Args({ 96000, 2, 1 })->Args({ 192000, 4, 0 })->Args({ 192000, 4, 1 })->Unit(ms);
BENCHMARK(BM_ZQ6_Defaults)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_Defaults_BaselineKernels)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_WetEqAllBands)->Arg(48000)->Unit(ms);
BENCHMARK(BM_ZQ6_Unmask)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_Unmask_BaselineKernels)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_Shaping)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_UnmaskAndShaping)->Arg(48000)->Arg(96000)->Unit(ms);
BENCHMARK(BM_ZQ6_IdleAfterBurst)->Arg(48000)->Unit(ms)->Iterations(1);
BENCHMARK(BM_Silence_DragonflyHall)->Arg(48000)->Unit(ms);
BENCHMARK(BM_Silence_ZQ6)->Arg(48000)->Unit(ms);
} // namespace
