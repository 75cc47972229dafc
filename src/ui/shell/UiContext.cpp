#include "UiContext.h"

#include <UiResources.h>

namespace zq6::ui
{
void UiContext::useEmbeddedFaces()
{
    regular = juce::Typeface::createSystemTypefaceFor(UiResources::InterRegular_otf,
                                                      static_cast<size_t>(UiResources::InterRegular_otfSize));
    bold = juce::Typeface::createSystemTypefaceFor(UiResources::InterBold_otf,
                                                   static_cast<size_t>(UiResources::InterBold_otfSize));
}

juce::Font UiContext::font(float size, bool isBold, float tracking) const
{
    const auto& face = isBold ? bold : regular;
    auto f = face != nullptr ? juce::Font(face) : juce::Font();
    f = f.withPointHeight(size * scale);
    return tracking != 0.0f ? f.withExtraKerningFactor(tracking) : f;
}
} // namespace zq6::ui
