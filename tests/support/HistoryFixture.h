#pragma once

#include "processor/ZQ6AudioProcessor.h"
#include "support/ParameterGestures.h"

#include <gtest/gtest.h>

namespace zq6::test
{
// A new processor with shortcuts to its parameters and its settings history.
class HistoryFixture : public testing::Test
{
protected:
    juce::RangedAudioParameter& parameter(const char* id) { return *state.getParameter(id); }
    float value(const char* id) const { return valueOf(state, id); }
    // The names of the steps that can be undone, oldest first.
    juce::StringArray steps() const { return processor.getHistory().getStepManager().getUndoDescriptions(); }
    bool undo() { return processor.undoOrRedo(true); }
    bool redo() { return processor.undoOrRedo(false); }

    ZQ6AudioProcessor processor;
    juce::AudioProcessorValueTreeState& state = processor.getValueTreeState();
};
} // namespace zq6::test
