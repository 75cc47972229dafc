#pragma once

#include <cstdint>

namespace zq6
{
// What the analysis measured of the material; the defaults are the values when nothing could be measured.
struct LearnFeatures
{
    std::int32_t fValid = 0;
    std::int32_t mode = 0;
    std::int32_t group = 0;
    std::int32_t entry = 0;
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
} // namespace zq6
