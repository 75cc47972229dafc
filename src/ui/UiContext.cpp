#include "UiContext.h"

namespace zq6::ui
{
juce::Font UiContext::font(float size, bool isBold, float tracking) const
{
    const auto& face = isBold ? bold : regular;
    auto f = face != nullptr ? juce::Font(face) : juce::Font();
    f = f.withPointHeight(size * scale);
    return tracking != 0.0f ? f.withExtraKerningFactor(tracking) : f;
}
} // namespace zq6::ui
