#pragma once

#include "BlockParams.h"
#include "NetworkControls.h"

namespace zq6
{
// The 16-line late tail. Silent until the tail network lands.
class LateTail
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    // Writes (does not add) the tail of one chunk of m internal samples.
    void process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                 const BlockParams& params, const NetworkControls& controls) noexcept;
};
} // namespace zq6
