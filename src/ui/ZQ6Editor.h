#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6
{
class ZQ6AudioProcessor;

// The plug-in window.
class ZQ6Editor : public juce::AudioProcessorEditor
{
public:
    explicit ZQ6Editor(ZQ6AudioProcessor& processor);
    void paint(juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZQ6Editor)
};
} // namespace zq6
