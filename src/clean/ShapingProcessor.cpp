#include "ShapingProcessor.h"

#include <algorithm>

namespace zq6
{
void ShapingProcessor::prepare(double) {}

void ShapingProcessor::clear() noexcept {}

void ShapingProcessor::process(float*, float*, float* deltaLeft, float* deltaRight, int n, const BlockParams&,
                               const NetworkControls&) noexcept
{
    std::fill(deltaLeft, deltaLeft + n, 0.0f);
    std::fill(deltaRight, deltaRight + n, 0.0f);
}
} // namespace zq6
