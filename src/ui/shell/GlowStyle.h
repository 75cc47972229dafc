#pragma once

namespace zq6::ui
{
// Soft halo drawn around lit marks: strokes stacked from wide and faint to narrow and strong.
struct GlowStyle
{
    float radius = 2.5f;
    float intensity = 0.25f;
    int steps = 6;
    float spread = 2.5f;
};
} // namespace zq6::ui
