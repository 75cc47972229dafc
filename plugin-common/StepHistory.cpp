#include "StepHistory.h"

namespace quil
{
// One step in the step manager. It is recorded after the step's actions already ran, so its first
// perform does nothing.
class StepHistory::StepRef : public juce::UndoableAction
{
public:
    explicit StepRef(juce::UndoManager& edits) : editManager(edits) {}

    bool perform() override
    {
        if (firstPerform)
        {
            firstPerform = false;
            return true;
        }
        return editManager.redo();
    }

    bool undo() override { return editManager.undo(); }
    int getSizeInUnits() override { return 1; }

private:
    juce::UndoManager& editManager;
    bool firstPerform = true;
};

StepHistory::StepHistory(Fingerprint stateFingerprint) : fingerprint(std::move(stateFingerprint)) {}

void StepHistory::beginStep(const juce::String& name)
{
    commitStep();
    editManager.beginNewTransaction(name);
    armedFingerprint = fingerprint();
    armed = true;
}

bool StepHistory::hasOpenTransaction() const
{
    return editManager.getNumActionsInCurrentTransaction() > 0;
}

bool StepHistory::commitStep()
{
    const auto wasArmed = armed;
    armed = false;
    if (!hasOpenTransaction())
        return false;

    auto committed = false;
    if (wasArmed && fingerprint() == armedFingerprint)
        rollBackOpenTransaction();
    else
    {
        stepManager.beginNewTransaction(editManager.getCurrentTransactionName());
        committed = stepManager.perform(new StepRef(editManager));
    }
    editManager.beginNewTransaction();
    return committed;
}

void StepHistory::rollBackOpenTransaction()
{
    // Undoes the transaction, drops it and puts back the redo transactions it had set aside, so the
    // history is exactly as before the step.
    editManager.undoCurrentTransactionOnly();
}

bool StepHistory::hasPendingChange() const
{
    return hasOpenTransaction() && (!armed || fingerprint() != armedFingerprint);
}

bool StepHistory::stepPending() const
{
    return armed || hasOpenTransaction();
}

void StepHistory::clear()
{
    stepManager.clearUndoHistory();
    editManager.clearUndoHistory();
    armed = false;
    editManager.beginNewTransaction();
}
} // namespace quil
