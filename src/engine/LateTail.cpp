#include "LateTail.h"

#include <algorithm>

namespace zq6
{
void LateTail::prepare(double) {}

void LateTail::clear() noexcept {}

void LateTail::process(const float*, const float*, float* outLeft, float* outRight, int m, const BlockParams&,
                       const NetworkControls&) noexcept
{
    std::fill(outLeft, outLeft + m, 0.0f);
    std::fill(outRight, outRight + m, 0.0f);
}
} // namespace zq6
