#pragma once

#include <cstdint>
#include <initializer_list>

namespace zq6::ui
{
// 64-bit key of a rendered image: every integer that shapes the image, folded in order.
inline std::uint64_t cacheKey(std::initializer_list<std::int64_t> values) noexcept
{
    std::uint64_t key = 0x14650fb0739d0383ULL;
    for (const auto v : values)
    {
        key ^= static_cast<std::uint64_t>(v);
        key *= 0x100000001b3ULL;
    }
    return key;
}
} // namespace zq6::ui
