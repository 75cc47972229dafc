#include "ZQ6Editor.h"

#include "../processor/ZQ6AudioProcessor.h"

namespace zq6
{
ZQ6Editor::ZQ6Editor(ZQ6AudioProcessor& processor) : juce::AudioProcessorEditor(processor)
{
    setSize(1120, 630);
}

void ZQ6Editor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff101114));
    g.setColour(juce::Colour(0xffd8dce4));
    g.setFont(28.0f);
    g.drawText("ZQ-6  TARVEL REVERB", getLocalBounds(), juce::Justification::centred);
}
} // namespace zq6
