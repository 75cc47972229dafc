#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <memory>

namespace zq6::ui
{
// The per-user file in which the editor remembers its width and the Stage view.
class EditorSettings
{
public:
    static constexpr const char* editorWidthKey = "editorWidth";
    static constexpr const char* stageViewKey = "stageView";

    static juce::PropertiesFile::Options options();
    static juce::File file();
    static std::unique_ptr<juce::PropertiesFile> open();

    // The remembered Stage view: 0 or 1, anything else reads as 0.
    static int stageView(juce::PropertiesFile& settings);
};
} // namespace zq6::ui
