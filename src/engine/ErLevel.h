#pragma once

#include "../params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
// Early-reflection weight 0..1 for an ER level in dB: the wet tone balances ER and tail at the
// angle erWeight * pi / 2, so the level is the ER-to-tail ratio at constant power.
inline float erWeight(float db)
{
    if (db <= levelFloorDb)
        return 0.0f;
    if (db == 0.0f)
        return 0.5f;
    const auto p = std::pow(10.0f, clampToRange(Param::erTrim, db) / 20.0f);
    return std::clamp(std::atan(p) / 1.5707963267948966f, 0.0f, 1.0f);
}
} // namespace zq6
