#pragma once

namespace zq6
{
// 4-point cubic Hermite interpolation between y0 and y1 at fraction f (0..1), with the
// neighbours yMinus1 and y2; Sample is a float or a vector of floats. Always inlined: the kernels'
// builds for wider instruction sets must not leave a copy of it behind.
template <typename Sample>
[[gnu::always_inline]] inline Sample cubicHermite(Sample yMinus1, Sample y0, Sample y1, Sample y2, Sample f) noexcept
{
    const auto c1 = 0.5f * (y1 - yMinus1);
    const auto c2 = yMinus1 - 2.5f * y0 + 2.0f * y1 - 0.5f * y2;
    const auto c3 = 1.5f * (y0 - y1) + 0.5f * (y2 - yMinus1);
    return ((c3 * f + c2) * f + c1) * f + y0;
}
} // namespace zq6
