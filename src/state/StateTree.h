#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The saved state as a tree: its binary block, and the checks a loaded tree passes before it replaces
// the value-tree state's tree.
namespace zq6::statetree
{
inline const juce::Identifier versionId { "zq6StateVersion" };
inline const juce::Identifier parameterType { "PARAM" };
inline const juce::Identifier parameterIdId { "id" };
inline const juce::Identifier parameterValueId { "value" };

// The framework's XML-in-binary block: magic, length, the document on one line, a zero byte.
void writeBlock(const juce::ValueTree& tree, juce::MemoryBlock& destination);

// The tree in a block, or an invalid tree when the block is damaged, its text is not well-formed XML,
// holds a processing instruction besides the declaration, or its root is not of the given type.
juce::ValueTree readBlock(const void* data, int sizeInBytes, const juce::Identifier& rootType);

// Removes the tree's first child of the type and returns it (invalid when there is none).
juce::ValueTree takeChild(juce::ValueTree& tree, const juce::Identifier& type);

// Removes the root's version attribute and returns it; 0 when it is absent or not an integer.
int takeVersion(juce::ValueTree& tree);

// Keeps one PARAM per existing parameter (the last, which is the one the framework takes), with its
// id and value only, and the first baseline element; drops every other child.
void keepKnownChildren(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state);

// Gives every parameter a PARAM child that sets it to a finite value in its range: a missing child
// gets the current value, a value that is not a finite number is removed so that the default applies.
void completeParameters(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state);
} // namespace zq6::statetree
