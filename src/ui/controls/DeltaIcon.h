#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
// The headphones of the Delta buttons as a filled outline: a headband over two ear cups, drawn in
// a 16 x 16 design box and scaled into `box`.
juce::Path deltaIconPath(juce::Rectangle<float> box);
} // namespace zq6::ui
