#pragma once

#include <cmath>
#include <cstdint>

namespace zq6::ui
{
// Smooth 2-D noise in 0..1 from hashed lattice values, the same on every machine.
struct ValueNoise
{
    static float lattice(std::int32_t x, std::int32_t y) noexcept
    {
        const auto a = static_cast<std::uint32_t>(y) * 668265263u + static_cast<std::uint32_t>(x) * 374761393u;
        const auto b = (a ^ (a >> 13)) * 1274126177u;
        return static_cast<float>(static_cast<double>(b ^ (b >> 16)) * (1.0 / 4294967296.0));
    }

    static float at(double x, double y) noexcept
    {
        const auto xf = std::floor(x);
        const auto yf = std::floor(y);
        const auto xi = static_cast<std::int32_t>(xf);
        const auto yi = static_cast<std::int32_t>(yf);
        const auto sx = smoothstep(static_cast<float>(x - xf));
        const auto sy = smoothstep(static_cast<float>(y - yf));
        const auto bottom = lerp(lattice(xi, yi), lattice(xi + 1, yi), sx);
        const auto top = lerp(lattice(xi, yi + 1), lattice(xi + 1, yi + 1), sx);
        return lerp(bottom, top, sy);
    }

private:
    static float smoothstep(float z) noexcept { return (3.0f - 2.0f * z) * z * z; }
    static float lerp(float a, float b, float t) noexcept { return a + (b - a) * t; }
};
} // namespace zq6::ui
