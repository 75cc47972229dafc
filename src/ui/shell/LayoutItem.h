#pragma once

#include <juce_core/juce_core.h>
#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
// One checked element of the layout file; geometry in base units.
struct LayoutItem
{
    juce::String id;
    juce::String kind;
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
    juce::var props;

    // The key's value when it is a number, else 0.
    float number(const juce::Identifier& key) const;

    // Edges rounded to the nearest pixel (ties to even), so neighbours share their edges exactly.
    juce::Rectangle<int> scaled(float scale) const;
};
} // namespace zq6::ui
