#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
// What the Learn button's face shows: its size and state at the moment of painting.
struct LearnFaceState
{
    float scale = 1.0f;
    // Groove width and corner radius in base units.
    float groove = 0.0f;
    float cornerRadius = 0.0f;
    // Listening progress 0..1, or below 0 when none is shown.
    float progress = -1.0f;
    bool learned = false;
    bool enabled = true;
    bool hovered = false;
    bool pressed = false;
};

// The face inside the groove, in the button's own pixels, and its corner radius.
juce::Rectangle<float> learnFaceArea(juce::Rectangle<float> bounds, const LearnFaceState& state);
float learnFaceCorner(juce::Rectangle<float> face, const LearnFaceState& state);

// Face, lit glow, inner shade, highlight and outline, all clipped to the face; the texts are the
// button's own.
void paintLearnFace(juce::Graphics& g, juce::Rectangle<float> bounds, const LearnFaceState& state);
} // namespace zq6::ui
