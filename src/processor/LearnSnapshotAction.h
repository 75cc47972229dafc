#pragma once

#include "ZQ6AudioProcessor.h"

namespace zq6
{
// Puts back the Learn result, mode, status and the selection the result was derived for; the
// Source selection itself comes back with the baseline in the same step.
class ZQ6AudioProcessor::LearnSnapshotAction : public juce::UndoableAction
{
public:
    LearnSnapshotAction(ZQ6AudioProcessor& processor, const LearnSnapshot& before, const LearnSnapshot& after);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override { return 10; }

private:
    ZQ6AudioProcessor& owner;
    LearnSnapshot before;
    LearnSnapshot after;
};
} // namespace zq6
