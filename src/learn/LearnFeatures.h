#pragma once

#include <cstdint>

namespace zq6
{
// What the analysis measured, with the values it keeps when nothing could be measured. Twenty
// four-byte fields in the order the stored Learn result lists them after its hasResult flag, so
// that the result can embed this struct as it is.
struct LearnFeatures
{
    std::int32_t fValid = 0;
    std::int32_t mode = 0;
    std::int32_t sourceGroup = 0;
    std::int32_t sourceEntry = 0;
    std::int32_t fOnsetCount = 0;
    std::int32_t fCrowdedBand = -1;
    std::int32_t fGapCount = 0;
    std::int32_t fAttackCount = 0;
    float fValidSeconds = 0.0f;
    float fSpanSeconds = 0.0f;
    float fOnsetsPerSec = 0.0f;
    float fGapMedianSec = 0.0f;
    float fGapP75Sec = 0.0f;
    float fLowDb = 0.0f;
    float fHighDb = 0.0f;
    float fSibilanceDb = -100.0f;
    float fBreathShare = 0.0f;
    float fAttackSharp = 0.5f;
    float fLevelDb = -100.0f;
    float fTempoBpm = 0.0f;
};

static_assert(sizeof(LearnFeatures) == 20 * 4, "the Learn result stores the features as twenty four-byte fields");
} // namespace zq6
