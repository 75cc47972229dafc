// Saving and loading the whole state, as a host does on every project save and load. A learned
// processor with both slots filled is the heavy case; the baseline is the parameter tree alone
// written through the framework's binary XML, which every JUCE plug-in pays.
#include "processor/ZQ6AudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
std::unique_ptr<zq6::ZQ6AudioProcessor> preparedProcessor()
{
    auto processor = std::make_unique<zq6::ZQ6AudioProcessor>();
    processor->setPlayConfigDetails(2, 2, 48000.0, 256);
    processor->prepareToPlay(48000.0, 256);
    processor->chooseCharacter(4);
    processor->switchSlot(1);
    processor->chooseSource(1, 0);
    return processor;
}

void BM_Baseline_ParameterTreeOnly(benchmark::State& state)
{
    auto processor = preparedProcessor();
    for (auto _ : state)
    {
        juce::MemoryBlock block;
        const auto xml = processor->getValueTreeState().copyState().createXml();
        juce::AudioProcessor::copyXmlToBinary(*xml, block);
        benchmark::DoNotOptimize(block.getData());
    }
}

void BM_SaveState(benchmark::State& state)
{
    auto processor = preparedProcessor();
    for (auto _ : state)
    {
        juce::MemoryBlock block;
        processor->getStateInformation(block);
        benchmark::DoNotOptimize(block.getData());
    }
}

void BM_LoadState(benchmark::State& state)
{
    auto processor = preparedProcessor();
    juce::MemoryBlock block;
    processor->getStateInformation(block);
    for (auto _ : state)
        processor->setStateInformation(block.getData(), static_cast<int>(block.getSize()));
}
} // namespace

BENCHMARK(BM_Baseline_ParameterTreeOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadState)->Unit(benchmark::kMicrosecond);
