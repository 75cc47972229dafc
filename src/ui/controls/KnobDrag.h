#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

namespace zq6::ui
{
// Where a drag on a knob points the slider. Fine mode covers a sixth of the distance per pixel,
// switching it mid-drag never makes the value jump, and nothing moves until the pointer has left a
// small dead zone around the press, after which the value starts from where it was.
class KnobDrag
{
public:
    void press(juce::Point<float> at, bool fine);
    // The position the slider should see, or nothing while the pointer is still in the dead zone
    // of `deadZone` pixels (vertically) around the press.
    std::optional<juce::Point<float>> move(juce::Point<float> at, bool fine, float deadZone);

    bool started() const noexcept { return dragStarted; }

    static constexpr float fineDivisor = 6.0f;

private:
    struct FineMode
    {
        bool active = false;
        juce::Point<float> offset;
        juce::Point<float> anchor;
        juce::Point<float> virtualPoint;
    };

    juce::Point<float> mapped(juce::Point<float> at) const noexcept;
    void switchMode(juce::Point<float> at, bool fineNow) noexcept;

    FineMode fine;
    juce::Point<float> pressPosition;
    bool dragStarted = false;
    juce::Point<float> deadZoneOffset;
};
} // namespace zq6::ui
