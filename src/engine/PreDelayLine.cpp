#include "PreDelayLine.h"

#include <algorithm>

namespace zq6
{
void PreDelayLine::prepare(double) {}

void PreDelayLine::clear() noexcept {}

void PreDelayLine::process(const float* input, float* output, int m, double) noexcept
{
    std::copy(input, input + m, output);
}
} // namespace zq6
