#include "SmootherBank.h"

#include <cstddef>

namespace zq6
{
namespace
{
constexpr bool rowsInControlOrder()
{
    for (int i = 0; i < controlCount; ++i)
        if (static_cast<int>(smootherRows[i].control) != i)
            return false;
    return true;
}
static_assert(rowsInControlOrder(), "each row sits at the index of its Control");
} // namespace

SmootherBank::SmootherBank() noexcept
{
    for (const auto& row : smootherRows)
        smoothers[static_cast<std::size_t>(row.control)] = BlockSmoother { row.tauSeconds, row.logDomain };
}

void SmootherBank::prepare(double hostRate) noexcept
{
    for (auto& smoother : smoothers)
        smoother.prepare(hostRate);
}

void SmootherBank::clear() noexcept
{
    for (auto& smoother : smoothers)
        smoother.clear();
}

void SmootherBank::clearWetChain() noexcept
{
    for (const auto& row : smootherRows)
        if (row.clearedWithWetChain)
            smoothers[static_cast<std::size_t>(row.control)].clear();
}

Ramp SmootherBank::advance(Control control, float target, int n) noexcept
{
    return smoothers[static_cast<std::size_t>(control)].advance(target, n);
}
} // namespace zq6
