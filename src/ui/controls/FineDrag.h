#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
// Turns pointer positions into the dragged position. Normally the two move together; in fine mode
// (Shift held) the dragged position moves a sixth as far. Switching mode mid-drag re-anchors, so
// the dragged position never jumps.
struct FineDrag
{
    static constexpr float ratio = 6.0f;

    bool active = false;
    juce::Point<float> offset, anchor, virtualPoint;

    // `dragged` is where the dragged thing is when the pointer is pressed at `pointer`.
    void start(juce::Point<float> pointer, juce::Point<float> dragged, bool fine) noexcept;
    juce::Point<float> map(juce::Point<float> pointer, bool fine) noexcept;

private:
    juce::Point<float> mapped(juce::Point<float> pointer) const noexcept;
};
} // namespace zq6::ui
