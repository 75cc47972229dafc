#include "WetEq.h"

namespace zq6
{
void WetEq::prepare(double) {}

void WetEq::clear() noexcept {}

void WetEq::process(float*, float*, int, const BlockParams&) noexcept {}
} // namespace zq6
