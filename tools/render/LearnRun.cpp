#include "LearnRun.h"

#include "RenderOptions.h"
#include "learn/LearnTargets.h"
#include "processor/ZQ6AudioProcessor.h"

#include <cmath>

namespace zq6::render
{
namespace
{
constexpr int blockSize = 512;

juce::String number(float value, int decimals)
{
    return juce::String(value, decimals);
}

juce::String featureReport(const LearnFeatures& f)
{
    juce::String text;
    text << "features:\n"
         << "  valid signal      " << number(f.fValidSeconds, 2) << " s of " << number(f.fSpanSeconds, 2) << " s\n"
         << "  onsets            " << f.fOnsetCount << " (" << number(f.fOnsetsPerSec, 2) << " per s)\n"
         << "  gaps              " << f.fGapCount << " (median " << number(f.fGapMedianSec, 3) << " s, 75 % "
         << number(f.fGapP75Sec, 3) << " s)\n"
         << "  low / high        " << number(f.fLowDb, 1) << " / " << number(f.fHighDb, 1) << " dB\n"
         << "  sibilance         " << number(f.fSibilanceDb, 1) << " dB\n"
         << "  breath share      " << number(f.fBreathShare, 3) << "\n"
         << "  attack sharpness  " << number(f.fAttackSharp, 3) << "\n"
         << "  level             " << number(f.fLevelDb, 1) << " dB\n"
         << "  tempo             " << (f.fTempoBpm > 0.0f ? number(f.fTempoBpm, 1) + " bpm" : juce::String("none")) << "\n";
    return text;
}

juce::String settingsReport(ZQ6AudioProcessor& processor)
{
    juce::String text("settings:\n");
    for (const auto& target : learnTargets)
    {
        auto* parameter = processor.getValueTreeState().getParameter(target.parameterId);
        text << "  " << juce::String(target.parameterId).paddedRight(' ', 16) << parameter->getCurrentValueAsText()
             << (parameter->getLabel().isNotEmpty() ? " " + parameter->getLabel() : juce::String()) << "\n";
    }
    return text;
}
} // namespace

juce::String runLearn(ZQ6AudioProcessor& processor, const juce::AudioBuffer<float>& audio, double sampleRate)
{
    if (!processor.startLearn())
        throw RenderError("Learn cannot start at " + juce::String(sampleRate) + " Hz", 3);

    const auto tickInterval = static_cast<int>(std::ceil(0.033 * sampleRate));
    juce::AudioBuffer<float> block(audio.getNumChannels(), blockSize);
    juce::MidiBuffer midi;
    int sinceTick = 0;
    auto& control = processor.getLearnControl();
    for (int start = 0; start < audio.getNumSamples() && control.isListening(); start += blockSize)
    {
        const auto n = std::min(blockSize, audio.getNumSamples() - start);
        block.setSize(audio.getNumChannels(), n, false, false, true);
        for (int c = 0; c < audio.getNumChannels(); ++c)
            block.copyFrom(c, 0, audio, c, start, n);
        processor.processBlock(block, midi);
        if ((sinceTick += n) >= tickInterval)
        {
            sinceTick = 0;
            processor.tickLearn();
        }
    }
    processor.tickLearn();

    if (static_cast<LearnStatus>(control.status.load()) != LearnStatus::learned)
    {
        const auto heard = control.progress.load();
        processor.cancelLearn();
        processor.tickLearn();
        throw RenderError("the input is too short or too quiet to finish Learn (heard "
                              + juce::String(juce::roundToInt(heard * 100.0f)) + " % of the signal it needs)",
                          3);
    }
    return featureReport(processor.getLearnSettings().copyRecord().features) + settingsReport(processor);
}
} // namespace zq6::render
