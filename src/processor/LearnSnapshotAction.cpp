#include "LearnSnapshotAction.h"

namespace zq6
{
ZQ6AudioProcessor::LearnSnapshotAction::LearnSnapshotAction(ZQ6AudioProcessor& processor, const LearnSnapshot& b,
                                                            const LearnSnapshot& a)
    : owner(processor), before(b), after(a)
{
}

bool ZQ6AudioProcessor::LearnSnapshotAction::perform()
{
    owner.applyLearnSnapshot(after);
    return true;
}

bool ZQ6AudioProcessor::LearnSnapshotAction::undo()
{
    owner.applyLearnSnapshot(before);
    return true;
}
} // namespace zq6
