#include "ShippedLayout.h"

#include <UiResources.h>

namespace zq6::test
{
ui::Layout shippedLayout()
{
    ui::Layout layout;
    layout.load(juce::String::fromUTF8(UiResources::layout_json, UiResources::layout_jsonSize));
    return layout;
}
} // namespace zq6::test
