#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/CraftedStates.h"
#include "support/StateBlocks.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
struct Run
{
    int exitCode;
    juce::String output;
};

Run render(juce::StringArray args)
{
    args.insert(0, ZQ6_RENDER_PATH);
    juce::ChildProcess process;
    if (!process.start(args, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return { -1, "could not start" };
    auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish(60000);
    return { static_cast<int>(process.getExitCode()), output };
}

struct BadCase
{
    const char* name;
    std::vector<const char*> args; // "OUT" is replaced by the output path
    const char* mentions;
};

class BadInput : public testing::TestWithParam<BadCase>
{
};
} // namespace

TEST_P(BadInput, ExitsWithTwoAndWritesNothing)
{
    const auto c = GetParam();
    TempFolder folder;
    const auto out = folder.file("out.wav");
    juce::StringArray args;
    for (auto* a : c.args)
        args.add(juce::String(a) == "OUT" ? out.getFullPathName() : juce::String(a));
    const auto run = render(args);
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_EQ(run.output.trim().indexOfChar('\n'), -1) << "one line: " << run.output;
    EXPECT_TRUE(run.output.contains(c.mentions)) << run.output;
    EXPECT_FALSE(out.exists());
    EXPECT_EQ(folder.dir.getNumberOfChildFiles(juce::File::findFilesAndDirectories), 0) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    testing::Values(BadCase { "unknownId", { "--set", "nosuch=1", "OUT" }, "nosuch" },
                    BadCase { "knobTitleAsId", { "--set", "low_decay=2", "OUT" }, "closest: decay_mult_low" },
                    BadCase { "nameAsId", { "--set", "er_level=0", "OUT" }, "closest: er_trim" },
                    BadCase { "unparsedNumber", { "--set", "decay=abc", "OUT" }, "decay" },
                    BadCase { "unknownChoice", { "--set", "decay_unit=Weeks", "OUT" }, "Seconds" },
                    BadCase { "badSwitch", { "--set", "bypass=maybe", "OUT" }, "bypass" },
                    BadCase { "missingEquals", { "--set", "decay", "OUT" }, "id=value" },
                    BadCase { "unreadableInput", { "/nonexistent/in.wav", "OUT" }, "/nonexistent/in.wav" },
                    BadCase { "unwritableOutput", { "/nonexistent/dir/out.wav" }, "/nonexistent/dir" },
                    BadCase { "unknownOption", { "--bogus", "OUT" }, "--bogus" },
                    BadCase { "badTail", { "--tail", "-3", "OUT" }, "--tail" },
                    BadCase { "unknownSource", { "--source", "Drums/Cowbell", "OUT" }, "Drums/Snare" },
                    BadCase { "sourceWithoutGroup", { "--source", "Snare", "OUT" }, "Bus / Send/Drum Bus" },
                    BadCase { "unknownCharacter", { "--character", "Cave", "OUT" }, "Auto, Room, Hall, Chamber, Plate" },
                    BadCase { "unreadableState", { "--state", "/nonexistent/a.zq6state", "OUT" }, "/nonexistent/a.zq6state" },
                    BadCase { "stateWithoutFile", { "OUT", "--state" }, "--state" },
                    BadCase { "stateSavedIntoNoFolder", { "--save-state", "/nonexistent/dir/a.zq6state", "OUT" }, "/nonexistent/dir" }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(RenderTool, ListsTheSourcesByGroup)
{
    const auto run = render({ "--list-sources" });
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto lines = juce::StringArray::fromLines(run.output.trim());
    ASSERT_EQ(lines.size(), 7 + 19);
    EXPECT_EQ(lines[0], "Universal");
    EXPECT_EQ(lines[1], "  Universal/Natural");
    EXPECT_TRUE(lines.contains("Strings / Pad"));
    EXPECT_TRUE(lines.contains("  Drums/Kick-Tom"));
    EXPECT_EQ(lines[lines.size() - 1], "  Bus / Send/Drum Bus");
}

// Names are matched case-insensitively, with or without spaces around a group's slash.
TEST(RenderTool, AppliesTheNamedSourceAndCharacter)
{
    TempFolder folder;
    const auto renderWith = [&folder](const char* file, juce::StringArray choice)
    {
        const auto out = folder.file(file);
        choice.addArray({ out.getFullPathName(), "--quiet", "--tail", "0.5" });
        EXPECT_EQ(render(choice).exitCode, 0);
        juce::MemoryBlock data;
        out.loadFileAsData(data);
        return data;
    };
    const auto pad = renderWith("pad.wav", { "--source", "Strings / Pad/Pad", "--character", "Hall" });
    EXPECT_EQ(renderWith("pad2.wav", { "--source", "strings/pad/PAD", "--character", "hall" }), pad);
    EXPECT_NE(renderWith("snare.wav", { "--source", "Drums/Snare", "--character", "Hall" }), pad);
    EXPECT_NE(renderWith("padRoom.wav", { "--source", "Strings / Pad/Pad", "--character", "Room" }), pad);
}

TEST(RenderTool, RendersTheDemoAt48kHzStereo)
{
    TempFolder folder;
    const auto out = folder.file("demo.wav");
    const auto run = render({ out.getFullPathName(), "--quiet", "--set", "eq_lp=Off", "--set", "er_trim=-inf",
                              "--set", "decay_unit=Beats", "--set", "decay=3.5" });
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto reader = openWav(out);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->sampleRate, 48000.0);
    EXPECT_EQ(reader->numChannels, 2u);
    EXPECT_GE(reader->lengthInSamples, 6 * 48000);
}

// The demo is synthesised anew on every run and comes out the same each time, without clipping.
TEST(RenderTool, TheDemoIsTheSameOnEveryRunAndDoesNotClip)
{
    TempFolder folder;
    const auto first = folder.file("first.wav");
    const auto second = folder.file("second.wav");
    for (const auto& file : { first, second })
        ASSERT_EQ(render({ file.getFullPathName(), "--quiet", "--set", "mix=0", "--tail", "0" }).exitCode, 0);
    juce::MemoryBlock a, b;
    ASSERT_TRUE(first.loadFileAsData(a));
    ASSERT_TRUE(second.loadFileAsData(b));
    EXPECT_EQ(a, b);
    const auto dry = readWav(first);
    const auto peak = std::max(dry.getMagnitude(0, 0, dry.getNumSamples()), dry.getMagnitude(1, 0, dry.getNumSamples()));
    EXPECT_GT(peak, 0.5f);
    EXPECT_LT(peak, 0.99f);
}

// A single file argument is where the demo goes; an existing file there is most likely an input
// whose output name was forgotten, so it is kept unless --overwrite says otherwise.
TEST(RenderTool, ASingleExistingFileIsKeptUnlessOverwriteIsGiven)
{
    TempFolder folder;
    const auto vocal = folder.file("vocal.wav");
    juce::AudioBuffer<float> audio(1, 8000);
    audio.clear();
    audio.setSample(0, 100, 0.5f);
    writeWav(vocal, audio, 8000.0, 16);
    juce::MemoryBlock before;
    ASSERT_TRUE(vocal.loadFileAsData(before));

    const auto refused = render({ vocal.getFullPathName(), "--quiet" });
    EXPECT_EQ(refused.exitCode, 2) << refused.output;
    EXPECT_TRUE(refused.output.contains("--overwrite")) << refused.output;
    juce::MemoryBlock after;
    ASSERT_TRUE(vocal.loadFileAsData(after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(folder.dir.getNumberOfChildFiles(juce::File::findFilesAndDirectories), 1);

    for (int run = 0; run < 2; ++run)
        ASSERT_EQ(render({ vocal.getFullPathName(), "--overwrite", "--quiet", "--tail", "0" }).exitCode, 0);
    const auto reader = openWav(vocal);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->sampleRate, 48000.0);
}

TEST(RenderTool, HelpAndVersionExitWithZero)
{
    for (const auto* option : { "--help", "-h" })
    {
        const auto run = render({ option });
        EXPECT_EQ(run.exitCode, 0) << option;
        EXPECT_TRUE(run.output.contains("--list-params")) << run.output;
        EXPECT_TRUE(run.output.contains("--overwrite")) << run.output;
    }
    const auto version = render({ "--version" });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.trim(), "zq6-render 1.0.0");
}

TEST(RenderTool, ListsEveryParameterWithItsValuesAndDefault)
{
    const auto run = render({ "--list-params" });
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto lines = juce::StringArray::fromLines(run.output.trim());
    ASSERT_EQ(lines.size(), 1 + 43);
    const auto line = [&lines](const char* id) {
        for (const auto& l : lines)
            if (l.upToFirstOccurrenceOf(" ", false, false) == id)
                return l;
        return juce::String();
    };
    EXPECT_TRUE(line("er_trim").contains("ER Level")) << line("er_trim");
    EXPECT_TRUE(line("er_trim").contains("-48 to 12 dB")) << line("er_trim");
    EXPECT_TRUE(line("decay_mult_low").contains("0.25 to 4 x")) << line("decay_mult_low");
    EXPECT_TRUE(line("decay_unit").contains("Seconds, Beats")) << line("decay_unit");
    EXPECT_TRUE(line("decay_unit").endsWith("Seconds")) << line("decay_unit");
    EXPECT_TRUE(line("delta_unmask").contains("off, on")) << line("delta_unmask");
    EXPECT_TRUE(line("mix").endsWith("0.3")) << line("mix");
}

// A value outside its parameter's range is limited to it, and stderr says what was used.
TEST(RenderTool, NamesTheValueUsedForOneOutsideTheRange)
{
    TempFolder folder;
    const auto out = folder.file("out.wav");
    const auto stateFile = folder.file("clamped.zq6state");
    const auto run = render({ out.getFullPathName(), "--quiet", "--tail", "0", "--set", "decay=1e30", "--set",
                              "lowcut=2k", "--set", "mix=0.5", "--save-state", stateFile.getFullPathName() });
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.output.contains("decay=1e30 is outside 0.1 to 20; used 20")) << run.output;
    EXPECT_TRUE(run.output.contains("lowcut=2k is outside 20 to 1000; used 1000")) << run.output;
    EXPECT_FALSE(run.output.contains("mix")) << run.output;

    juce::MemoryBlock saved;
    ASSERT_TRUE(stateFile.loadFileAsData(saved));
    ZQ6AudioProcessor plugin;
    ASSERT_TRUE(plugin.restoreState(saved.getData(), static_cast<int>(saved.getSize())));
    EXPECT_FLOAT_EQ(plugin.getValueTreeState().getRawParameterValue(pid::decay)->load(), 20.0f);
}

// With mix 0 and no tail the output is the input itself: the latency is removed and the format kept.
TEST(RenderTool, KeepsRateDepthAndAlignment)
{
    struct Format
    {
        double rate;
        int bits;
        int channels;
    };
    for (const auto format : { Format { 44100.0, 16, 1 }, Format { 96000.0, 24, 2 }, Format { 48000.0, 32, 2 } })
    {
        TempFolder folder;
        juce::Random random(5);
        juce::AudioBuffer<float> audio(format.channels, 20000);
        for (int c = 0; c < format.channels; ++c)
            for (int i = 0; i < audio.getNumSamples(); ++i)
                audio.setSample(c, i, std::round((random.nextFloat() - 0.5f) * 0.5f * 32767.0f) / 32767.0f);
        const auto in = folder.file("in.wav");
        const auto out = folder.file("out.wav");
        writeWav(in, audio, format.rate, format.bits);

        const auto run = render({ in.getFullPathName(), out.getFullPathName(), "--set", "mix=0", "--tail", "0", "--quiet" });
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const auto reader = openWav(out);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->sampleRate, format.rate);
        EXPECT_EQ(static_cast<int>(reader->bitsPerSample), format.bits);
        EXPECT_EQ(reader->usesFloatingPointData, format.bits == 32);
        ASSERT_EQ(reader->lengthInSamples, audio.getNumSamples());
        juce::AudioBuffer<float> rendered(format.channels, audio.getNumSamples());
        reader->read(&rendered, 0, audio.getNumSamples(), 0, true, true);
        for (int c = 0; c < format.channels; ++c)
            for (int i = 0; i < audio.getNumSamples(); ++i)
                ASSERT_NEAR(rendered.getSample(c, i), audio.getSample(c, i), 1.0e-4f) << format.rate << " Hz, sample " << i;
    }
}
// Percentages take fractions, as every parameter takes its own units, or a number with "%".
TEST(RenderTool, PercentagesTakeFractionsOrPercentTexts)
{
    TempFolder folder;
    const auto a = folder.file("a.wav");
    const auto b = folder.file("b.wav");
    ASSERT_EQ(render({ a.getFullPathName(), "--quiet", "--set", "mix=1", "--tail", "0.5" }).exitCode, 0);
    ASSERT_EQ(render({ b.getFullPathName(), "--quiet", "--set", "mix=100%", "--tail", "0.5" }).exitCode, 0);
    juce::MemoryBlock first, second;
    ASSERT_TRUE(a.loadFileAsData(first));
    ASSERT_TRUE(b.loadFileAsData(second));
    EXPECT_EQ(first, second);
}
namespace
{
// Snare-like noise bursts four times a second over a low tone: material Learn can finish on.
juce::AudioBuffer<float> learnableMaterial(double seconds)
{
    const auto rate = 48000.0;
    juce::AudioBuffer<float> audio(2, static_cast<int>(seconds * rate));
    juce::Random random(17);
    for (int i = 0; i < audio.getNumSamples(); ++i)
    {
        const auto sinceHit = std::fmod(i / rate, 0.25);
        const auto burst = (random.nextFloat() * 2.0f - 1.0f) * 0.5f * std::exp(-static_cast<float>(sinceHit) * 30.0f);
        const auto tone = 0.05f * std::sin(2.0f * juce::MathConstants<float>::pi * 110.0f * static_cast<float>(i / rate));
        audio.setSample(0, i, burst + tone);
        audio.setSample(1, i, burst * 0.9f + tone);
    }
    return audio;
}
} // namespace

// Learn runs on the file before rendering, the same cycle the plug-in runs, and reports what it set.
TEST(RenderTool, LearnsFromTheInputBeforeRendering)
{
    TempFolder folder;
    const auto in = folder.file("in.wav");
    const auto out = folder.file("out.wav");
    writeWav(in, learnableMaterial(14.0), 48000.0, 24);

    const auto learned = render({ in.getFullPathName(), out.getFullPathName(), "--learn", "--source", "Drums/Snare", "--quiet" });
    ASSERT_EQ(learned.exitCode, 0) << learned.output;
    EXPECT_TRUE(learned.output.contains("onsets")) << learned.output;
    for (auto* id : { "decay ", "predelay ", "brightness ", "size ", "mix " })
        EXPECT_TRUE(learned.output.contains(id)) << id << " in " << learned.output;
    EXPECT_TRUE(out.existsAsFile());

    const auto only = render({ "--learn-only", in.getFullPathName(), "--quiet" });
    EXPECT_EQ(only.exitCode, 0) << only.output;
    EXPECT_TRUE(only.output.contains("settings:"));
    EXPECT_EQ(folder.dir.getNumberOfChildFiles(juce::File::findFiles), 2) << "--learn-only writes nothing";
}

TEST(RenderTool, LearnOnTooShortAnInputExitsWithThreeAndWritesNothing)
{
    TempFolder folder;
    const auto in = folder.file("in.wav");
    const auto out = folder.file("out.wav");
    writeWav(in, learnableMaterial(3.0), 48000.0, 16);
    const auto run = render({ in.getFullPathName(), out.getFullPathName(), "--learn", "--quiet" });
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_TRUE(run.output.contains("too short or too quiet")) << run.output;
    EXPECT_FALSE(out.exists());
}
namespace
{
constexpr int renderBlockSize = 512;

// What the plug-in plays for the input with a state loaded, in the renderer's blocks, with the
// latency removed and `tailSamples` appended.
juce::AudioBuffer<float> pluginOutput(const juce::MemoryBlock& state, const juce::AudioBuffer<float>& input,
                                      int tailSamples)
{
    ZQ6AudioProcessor processor;
    processor.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(juce::AudioChannelSet::stereo());
    layout.outputBuses.add(juce::AudioChannelSet::stereo());
    processor.setBusesLayout(layout);
    processor.setRateAndBufferSizeDetails(48000.0, renderBlockSize);
    processor.prepareToPlay(48000.0, renderBlockSize);

    const auto latency = processor.getLatencySamples();
    const auto length = input.getNumSamples() + tailSamples;
    juce::AudioBuffer<float> played(2, length + latency);
    played.clear();
    for (int c = 0; c < 2; ++c)
        played.copyFrom(c, 0, input, c, 0, input.getNumSamples());
    juce::MidiBuffer midi;
    for (int start = 0; start < played.getNumSamples(); start += renderBlockSize)
    {
        juce::AudioBuffer<float> block(played.getArrayOfWritePointers(), 2, start,
                                       std::min(renderBlockSize, played.getNumSamples() - start));
        processor.processBlock(block, midi);
    }
    juce::AudioBuffer<float> aligned(2, length);
    for (int c = 0; c < 2; ++c)
        aligned.copyFrom(c, 0, played, c, latency, length);
    return aligned;
}

juce::AudioBuffer<float> readAll(const juce::File& file)
{
    const auto reader = openWav(file);
    juce::AudioBuffer<float> audio(static_cast<int>(reader->numChannels), static_cast<int>(reader->lengthInSamples));
    reader->read(&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}

void writeState(const juce::File& file, const juce::MemoryBlock& state)
{
    ASSERT_TRUE(file.replaceWithData(state.getData(), state.getSize()));
}
} // namespace

TEST(RenderTool, PlaysAStateSavedByThePlugInAsThePlugInDoes)
{
    ZQ6AudioProcessor plugin;
    ASSERT_TRUE(plugin.chooseSource(2, 1));
    auto& state = plugin.getValueTreeState();
    for (const auto& [id, value] : { std::pair { pid::decay, 3.5f }, std::pair { pid::mix, 0.6f },
                                     std::pair { pid::width, 1.4f }, std::pair { pid::eqGain[2], -6.0f } })
        state.getParameter(id)->setValueNotifyingHost(state.getParameter(id)->convertTo0to1(value));
    plugin.setMode(ZQ6AudioProcessor::send);
    const auto saved = saveOf(plugin);

    TempFolder folder;
    const auto in = folder.file("in.wav");
    const auto out = folder.file("out.wav");
    const auto stateFile = folder.file("plugin.zq6state");
    writeState(stateFile, saved);
    const auto input = learnableMaterial(0.5);
    writeWav(in, input, 48000.0, 32);

    const auto run = render({ in.getFullPathName(), out.getFullPathName(), "--state", stateFile.getFullPathName(),
                              "--tail", "0.5", "--quiet" });
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto rendered = readAll(out);
    const auto expected = pluginOutput(saved, input, 24000);
    ASSERT_EQ(rendered.getNumSamples(), expected.getNumSamples());
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < expected.getNumSamples(); ++i)
            ASSERT_EQ(rendered.getSample(c, i), expected.getSample(c, i)) << "channel " << c << ", sample " << i;
    EXPECT_GT(rendered.getMagnitude(0, 0, rendered.getNumSamples()), 0.01f);
}

// The state written after the options carries them: loading it renders the same file, and the
// plug-in loads the same settings.
TEST(RenderTool, SavesTheStateItsOptionsMade)
{
    TempFolder folder;
    const auto in = folder.file("in.wav");
    const auto stateFile = folder.file("saved.zq6state");
    writeWav(in, learnableMaterial(0.3), 48000.0, 24);
    const auto withOptions = folder.file("options.wav");
    const auto withState = folder.file("state.wav");

    ASSERT_EQ(render({ in.getFullPathName(), withOptions.getFullPathName(), "--source", "Drums/Snare", "--set",
                       "decay=3.5", "--set", "decay_unit=Beats", "--tail", "0.3", "--quiet", "--save-state",
                       stateFile.getFullPathName() })
                  .exitCode,
              0);
    ASSERT_EQ(render({ in.getFullPathName(), withState.getFullPathName(), "--state", stateFile.getFullPathName(),
                       "--tail", "0.3", "--quiet" })
                  .exitCode,
              0);
    juce::MemoryBlock first, second;
    ASSERT_TRUE(withOptions.loadFileAsData(first));
    ASSERT_TRUE(withState.loadFileAsData(second));
    EXPECT_EQ(first, second);

    juce::MemoryBlock saved;
    ASSERT_TRUE(stateFile.loadFileAsData(saved));
    ZQ6AudioProcessor plugin;
    ASSERT_TRUE(plugin.restoreState(saved.getData(), static_cast<int>(saved.getSize())));
    EXPECT_FLOAT_EQ(plugin.getValueTreeState().getRawParameterValue(pid::decay)->load(), 3.5f);
    EXPECT_FLOAT_EQ(plugin.getValueTreeState().getRawParameterValue(pid::decayUnit)->load(), 1.0f);
    EXPECT_EQ(plugin.getSourceSelection(), (SourceSelection { 2, 1, 0 }));
}

TEST(RenderTool, ADamagedOrCraftedStateExitsWithTwoAndWritesNothing)
{
    TempFolder folder;
    ZQ6AudioProcessor plugin;
    const auto saved = saveOf(plugin);
    std::vector<std::pair<const char*, juce::MemoryBlock>> states { { "cutInHalf", { saved.getData(), saved.getSize() / 2 } } };
    for (const auto& [name, text] : crafted::hostileDocuments(textOf(saved)))
        states.emplace_back(name, headerWithText(text));

    for (const auto& [name, state] : states)
    {
        SCOPED_TRACE(name);
        const auto stateFile = folder.file("damaged.zq6state");
        writeState(stateFile, state);
        const auto out = folder.file("out.wav");
        const auto run = render({ out.getFullPathName(), "--state", stateFile.getFullPathName(), "--quiet" });
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_TRUE(run.output.contains("not a saved ZQ-6 state")) << run.output;
        EXPECT_FALSE(out.exists());
    }
}
} // namespace zq6::test
