#pragma once

#include "../learn/SourceSelection.h"
#include "../params/LearnSuggestions.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <optional>

namespace zq6
{
// A baseline attribute and the parameter it suggests a value for, in the order they are written.
using BaselineTarget = LearnSuggestion;
inline constexpr int baselineTargetCount = learnSuggestionCount;
inline constexpr const auto& baselineTargets = learnSuggestions;

// What the last Learn, Source or Character choice suggested, with the selection it was made for and
// the effective Character (0 Room, 1 Hall, 2 Chamber, 3 Plate). Values are in parameter units.
struct LearnBaseline
{
    bool valid = false;
    SourceSelection sel;
    int eff = 0;
    std::array<std::optional<float>, baselineTargetCount> values;
};

namespace baselineids
{
inline const juce::Identifier element { "ZQ6BASE" };
inline const juce::Identifier version { "v" };
inline const juce::Identifier effective { "eff" };
inline const juce::Identifier selection { "sel" };
inline constexpr int currentVersion = 2;
} // namespace baselineids

// Writes the baseline as the tree's ZQ6BASE child, creating the child without undo when missing.
void writeBaseline(juce::ValueTree& tree, const LearnBaseline& baseline, juce::UndoManager* undoManager);

// Reads the tree's ZQ6BASE child against the parameters' current ranges.
LearnBaseline readBaseline(const juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& parameters);

// Removes what a baseline element never holds, children and unknown attributes, so that a loaded
// element saves back no larger than a real one.
void dropForeignBaselineContent(juce::ValueTree element);

// A valid baseline that suggests every parameter's current value.
LearnBaseline baselineFromParameters(const juce::AudioProcessorValueTreeState& parameters, SourceSelection sel, int eff);
} // namespace zq6
