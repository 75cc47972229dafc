// Saving and loading the whole state, as a host does on every project save and load. A learned
// processor with both slots filled is the heavy case; the baseline is the parameter tree alone
// written through the framework's binary XML, which every JUCE plug-in pays.
#include "processor/ZQ6AudioProcessor.h"
#include "support/CraftedStates.h"
#include "support/StateBlocks.h"

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
// A crafted block must be refused, or loaded, in bounded time: the largest of each kind the reader
// is shielded from, and the costliest documents that still load (all the attributes, or all the
// elements and the length, that the limits allow).
juce::String craftedText(int kind, const juce::String& fresh)
{
    namespace crafted = zq6::test::crafted;
    switch (kind)
    {
        case 0: return crafted::inRoot(fresh, crafted::nested(30000));
        case 1: return crafted::onElement(fresh, "ZQ6LEARN", "base64:x=\"200000000.AAAA\"");
        case 2: return crafted::inRoot(fresh, juce::String::repeatedString(" ", 1 << 20));
        case 3: return crafted::inRoot(fresh, juce::String::repeatedString("<x" + crafted::attributes(250) + "/>", 64));
        default: return crafted::inRoot(fresh, juce::String::repeatedString("<x/>", 960) + juce::String::repeatedString(" ", 900000));
    }
}

void BM_LoadCraftedState(benchmark::State& state)
{
    auto processor = preparedProcessor();
    zq6::ZQ6AudioProcessor fresh;
    const auto freshText = zq6::test::textOf(zq6::test::saveOf(fresh));
    const auto block = zq6::test::headerWithText(craftedText(static_cast<int>(state.range(0)), freshText));
    for (auto _ : state)
        processor->setStateInformation(block.getData(), static_cast<int>(block.getSize()));
    static const char* const kinds[] = { "nested30000", "base64Huge", "overAMegabyte", "mostAttributesThatLoad", "mostElementsThatLoad" };
    state.SetLabel(kinds[state.range(0)]);
}
} // namespace

BENCHMARK(BM_LoadCraftedState)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_ParameterTreeOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadState)->Unit(benchmark::kMicrosecond);
