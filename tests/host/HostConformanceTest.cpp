#include "HostState.h"
#include "HostedPlugin.h"
#include "support/AllocationGuard.h"
#include "support/CraftedStates.h"
#include "support/MessagePump.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <atomic>
#include <memory>
#include <set>
#include <thread>

namespace zq6::host
{
namespace
{
constexpr double rates[] = { 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 };

struct ParameterTexts
{
    const char* id;
    const char* atDefault;
    const char* atStart;
    const char* atEnd;
};

// What a host shows for every parameter at its default and at both ends of its range.
const ParameterTexts expectedTexts[] = {
    { "size", "50", "0", "100" },          { "decay", "2.00", "0.10", "20.00" },
    { "decay_beats", "4.00", "0.25", "32.00" }, { "decay_unit", "Seconds", "Seconds", "Beats" },
    { "predelay", "20", "0", "500" },     { "predelay_note", "1/8", "1/32", "1/2" },
    { "predelay_unit", "Ms", "Ms", "Note" }, { "attack", "0", "0", "250" },
    { "brightness", "50", "0", "100" },   { "lowcut", "100", "20", "1000" },
    { "width", "100", "0", "200" },       { "clean_unmask", "0", "0", "100" },
    { "clean_shaping", "0", "0", "100" }, { "delta_unmask", "Off", "Off", "On" },
    { "delta_shaping", "Off", "Off", "On" }, { "mix", "30", "0", "100" },
    { "output", "0.0", "-24.0", "12.0" }, { "bypass", "Off", "Off", "On" },
    { "decay_mult_low", "1.00", "0.25", "4.00" }, { "er_trim", "0.0", "-inf", "12.0" },
    { "motion", "30", "0", "100" },       { "diffusion", "70", "0", "100" },
    { "unmask_speed", "Med", "Fast", "Slow" }, { "shape_sibilance", "100", "0", "100" },
    { "shape_breath", "100", "0", "100" }, { "shape_attack", "100", "0", "100" },
    { "eq1_type", "Low Shelf", "Low Shelf", "Bell" }, { "eq1_freq", "180", "20", "20000" },
    { "eq1_gain", "0.0", "-12.0", "12.0" }, { "eq1_q", "0.71", "0.30", "8.00" },
    { "eq2_type", "Bell", "Bell", "Low Shelf" }, { "eq2_freq", "400", "20", "20000" },
    { "eq2_gain", "0.0", "-12.0", "12.0" }, { "eq2_q", "1.00", "0.30", "8.00" },
    { "eq3_type", "Bell", "Bell", "High Shelf" }, { "eq3_freq", "3000", "20", "20000" },
    { "eq3_gain", "0.0", "-12.0", "12.0" }, { "eq3_q", "1.00", "0.30", "8.00" },
    { "eq4_type", "High Shelf", "High Shelf", "Bell" }, { "eq4_freq", "8000", "20", "20000" },
    { "eq4_gain", "0.0", "-12.0", "12.0" }, { "eq4_q", "0.71", "0.30", "8.00" },
    { "eq_lp", "Off", "1000", "Off" },
};

juce::String idOf(juce::AudioProcessorParameter* p)
{
    if (auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*>(p))
        return hosted->getParameterID();
    return {};
}

juce::AudioBuffer<float> noise(int channels, int samples, int seed)
{
    juce::Random random(seed);
    juce::AudioBuffer<float> b(channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < samples; ++i)
            b.setSample(c, i, (random.nextFloat() * 2.0f - 1.0f) * 0.5f);
    return b;
}

// Finite, no subnormals, and below a sane bound.
::testing::AssertionResult healthy(const juce::AudioBuffer<float>& b, int n, float bound = 64.0f)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
        for (int i = 0; i < n; ++i)
        {
            const auto v = b.getSample(c, i);
            if (!std::isfinite(v) || std::fpclassify(v) == FP_SUBNORMAL || std::abs(v) > bound)
                return ::testing::AssertionFailure() << "sample " << i << " of channel " << c << " is " << v;
        }
    return ::testing::AssertionSuccess();
}

// Loads an instance; allocation guards from now on count only what the plug-in's own code allocates.
std::unique_ptr<juce::AudioPluginInstance> load(Format format, double rate, int blockSize)
{
    auto plugin = HostedPlugin::create(format, rate, blockSize);
    test::AllocationGuard::countOnlyFromModuleOf(HostedPlugin::addressInLoadedModule(format));
    return plugin;
}

// Hosts learn of a latency change through the message thread (VST3) or a latency port written
// while processing (LV2).
void settle(juce::AudioPluginInstance& plugin, int blockSize)
{
    juce::AudioBuffer<float> silence(2, blockSize);
    silence.clear();
    juce::MidiBuffer midi;
    plugin.processBlock(silence, midi);
    juce::MessageManager::getInstance()->runDispatchLoopUntil(50);
}

// JUCE 7.0.5's VST3 client wrapper copies a channel mapping (a small vector) on every process call
// before it reaches the processor; the processor itself allocates nothing (the in-process suite
// proves that for every block). LV2's wrapper allocates nothing.
std::int64_t wrapperAllocationsPerCall(Format format)
{
    return format == Format::vst3 ? 1 : 0;
}

// Runs the whole buffer through the plug-in in place, in blocks of `block` (the last may be shorter).
void processInBlocks(juce::AudioPluginInstance& plugin, juce::AudioBuffer<float>& audio, int block)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < audio.getNumSamples(); start += block)
    {
        juce::AudioBuffer<float> view(audio.getArrayOfWritePointers(), audio.getNumChannels(), start,
                                      std::min(block, audio.getNumSamples() - start));
        plugin.processBlock(view, midi);
    }
}

// JUCE 7.0.5's VST3 host window answers an X resize event with an async call on itself; closing
// it while such a call is queued runs the call on freed memory. So the resizes settle, and the
// queue is run down to a call posted after them, before a window closes.
void settleBeforeClosing()
{
    test::pumpMessages(200);
    const auto reached = std::make_shared<bool>(false);
    juce::MessageManager::callAsync([reached] { *reached = true; });
    EXPECT_TRUE(test::pumpMessagesUntil([reached] { return *reached; }));
}

class Hosted : public testing::TestWithParam<Format>
{
};

std::string formatLabel(const testing::TestParamInfo<Format>& info)
{
    return formatName(info.param);
}
} // namespace

// The plug-in's own parameters, each beside its row of the expected texts. VST3 lists them in
// table order under numeric ids; LV2 lists them by URI and adds the host's "enabled" port.
std::vector<std::pair<const ParameterTexts*, juce::AudioProcessorParameter*>> ownParameters(juce::AudioPluginInstance& plugin,
                                                                                              Format format)
{
    std::vector<std::pair<const ParameterTexts*, juce::AudioProcessorParameter*>> result;
    const auto& params = plugin.getParameters();
    if (format == Format::vst3)
    {
        for (int i = 0; i < params.size() && i < 43; ++i)
            result.emplace_back(&expectedTexts[i], params[i]);
        return result;
    }
    for (const auto& row : expectedTexts)
        for (auto* p : params)
            if (idOf(p).endsWith(juce::String(":") + row.id))
                result.emplace_back(&row, p);
    return result;
}

TEST_P(Hosted, IdentityAndParameters)
{
    const auto description = HostedPlugin::describe(GetParam());
    EXPECT_EQ(description.name, "ZQ-6");
    EXPECT_EQ(description.manufacturerName, "Quil Audio");
    if (GetParam() == Format::vst3)
        EXPECT_EQ(description.version, "1.0.0"); // JUCE's LV2 host leaves the version empty
    if (GetParam() == Format::vst3)
        EXPECT_TRUE(description.category.contains("Reverb")) << description.category;
    EXPECT_FALSE(description.isInstrument);

    auto plugin = load(GetParam(), 48000.0, 512);
    ASSERT_NE(plugin, nullptr);
    const auto extra = GetParam() == Format::lv2 ? 1 : 0;
    EXPECT_EQ(plugin->getParameters().size(), 43 + extra);
    std::set<juce::String> ids;
    for (auto* p : plugin->getParameters())
        ids.insert(idOf(p));
    EXPECT_EQ(ids.size(), static_cast<size_t>(plugin->getParameters().size())) << "ids are unique";

    const auto own = ownParameters(*plugin, GetParam());
    ASSERT_EQ(own.size(), 43u);
    for (const auto& [expected, p] : own)
    {
        SCOPED_TRACE(expected->id);
        EXPECT_FALSE(p->getName(64).isEmpty());
        EXPECT_GE(p->getDefaultValue(), 0.0f);
        EXPECT_LE(p->getDefaultValue(), 1.0f);
        if (GetParam() == Format::lv2)
            continue; // LV2 carries plain values without the plug-in's texts
        EXPECT_EQ(p->getText(p->getDefaultValue(), 64), expected->atDefault);
        EXPECT_EQ(p->getText(0.0f, 64), expected->atStart);
        EXPECT_EQ(p->getText(1.0f, 64), expected->atEnd);
    }
    ASSERT_NE(plugin->getBypassParameter(), nullptr) << "exactly one parameter is the host's bypass";
}

TEST_P(Hosted, LatencyAndTailByRateWithoutTheEditor)
{
    for (const auto rate : rates)
    {
        auto plugin = load(GetParam(), rate, 512);
        ASSERT_NE(plugin, nullptr);
        plugin->prepareToPlay(rate, 512);
        settle(*plugin, 512);
        const auto latency = rate <= 50000.0 ? 1024 : rate <= 100000.0 ? 2048 : 4096;
        EXPECT_EQ(plugin->getLatencySamples(), latency) << rate;
        if (GetParam() == Format::vst3) // LV2 has no tail length
            EXPECT_NEAR(plugin->getTailLengthSeconds(), latency / rate + 80.75, 1e-3) << rate;
        plugin->releaseResources();
    }
}

// Noise through every rate and block size, with a block larger than prepared and varying blocks,
// in stereo and mono; no heap allocation inside processBlock.
TEST_P(Hosted, ProcessesEveryRateAndBlockSize)
{
    const int blockSizes[] = { 1, 32, 64, 256, 511, 1024, 4096 };
    for (const auto rate : rates)
        for (const auto block : blockSizes)
        {
            auto plugin = load(GetParam(), rate, block);
            ASSERT_NE(plugin, nullptr);
            plugin->getParameters()[0]->setValue(plugin->getParameters()[0]->getValue());
            plugin->prepareToPlay(rate, block);
            juce::MidiBuffer midi;
            auto audio = noise(2, std::max(block * 4, static_cast<int>(rate / 4)), block);
            std::int64_t allocations = 0, calls = 0;
            for (int start = 0; start + block <= audio.getNumSamples(); start += block, ++calls)
            {
                juce::AudioBuffer<float> view(audio.getArrayOfWritePointers(), 2, start, block);
                const test::AllocationGuard guard;
                plugin->processBlock(view, midi);
                allocations += guard.allocations();
                ASSERT_TRUE(healthy(view, block)) << rate << " Hz, block " << block;
            }
            EXPECT_LE(allocations, calls * wrapperAllocationsPerCall(GetParam())) << rate << " Hz, block " << block;
            plugin->releaseResources();
        }
}

TEST_P(Hosted, VaryingAndOversizedBlocksAndMono)
{
    for (const auto channels : { 2, 1 })
    {
        auto plugin = load(GetParam(), 48000.0, 256);
        ASSERT_NE(plugin, nullptr);
        if (channels == 1)
        {
            juce::AudioProcessor::BusesLayout mono;
            mono.inputBuses.add(juce::AudioChannelSet::mono());
            mono.outputBuses.add(juce::AudioChannelSet::mono());
            if (!plugin->setBusesLayout(mono))
                continue; // a format without mono support is covered by the stereo pass
        }
        plugin->prepareToPlay(48000.0, 256);
        juce::MidiBuffer midi;
        auto audio = noise(channels, 48000, 3);
        juce::Random random(11);
        for (int start = 0; start < audio.getNumSamples();)
        {
            // VST3 forbids blocks above the prepared size (JUCE's VST3 wrapper sizes its buffers by
            // it); the other formats also get blocks up to 700 samples against a prepared 256.
            const auto largest = GetParam() == Format::vst3 ? 256 : 700;
            const auto n = std::min(audio.getNumSamples() - start, 1 + random.nextInt(largest));
            juce::AudioBuffer<float> view(audio.getArrayOfWritePointers(), channels, start, n);
            plugin->processBlock(view, midi);
            ASSERT_TRUE(healthy(view, n));
            start += n;
        }
    }
}

TEST_P(Hosted, SurvivesAutomationOfEveryParameter)
{
    auto plugin = load(GetParam(), 48000.0, 32);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(48000.0, 32);
    juce::MidiBuffer midi;
    juce::Random random(99);
    auto audio = noise(2, 48000 * 2, 5);
    const auto& params = plugin->getParameters();
    std::int64_t allocations = 0, calls = 0;
    for (int start = 0; start + 32 <= audio.getNumSamples(); start += 32, ++calls)
    {
        for (auto* p : params)
            if (idOf(p) != "bypass")
                p->setValue(random.nextFloat());
        juce::AudioBuffer<float> view(audio.getArrayOfWritePointers(), 2, start, 32);
        const test::AllocationGuard guard;
        plugin->processBlock(view, midi);
        allocations += guard.allocations();
        ASSERT_TRUE(healthy(view, 32, 200.0f)) << "at " << start;
    }
    EXPECT_LE(allocations, calls * wrapperAllocationsPerCall(GetParam()));
}

TEST_P(Hosted, StateRoundTripsAndRejectsDamage)
{
    auto plugin = load(GetParam(), 48000.0, 512);
    ASSERT_NE(plugin, nullptr);
    auto& params = plugin->getParameters();
    plugin->prepareToPlay(48000.0, 512);
    params[0]->setValue(0.8f);
    params[1]->setValue(0.3f);
    settle(*plugin, 512); // LV2 hands parameter changes over while processing
    juce::MemoryBlock saved;
    plugin->getStateInformation(saved);
    std::vector<float> before;
    for (auto* p : params)
        before.push_back(p->getValue());

    params[0]->setValue(0.1f);
    params[1]->setValue(0.9f);
    settle(*plugin, 512);
    plugin->setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    settle(*plugin, 512);
    for (int i = 0; i < params.size(); ++i)
        EXPECT_NEAR(params[i]->getValue(), before[static_cast<size_t>(i)], 1e-6f) << idOf(params[i]);
    juce::MemoryBlock again;
    plugin->getStateInformation(again);
    EXPECT_EQ(again, saved);

    auto fresh = load(GetParam(), 48000.0, 512);
    fresh->prepareToPlay(48000.0, 512);
    fresh->setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    settle(*fresh, 512);
    for (int i = 0; i < params.size(); ++i)
        EXPECT_NEAR(fresh->getParameters()[i]->getValue(), before[static_cast<size_t>(i)], 1e-6f);

    juce::Random random(4);
    juce::MemoryBlock junk(300);
    for (size_t i = 0; i < junk.getSize(); ++i)
        junk[i] = static_cast<char>(random.nextInt(256));
    for (const auto& damaged : { junk, juce::MemoryBlock(saved.getData(), saved.getSize() / 2) })
    {
        plugin->setStateInformation(damaged.getData(), static_cast<int>(damaged.getSize()));
        juce::MemoryBlock after;
        plugin->getStateInformation(after);
        EXPECT_EQ(after, saved);
    }
}

// Project files carry the block to the plug-in through each format's wrapper; a crafted one that
// once crashed the process or made it allocate hundreds of megabytes changes nothing.
TEST_P(Hosted, CraftedStatesInAProjectChangeNothing)
{
    auto plugin = load(GetParam(), 48000.0, 512);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(48000.0, 512);
    plugin->getParameters()[0]->setValue(0.8f);
    settle(*plugin, 512);
    juce::MemoryBlock saved;
    plugin->getStateInformation(saved);
    const auto pluginBlock = HostState::pluginBlockOf(saved, GetParam());
    ASSERT_GT(pluginBlock.getSize(), 8u);
    const auto document = juce::String::fromUTF8(static_cast<const char*>(pluginBlock.getData()) + 8);

    for (const auto& [name, text] : test::crafted::hostileDocuments(document))
    {
        SCOPED_TRACE(name);
        juce::MemoryOutputStream block;
        block.write("VC2!", 4);
        block.writeInt(static_cast<int>(text.getNumBytesAsUTF8() + 1));
        block.write(text.toRawUTF8(), text.getNumBytesAsUTF8() + 1);
        const auto crafted = HostState::withPluginBlock(saved, GetParam(), block.getMemoryBlock());
        ASSERT_GT(crafted.getSize(), 0u);
        plugin->setStateInformation(crafted.getData(), static_cast<int>(crafted.getSize()));
        settle(*plugin, 512);
        juce::MemoryBlock after;
        plugin->getStateInformation(after);
        EXPECT_EQ(after, saved);
    }
}

// As pluginval --randomise does: random values, a saved state restored, the values read back, here
// for several rounds of random values on an instance showing another one's state. A host may
// write any normalised value to a switch; it reads back exactly 0 or 1. Values travel to an LV2
// host only while the plug-in runs, so a block runs after every change, as in a host that plays.
TEST_P(Hosted, ARestoredStateReplacesRandomValuesAsTheHostReadsThem)
{
    const auto format = GetParam();
    juce::Random random(23);
    const auto randomise = [&random](juce::AudioPluginInstance& plugin, Format f) {
        for (const auto& [row, p] : ownParameters(plugin, f))
            if (juce::String(row->id) != "bypass")
                p->setValue(random.nextFloat());
        settle(plugin, 512);
    };

    auto source = load(format, 48000.0, 512);
    ASSERT_NE(source, nullptr);
    source->prepareToPlay(48000.0, 512);
    randomise(*source, format);
    juce::MemoryBlock saved;
    source->getStateInformation(saved);

    auto plugin = load(format, 48000.0, 512);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(48000.0, 512);
    plugin->setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    settle(*plugin, 512);
    std::vector<float> restored;
    for (const auto& [row, p] : ownParameters(*plugin, format))
    {
        restored.push_back(p->getValue());
        if (p->isBoolean())
            EXPECT_TRUE(p->getValue() == 0.0f || p->getValue() == 1.0f) << row->id << " reads " << p->getValue();
    }

    for (int round = 0; round < 4; ++round)
    {
        randomise(*plugin, format);
        plugin->setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
        settle(*plugin, 512);
        size_t i = 0;
        for (const auto& [row, p] : ownParameters(*plugin, format))
            EXPECT_EQ(p->getValue(), restored[i++]) << row->id << ", round " << round;
    }
}

// A host switching between saved states between blocks changes the reverb's Character (Auto, then
// the fourth choice); the plug-in follows without allocating while it processes.
TEST_P(Hosted, StateLoadsBetweenBlocksSwitchTheCharacterWithoutAllocating)
{
    auto plugin = load(GetParam(), 48000.0, 256);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(48000.0, 256);
    settle(*plugin, 256);
    juce::MemoryBlock automatic;
    plugin->getStateInformation(automatic);
    const auto chosen = HostState::withCharacterChoice(automatic, GetParam(), 4);
    ASSERT_FALSE(chosen.isEmpty());

    const auto input = noise(2, 256 * 40, 17);
    const auto renderAfterLoading = [&](const juce::MemoryBlock& state) {
        auto fresh = load(GetParam(), 48000.0, 256);
        fresh->prepareToPlay(48000.0, 256);
        fresh->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
        settle(*fresh, 256);
        auto output = input;
        processInBlocks(*fresh, output, 256);
        return output;
    };
    auto difference = renderAfterLoading(automatic);
    difference.addFrom(0, 0, renderAfterLoading(chosen), 0, 0, input.getNumSamples(), -1.0f);
    EXPECT_GT(difference.getRMSLevel(0, 0, input.getNumSamples()), 1.0e-3f) << "the edited state changes the sound";

    auto audio = noise(2, 256 * 4, 18);
    juce::MidiBuffer midi;
    std::int64_t allocations = 0, calls = 0;
    for (int round = 0; round < 8; ++round)
    {
        const auto& state = round % 2 == 0 ? chosen : automatic;
        plugin->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
        for (int start = 0; start < audio.getNumSamples(); start += 256, ++calls)
        {
            juce::AudioBuffer<float> view(audio.getArrayOfWritePointers(), 2, start, 256);
            const test::AllocationGuard guard;
            plugin->processBlock(view, midi);
            allocations += guard.allocations();
            ASSERT_TRUE(healthy(view, 256));
        }
    }
    EXPECT_LE(allocations, calls * wrapperAllocationsPerCall(GetParam()));
}

// With mix 0 the host gets its input back delayed by exactly the latency it was told.
TEST_P(Hosted, PassesTheDelayedDrySignal)
{
    auto plugin = load(GetParam(), 48000.0, 256);
    ASSERT_NE(plugin, nullptr);
    for (auto* p : plugin->getParameters())
        if (p->getName(64) == "Mix")
            p->setValue(0.0f);
    plugin->prepareToPlay(48000.0, 256);
    settle(*plugin, 256);
    const auto latency = plugin->getLatencySamples();
    ASSERT_EQ(latency, 1024);

    const auto input = noise(2, 256 * 190, 21);
    auto output = input;
    processInBlocks(*plugin, output, 256);
    float worst = 0.0f;
    for (int c = 0; c < 2; ++c)
        for (int i = 24000; i < output.getNumSamples(); ++i)
            worst = std::max(worst, std::abs(output.getSample(c, i) - input.getSample(c, i - latency)));
    EXPECT_LT(worst, 1.0e-6f);
}

// The editor as a host shows it: opened, resized through its range, fed parameter changes while it
// refreshes, closed and opened again.
TEST_P(Hosted, EditorOpensResizesAndCloses)
{
    auto plugin = load(GetParam(), 48000.0, 256);
    ASSERT_NE(plugin, nullptr);
    juce::Random random(3);
    for (int round = 0; round < 2; ++round)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor(plugin->createEditorIfNeeded());
        ASSERT_NE(editor, nullptr);
        editor->addToDesktop(0);
        editor->setVisible(true);
        for (const auto width : { 896, 1120, 1280 })
        {
            editor->setSize(width, width * 9 / 16);
            const auto end = juce::Time::getMillisecondCounter() + 350;
            while (juce::Time::getMillisecondCounter() < end)
            {
                for (auto* p : plugin->getParameters())
                    p->setValueNotifyingHost(random.nextFloat());
                juce::MessageManager::getInstance()->runDispatchLoopUntil(20);
            }
        }
        settleBeforeClosing();
        plugin->editorBeingDeleted(editor.get());
        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil(50);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Hosted, testing::Values(Format::vst3, Format::lv2), formatLabel);
} // namespace zq6::host

namespace zq6::host
{
// Parameters read and written from a second thread while the audio thread processes and the
// message thread saves the state. Run under ThreadSanitizer (the tsan preset) to prove it race-free.
TEST_P(Hosted, ParametersAndStateFromOtherThreadsWhileProcessing)
{
    auto plugin = load(GetParam(), 48000.0, 128);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(48000.0, 128);
    std::atomic<bool> running { true };

    std::thread audio([&] {
        juce::MidiBuffer midi;
        auto block = noise(2, 128, 8);
        while (running.load())
            plugin->processBlock(block, midi);
    });
    std::atomic<bool> automationStopped { false };
    std::thread automation([&] {
        juce::Random random(12);
        while (running.load())
            for (auto* p : plugin->getParameters())
            {
                p->setValue(random.nextFloat());
                juce::ignoreUnused(p->getValue(), p->getText(p->getValue(), 16));
            }
        automationStopped.store(true);
    });

    // The message thread keeps its loop running: JUCE's VST3 host takes the message-manager lock
    // to read a parameter's text.
    for (int i = 0; i < 50; ++i)
    {
        juce::MemoryBlock state;
        plugin->getStateInformation(state);
        EXPECT_GT(state.getSize(), 0u);
        test::pumpMessages(5);
    }
    running.store(false);
    EXPECT_TRUE(test::pumpMessagesUntil([&automationStopped] { return automationStopped.load(); }));
    audio.join();
    automation.join();
}
} // namespace zq6::host

namespace zq6::host
{
// A host outside JUCE (a plain lilv host with the features common hosts give) renders a file
// through the LV2 bundle, sample for sample as JUCE's LV2 host does with the same blocks.
TEST(LilvHost, RendersAFileAsJuceHostsDo)
{
    constexpr double rate = 48000.0;
    constexpr int block = 512;
    const test::TempFolder folder;
    const auto input = noise(2, static_cast<int>(rate) * 2, 23);
    const auto in = folder.file("in.wav"), out = folder.file("out.wav");
    test::writeWav(in, input, rate, 32);

    // The lilv host finds bundles on LV2_PATH, as lv2apply does; the child inherits it.
    setenv("LV2_PATH", juce::File(ZQ6_LV2_PATH).getParentDirectory().getFullPathName().toRawUTF8(), 1);
    juce::ChildProcess apply;
    ASSERT_TRUE(apply.start(juce::StringArray { ZQ6_LV2_APPLY_PATH, "-i", in.getFullPathName(), "-o",
                                                out.getFullPathName(), "-b", juce::String(block),
                                                "https://quilaudio.com/plugins/zq6" }));
    const auto messages = apply.readAllProcessOutput();
    ASSERT_EQ(apply.getExitCode(), 0u) << messages;
    const auto rendered = test::readWav(out);
    ASSERT_EQ(rendered.getNumChannels(), 2);
    ASSERT_EQ(rendered.getNumSamples(), input.getNumSamples());
    EXPECT_TRUE(healthy(rendered, rendered.getNumSamples()));
    EXPECT_GT(rendered.getRMSLevel(0, 24000, 24000), 0.01f);

    auto plugin = load(Format::lv2, rate, block);
    ASSERT_NE(plugin, nullptr);
    plugin->prepareToPlay(rate, block);
    auto expected = input;
    processInBlocks(*plugin, expected, block);
    float worst = 0.0f;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < expected.getNumSamples(); ++i)
            worst = std::max(worst, std::abs(rendered.getSample(c, i) - expected.getSample(c, i)));
    EXPECT_LT(worst, 1.0e-6f);
}
} // namespace zq6::host
