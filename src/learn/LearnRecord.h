#pragma once

#include "LearnFeatures.h"

#include <cstdint>
#include <type_traits>

namespace zq6
{
// The stored Learn result: whether there is one, the features it was made from, the proposals for the
// fourteen Learn targets and the Character the analysis prefers. A default record is a cleared one.
struct LearnRecord
{
    std::int32_t hasResult = 0;
    LearnFeatures features;
    float pDecaySeconds = 2.0f;
    float pDecayBeats = 4.0f;
    float pPreDelayMs = 20.0f;
    std::int32_t pPreDelayNote = 4;
    float pBrightness = 0.5f;
    float pLowCutHz = 100.0f;
    float pErTrimDb = 0.0f;
    float pCleanShaping = 0.0f;
    float pShapeSibilance = 1.0f;
    float pShapeBreath = 1.0f;
    float pShapeAttack = 1.0f;
    float pCleanUnmask = 0.0f;
    float pSize = 0.5f;
    float pMix = 0.3f;
    float pGapUsedSec = 0.0f;
    std::int32_t pTempoKnown = 0;
    float pTempoBpm = 0.0f;
    std::int32_t sSpaceOverride = -1; // -1, or the effective Character the analysis prefers
};

static_assert(sizeof(LearnRecord) == 39 * 4, "the record is 39 fields of 4 bytes");
static_assert(std::is_trivially_copyable_v<LearnRecord>);
} // namespace zq6
