#include "LearnedResult.h"

#include "learn/LearnControl.h"
#include "learn/LearnDerivation.h"

#include <cstring>

namespace zq6::test
{
LearnSnapshot learnedSnapshot(SourceSelection sel)
{
    LearnFeatures features;
    features.fValid = 1;
    features.fGapMedianSec = 1.0f;
    features.fGapP75Sec = 1.2f;
    features.fAttackSharp = 0.15f;
    LearnSnapshot snapshot;
    snapshot.record = deriveLearnSettings(features, sel.group, sel.entry, sel.character, 0.0).record;
    snapshot.record.hasResult = 1;
    snapshot.status = static_cast<int>(LearnStatus::learned);
    snapshot.derivedFor = sel;
    return snapshot;
}

bool sameRecord(const LearnRecord& a, const LearnRecord& b)
{
    return std::memcmp(&a, &b, sizeof(LearnRecord)) == 0;
}
} // namespace zq6::test
