#pragma once

#include "LayoutItem.h"

#include <vector>

namespace zq6::ui
{
// The checked layout file: canvas and window sizes, shared style values and the items in file order.
// Until a file is accepted it holds the fallback sizes and no items.
class Layout
{
public:
    // Parses and checks the text; on success takes all its values, on failure changes nothing and
    // returns a message that begins with "layout: ".
    juce::Result load(const juce::String& text);

    // The first item with this id, or a shared empty item.
    const LayoutItem& item(const juce::String& id) const;
    juce::Rectangle<int> scaledRect(const juce::String& id, float scale) const { return item(id).scaled(scale); }
    float number(const juce::String& id, const juce::Identifier& key) const { return item(id).number(key); }
    // A value of "style.<group>", 0 when missing or not a number.
    float styleNumber(const juce::Identifier& group, const juce::Identifier& key) const;

    // Height that keeps the canvas's aspect ratio at `width`, rounded to the nearest pixel.
    int heightForWidth(int width) const;

    juce::String product;
    int baseWidth = 960;
    int baseHeight = 540;
    int minWidth = 720;
    int maxWidth = 1280;
    int defaultWidth = 0;
    int bakeWidth = 0;
    juce::var style;
    std::vector<LayoutItem> items;
};
} // namespace zq6::ui
