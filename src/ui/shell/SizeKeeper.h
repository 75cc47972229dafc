#pragma once

#include "Layout.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6::ui
{
// Sizes an editor from the layout: width limits, fixed aspect ratio, a corner resizer, the width
// remembered from the last session, and writes the width back when the editor closes.
class SizeKeeper
{
public:
    SizeKeeper(juce::AudioProcessorEditor& editor, const Layout& layout, juce::PropertiesFile& settings);
    ~SizeKeeper();

    int clampWidth(int width) const noexcept { return juce::jlimit(layout.minWidth, layout.maxWidth, width); }

private:
    int firstWidth() const;

    juce::AudioProcessorEditor& editor;
    const Layout& layout;
    juce::PropertiesFile& settings;
    const int lastWrittenWidth;

    JUCE_DECLARE_NON_COPYABLE(SizeKeeper)
};
} // namespace zq6::ui
