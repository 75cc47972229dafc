#pragma once

#include "TailTables.h"

#include <array>
#include <cstddef>

namespace zq6
{
// Unnormalised 16-point Walsh-Hadamard transform: stages of stride 1, 2, 4, 8. Scaled by 1/4 it
// keeps the energy of what it mixes, so the tail's loop gain stays in its feedback gains.
inline void hadamard(std::array<float, tailLineCount>& z) noexcept
{
    for (std::size_t stride = 1; stride < z.size(); stride *= 2)
        for (std::size_t block = 0; block < z.size(); block += 2 * stride)
            for (std::size_t j = block; j < block + stride; ++j)
            {
                const auto a = z[j];
                const auto b = z[j + stride];
                z[j] = a + b;
                z[j + stride] = a - b;
            }
}
} // namespace zq6
