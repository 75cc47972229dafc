#include "RenderJob.h"

#include "DemoSignal.h"
#include "LearnRun.h"
#include "params/ParameterText.h"
#include "processor/ZQ6AudioProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstdio>
#include <unistd.h>

namespace zq6::render
{
namespace
{
constexpr int blockSize = 512;
constexpr double defaultMaxTailSeconds = 10.0;
const float tailThreshold = juce::Decibels::decibelsToGain(-90.0f);

bool beginsWithNumber(const juce::String& text)
{
    auto t = text.trim();
    if (t.startsWithChar('+') || t.startsWithChar('-'))
        t = t.substring(1);
    if (t.startsWithChar('.'))
        t = t.substring(1);
    return t.isNotEmpty() && juce::CharacterFunctions::isDigit(t[0]);
}

float normalisedChoice(const juce::AudioParameterChoice& choice, const juce::String& text)
{
    for (int i = 0; i < choice.choices.size(); ++i)
        if (choice.choices[i].equalsIgnoreCase(text))
            return choice.convertTo0to1(static_cast<float>(i));
    if (text.containsOnly("0123456789") && text.isNotEmpty() && text.getIntValue() < choice.choices.size())
        return choice.convertTo0to1(static_cast<float>(text.getIntValue()));
    throw RenderError("value \"" + text + "\" for " + choice.getParameterID() + " is not one of: "
                      + choice.choices.joinIntoString(", "));
}

float normalisedSwitch(const juce::AudioParameterBool& toggle, const juce::String& text)
{
    const auto lower = text.toLowerCase();
    if (lower == "on" || lower == "true" || lower == "1")
        return 1.0f;
    if (lower == "off" || lower == "false" || lower == "0")
        return 0.0f;
    throw RenderError("value \"" + text + "\" for " + toggle.getParameterID() + " is not on or off");
}

float normalisedFloat(const juce::RangedAudioParameter& parameter, const juce::String& text)
{
    // Numbers are in the parameter's own units (fractions for percentages, unless typed with "%");
    // besides numbers, the words the parameter itself shows at its range ends ("Off", "-inf") are accepted.
    const auto lower = text.trim().toLowerCase();
    if (beginsWithNumber(text))
    {
        if (parameter.getLabel() == "%" && !lower.endsWithChar('%'))
            return parameter.convertTo0to1(static_cast<float>(lower.getDoubleValue()));
        return parameter.getValueForText(text);
    }
    const auto endTexts = parameter.getText(0.0f, 0).toLowerCase() + " " + parameter.getText(1.0f, 0).toLowerCase();
    const auto isWord = lower.isNotEmpty() && (endTexts.contains(lower) || (lower.contains("inf") && endTexts.contains("inf")));
    if (!isWord)
        throw RenderError("value \"" + text + "\" for " + parameter.getParameterID() + " is not a number");
    return parameter.getValueForText(text);
}

float normalisedValue(juce::RangedAudioParameter& parameter, const juce::String& text)
{
    if (auto* choice = dynamic_cast<juce::AudioParameterChoice*>(&parameter))
        return normalisedChoice(*choice, text);
    if (auto* toggle = dynamic_cast<juce::AudioParameterBool*>(&parameter))
        return normalisedSwitch(*toggle, text);
    return normalisedFloat(parameter, text);
}

float blockPeak(const juce::AudioBuffer<float>& buffer, int numSamples)
{
    float peak = 0.0f;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        peak = std::max(peak, buffer.getMagnitude(c, 0, numSamples));
    return peak;
}
} // namespace

RenderJob::RenderJob(RenderOptions o) : options(std::move(o)) {}

RenderJob::Input RenderJob::loadInput() const
{
    Input input;
    if (options.input == juce::File())
    {
        input.audio = makeDemoSignal(input.sampleRate);
        return input;
    }

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(options.input));
    if (reader == nullptr)
        throw RenderError("cannot read " + options.input.getFullPathName());
    if (reader->numChannels < 1 || reader->numChannels > 2)
        throw RenderError(options.input.getFullPathName() + " has " + juce::String(reader->numChannels)
                          + " channels; mono or stereo expected");
    if (reader->lengthInSamples > std::numeric_limits<int>::max() / 2)
        throw RenderError(options.input.getFullPathName() + " is too long");

    input.sampleRate = reader->sampleRate;
    input.bitsPerSample = reader->usesFloatingPointData ? 32 : static_cast<int>(reader->bitsPerSample);
    input.audio.setSize(static_cast<int>(reader->numChannels), static_cast<int>(reader->lengthInSamples));
    if (!reader->read(&input.audio, 0, input.audio.getNumSamples(), 0, true, true))
        throw RenderError("cannot read the audio of " + options.input.getFullPathName());
    return input;
}

void RenderJob::loadState(ZQ6AudioProcessor& processor) const
{
    if (options.stateIn == juce::File())
        return;
    juce::MemoryBlock block;
    if (!options.stateIn.loadFileAsData(block))
        throw RenderError("cannot read " + options.stateIn.getFullPathName());
    if (!processor.restoreState(block.getData(), static_cast<int>(block.getSize())))
        throw RenderError(options.stateIn.getFullPathName() + " is not a saved ZQ-6 state");
}

void RenderJob::saveState(ZQ6AudioProcessor& processor) const
{
    const auto target = options.stateOut;
    if (target == juce::File())
        return;
    if (!target.getParentDirectory().isDirectory())
        throw RenderError("cannot write " + target.getFullPathName() + ": no such folder");
    juce::MemoryBlock block;
    processor.getStateInformation(block);
    const juce::TemporaryFile temporary(target);
    if (!temporary.getFile().replaceWithData(block.getData(), block.getSize())
        || !temporary.overwriteTargetFileWithTemporary())
        throw RenderError("cannot write " + target.getFullPathName());
}

void RenderJob::applySource(ZQ6AudioProcessor& processor) const
{
    if (!options.source.has_value() && !options.characterChoice.has_value())
        return;
    auto sel = processor.getSourceSelection();
    if (options.source.has_value())
        sel = { options.source->group, options.source->entry, sel.character };
    if (options.characterChoice.has_value())
        sel.character = *options.characterChoice;
    // Every suggestion is applied, even for the Source a new instance starts with.
    const juce::ScopedLock lock(processor.getProcessorLock());
    auto& learn = processor.getLearnSettings();
    learn.applyLearnSettings(learn.suggestLearnSettings(sel, 0.0), sel, false, nullptr);
}

void RenderJob::applySettings(ZQ6AudioProcessor& processor) const
{
    auto& state = processor.getValueTreeState();
    for (const auto& [id, text] : options.settings)
    {
        auto* parameter = state.getParameter(id);
        if (parameter == nullptr)
            throw RenderError("unknown parameter id \"" + id + "\"");
        parameter->setValueNotifyingHost(normalisedValue(*parameter, text));
    }
}

void RenderJob::prepare(ZQ6AudioProcessor& processor, const Input& input) const
{
    const auto set = input.audio.getNumChannels() == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    processor.setBusesLayout(layout);
    processor.setRateAndBufferSizeDetails(input.sampleRate, blockSize);
    processor.prepareToPlay(input.sampleRate, blockSize);
}

juce::AudioBuffer<float> RenderJob::process(ZQ6AudioProcessor& processor, const Input& input) const
{
    const auto channels = input.audio.getNumChannels();
    prepare(processor, input);

    const auto latency = processor.getLatencySamples();
    const auto inputLength = input.audio.getNumSamples();
    const auto maxTail = static_cast<int>((options.tailSeconds ? *options.tailSeconds : defaultMaxTailSeconds) * input.sampleRate);
    const auto fixedTail = options.tailSeconds.has_value();

    // Rendered past the input by the latency so that the output lines up with the input.
    juce::AudioBuffer<float> out(channels, inputLength + maxTail + latency);
    out.clear();
    juce::AudioBuffer<float> block(channels, blockSize);
    juce::MidiBuffer midi;
    int position = 0;
    int produced = 0; // aligned output samples kept
    int lastLoud = 0;
    const auto total = inputLength + maxTail + latency;
    while (position < total)
    {
        const auto n = std::min(blockSize, total - position);
        block.setSize(channels, n, false, false, true);
        block.clear();
        for (int c = 0; c < channels; ++c)
            if (position < inputLength)
                block.copyFrom(c, 0, input.audio, c, position, std::min(n, inputLength - position));
        processor.processBlock(block, midi);

        for (int c = 0; c < channels; ++c)
            out.copyFrom(c, position, block, c, 0, n);
        position += n;
        produced = std::max(0, position - latency);
        if (blockPeak(block, n) >= tailThreshold)
            lastLoud = produced;
        if (!fixedTail && produced >= inputLength && produced - lastLoud > static_cast<int>(0.1 * input.sampleRate))
            break;
        showProgress(static_cast<double>(position) / total);
    }
    showProgress(1.0);

    const auto length = fixedTail ? inputLength + maxTail : std::max(inputLength, std::min(lastLoud, produced));
    juce::AudioBuffer<float> aligned(channels, std::max(1, length));
    aligned.clear();
    for (int c = 0; c < channels; ++c)
        aligned.copyFrom(c, 0, out, c, latency, std::min(length, position - latency));
    return aligned;
}

void RenderJob::write(const juce::AudioBuffer<float>& audio, const Input& input) const
{
    const auto target = options.output;
    if (!target.getParentDirectory().isDirectory())
        throw RenderError("cannot write " + target.getFullPathName() + ": no such folder");
    const auto temporary = target.getSiblingFile("." + target.getFileName() + ".part");

    {
        std::unique_ptr<juce::OutputStream> stream = std::make_unique<juce::FileOutputStream>(temporary);
        if (!static_cast<juce::FileOutputStream*>(stream.get())->openedOk())
            throw RenderError("cannot write " + target.getFullPathName());
        juce::WavAudioFormat wav;
        const auto bits = juce::jlimit(8, 32, input.bitsPerSample);
        std::unique_ptr<juce::AudioFormatWriter> writer(wav.createWriterFor(
            stream.get(), input.sampleRate, static_cast<unsigned int>(audio.getNumChannels()), bits, {}, 0));
        if (writer == nullptr)
        {
            stream.reset();
            temporary.deleteFile();
            throw RenderError("cannot write a WAV file at " + juce::String(input.sampleRate) + " Hz, " + juce::String(bits) + " bits");
        }
        stream.release(); // the writer owns it now
        const auto ok = writer->writeFromAudioSampleBuffer(audio, 0, audio.getNumSamples());
        writer.reset();
        if (!ok)
        {
            temporary.deleteFile();
            throw RenderError("cannot write " + target.getFullPathName());
        }
    }
    if (!temporary.moveFileTo(target))
    {
        temporary.deleteFile();
        throw RenderError("cannot write " + target.getFullPathName());
    }
}

void RenderJob::showProgress(double fraction) const
{
    static double lastShown = -1.0;
    if (options.quiet || !isatty(fileno(stderr)))
        return;
    if (fraction < 1.0 && fraction - lastShown < 0.01)
        return;
    lastShown = fraction;
    constexpr int width = 40;
    const auto filled = static_cast<int>(fraction * width);
    std::fprintf(stderr, "\r[%s%s] %3d%%%s", std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(width - filled), ' ').c_str(), static_cast<int>(fraction * 100.0),
                 fraction >= 1.0 ? "\n" : "");
}

void RenderJob::run()
{
    const auto input = loadInput();
    ZQ6AudioProcessor processor;
    loadState(processor);
    applySource(processor);
    applySettings(processor);
    if (options.learn)
    {
        prepare(processor, input);
        std::fputs(runLearn(processor, input.audio, input.sampleRate).toRawUTF8(), stdout);
        std::fflush(stdout);
        processor.reset(); // the render starts from a silent reverb, as playback would
    }
    saveState(processor);
    if (options.learnOnly)
        return;
    const auto rendered = process(processor, input);
    write(rendered, input);
    if (!options.quiet)
        std::fprintf(stderr, "zq6-render: wrote %s (%.2f s)\n", options.output.getFullPathName().toRawUTF8(),
                     rendered.getNumSamples() / input.sampleRate);
}
} // namespace zq6::render
