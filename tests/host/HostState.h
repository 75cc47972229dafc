#pragma once

#include "HostedPlugin.h"

#include <functional>

namespace zq6::host
{
// Edits a state block as the host wrapper of a format saved it: the plug-in's own block sits inside
// (base64 in the VST3 host's XML, a base64 string literal in the LV2 host's Turtle).
struct HostState
{
    // The same state with the Character choice `choice` (1..4) in place of Auto, or an empty block
    // when the state holds no plug-in block with an Auto selection.
    static juce::MemoryBlock withCharacterChoice(const juce::MemoryBlock& hostState, Format format, int choice);

    // The same state with the block the wrapper hands the plug-in replaced (empty when there is none).
    static juce::MemoryBlock withPluginBlock(const juce::MemoryBlock& hostState, Format format, const juce::MemoryBlock& block);

    // The plug-in's own block inside the host's state (VST3: with the framework's private data
    // behind it, which its loader drops), or an empty block.
    static juce::MemoryBlock pluginBlockOf(const juce::MemoryBlock& hostState, Format format);
};
} // namespace zq6::host
