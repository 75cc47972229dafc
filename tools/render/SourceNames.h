#pragma once

#include <juce_core/juce_core.h>

namespace zq6::render
{
struct SourceName
{
    int group;
    int entry;
};

// "Group/Entry" as in the Source menu, case-insensitive ("drums/snare", "Strings / Pad/Pad").
// Throws RenderError listing the valid names.
SourceName findSource(const juce::String& name);

// "Auto", "Room", "Hall", "Chamber" or "Plate", case-insensitive, as a Character choice 0 to 4.
// Throws RenderError listing the valid names.
int findCharacterChoice(const juce::String& name);

// The Sources by group: each group's name, then its Sources as --source takes them, indented.
juce::String sourceListing();
} // namespace zq6::render
