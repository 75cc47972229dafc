#include "ShippedUi.h"

#include <UiResources.h>

namespace zq6::test
{
ShippedUi::ShippedUi(float scale)
{
    layout.load(juce::String::fromUTF8(UiResources::layout_json, UiResources::layout_jsonSize));
    context.regular = juce::Typeface::createSystemTypefaceFor(UiResources::InterRegular_otf,
                                                              static_cast<size_t>(UiResources::InterRegular_otfSize));
    context.bold = juce::Typeface::createSystemTypefaceFor(UiResources::InterBold_otf,
                                                           static_cast<size_t>(UiResources::InterBold_otfSize));
    context.layout = &layout;
    context.scale = scale;
}
} // namespace zq6::test
