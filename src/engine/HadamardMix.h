#pragma once

#include "TailTables.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace zq6
{
namespace hadamardDetail
{
// One butterfly stage inside a vector of floats: lane j with bit Stride clear becomes
// a + b, its partner j + Stride becomes a - b.
template <int Stride, typename Lanes, int... J>
[[gnu::always_inline]] inline Lanes stageInside(Lanes v, std::integer_sequence<int, J...>) noexcept
{
    constexpr int width = sizeof...(J);
#if defined(__clang__)
    const Lanes partner = __builtin_shufflevector(v, v, (J ^ Stride)...);
    return __builtin_shufflevector(v + partner, partner - v, ((J & Stride) != 0 ? width + J : J)...);
#else
    using Indices = decltype(v < v); // integer lanes of the same count
    const Lanes partner = __builtin_shuffle(v, Indices { (J ^ Stride)... });
    return __builtin_shuffle(v + partner, partner - v, Indices { ((J & Stride) != 0 ? width + J : J)... });
#endif
}

template <int Width, int Stride = 1, typename Lanes>
[[gnu::always_inline]] inline Lanes stagesInside(Lanes v) noexcept
{
    if constexpr (Stride < Width)
        return stagesInside<Width, 2 * Stride>(stageInside<Stride>(v, std::make_integer_sequence<int, Width> {}));
    else
        return v;
}
} // namespace hadamardDetail

// Unnormalised 16-point Walsh-Hadamard transform in place: stages of stride 1, 2, 4, 8. Scaled by
// 1/4 it keeps the energy of what it mixes, so the tail's loop gain stays in its feedback gains.
// z holds the 16 lines as floats or as vectors of floats (lines 0-3 in z[0] and so on). Always
// inlined: the kernels' builds for wider instruction sets must not leave a copy of it behind.
template <typename Lines>
[[gnu::always_inline]] inline void hadamard(Lines& z) noexcept
{
    using Lanes = std::remove_cv_t<std::remove_reference_t<decltype(z[0])>>;
    constexpr int width = static_cast<int>(sizeof(Lanes) / sizeof(float));
    constexpr auto count = static_cast<std::size_t>(tailLineCount / width);
    if constexpr (width > 1)
        for (std::size_t q = 0; q < count; ++q)
            z[q] = hadamardDetail::stagesInside<width>(z[q]);
    for (std::size_t stride = 1; stride < count; stride *= 2)
        for (std::size_t block = 0; block < count; block += 2 * stride)
            for (std::size_t j = block; j < block + stride; ++j)
            {
                const auto a = z[j];
                const auto b = z[j + stride];
                z[j] = a + b;
                z[j + stride] = a - b;
            }
}
} // namespace zq6
