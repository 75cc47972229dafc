#pragma once

#include "BlockParams.h"

namespace zq6
{
// Four bands and a low-pass on the wet signal. Passes through until the EQ stage lands.
class WetEq
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    void process(float* left, float* right, int m, const BlockParams& params) noexcept;
};
} // namespace zq6
