#include "LayoutItem.h"

#include "LayoutNumbers.h"

#include <cmath>

namespace zq6::ui
{
float LayoutItem::number(const juce::Identifier& key) const
{
    return layoutNumber(props, key);
}

juce::Rectangle<int> LayoutItem::scaled(float scale) const
{
    const auto s = static_cast<double>(scale);
    const auto edge = [s](float v) { return static_cast<int>(std::nearbyint(static_cast<double>(v) * s)); };
    const auto left = edge(x);
    const auto top = edge(y);
    return { left, top, edge(x + w) - left, edge(y + h) - top };
}
} // namespace zq6::ui
