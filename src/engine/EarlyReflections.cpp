#include "EarlyReflections.h"

#include <algorithm>

namespace zq6
{
void EarlyReflections::prepare(double) {}

void EarlyReflections::clear() noexcept {}

void EarlyReflections::process(const float*, float* left, float* right, int m, int, float, float, float) noexcept
{
    std::fill(left, left + m, 0.0f);
    std::fill(right, right + m, 0.0f);
}
} // namespace zq6
