#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// One explanation of a control: the tooltip, the help popup and what screen readers announce.
struct HelpEntry
{
    const char* key;
    const char* title;
    const char* body;
};

// The whole vocabulary, in table order; keys are parameter IDs and "ui." keys.
const std::vector<HelpEntry>& helpEntries();

// Exact-key lookup; nullptr when the key has no entry.
const HelpEntry* help(const juce::String& key);

// The entry's title and body become the component's accessible title and description.
void applyHelp(juce::Component& component, const juce::String& key);

// Title, " - ", body; empty when there is no entry.
juce::String tooltipText(const juce::String& key);
} // namespace zq6::ui
