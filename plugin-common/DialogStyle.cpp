#include "DialogStyle.h"

namespace quil::ui
{
juce::Font DialogStyle::font(float size, bool isBold) const
{
    const auto& face = isBold ? bold : regular;
    auto f = face != nullptr ? juce::Font(face) : juce::Font();
    if (face == nullptr && isBold)
        f.setBold(true);
    return f.withPointHeight(size * scale);
}
} // namespace quil::ui
