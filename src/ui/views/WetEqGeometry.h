#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
// Where the Wet EQ graph sits in its view: a logarithmic 20 Hz..20 kHz axis over x0..x0 + W and
// a ±12 dB gain area over y0..y0 + H, the outer 12 % of each half left free for the points.
struct WetEqGeometry
{
    juce::Rectangle<float> plot;
    float x0 = 0.0f, width = 0.0f;
    float y0 = 0.0f, height = 0.0f;
    float scale = 1.0f;

    static WetEqGeometry forSize(float componentWidth, float componentHeight, float scale);

    bool hasArea() const noexcept { return width > 0.0f && height > 0.0f; }
    juce::Rectangle<float> gainArea() const noexcept { return { x0, y0, width, height }; }

    float xOf(double hz) const noexcept;
    double frequencyAt(float x) const noexcept;
    float yOf(double gainDb) const noexcept;
    // Rounded to 0.1 dB.
    double gainAt(float y) const noexcept;
    // The right edge where the low-pass rests when it is off.
    float lowPassOffX() const noexcept { return x0 + width - 3.5f * scale; }
};
} // namespace zq6::ui
