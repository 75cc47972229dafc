#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <functional>

namespace quil
{
// Undo history made of user steps. The edit manager holds the undoable actions, one transaction per
// step; the step manager holds one StepRef per step that undoes or redoes that transaction. A step
// whose state fingerprint ends where it began is rolled back without a trace.
class StepHistory
{
public:
    using Fingerprint = std::function<juce::String()>;

    static constexpr int maxSteps = 1000;
    static constexpr int maxEditTransactions = 1008;

    explicit StepHistory(Fingerprint stateFingerprint);

    // Where every change of a step goes: parameter actions, tree changes, and any other undoable
    // action a step needs (perform it here while the step is open).
    juce::UndoManager& getEditManager() noexcept { return editManager; }
    juce::UndoManager& getStepManager() noexcept { return stepManager; }
    const juce::UndoManager& getStepManager() const noexcept { return stepManager; }

    // Commits the pending step, then opens a new one named `name` and notes the state it starts from.
    void beginStep(const juce::String& name);

    // Turns the open transaction into a step; false when it did nothing or changed nothing.
    bool commitStep();

    // The open transaction holds actions that changed the state.
    bool hasPendingChange() const;

    // A step has begun or holds actions, so commitStep has work to do.
    bool stepPending() const;

    void disarm() noexcept { armed = false; }

    // Forgets every step.
    void clear();

private:
    class StepRef;

    bool hasOpenTransaction() const;
    void rollBackOpenTransaction();

    Fingerprint fingerprint;
    juce::UndoManager editManager { 1, maxEditTransactions };
    juce::UndoManager stepManager { 1, maxSteps };
    juce::String armedFingerprint;
    bool armed = false;

    JUCE_DECLARE_NON_COPYABLE(StepHistory)
};
} // namespace quil
