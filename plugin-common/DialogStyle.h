#pragma once

#include <juce_graphics/juce_graphics.h>

namespace quil::ui
{
// Faces, scale and colours of a dialog drawn over an editor; the editor fills it from its own
// look. Lengths are base units times the scale.
struct DialogStyle
{
    juce::Typeface::Ptr regular;
    juce::Typeface::Ptr bold;
    float scale = 1.0f;

    juce::Colour backdrop { 0x99000000 };
    juce::Colour panel { 0xFF101317 };
    juce::Colour outline { 0x38FFFFFF };
    juce::Colour button { 0xFF282A2E };
    juce::Colour field { 0xFF060E1E };
    juce::Colour text { 0xFFF3F8FC };
    juce::Colour softText { 0xF2DEEAF5 };
    juce::Colour accent { 0xFFBCD9E6 };
    juce::Colour error { 0xFFFF9A86 };

    // The face at an em size of `size` base units.
    juce::Font font(float size, bool isBold = false) const;
    float px(float length) const noexcept { return length * scale; }
};
} // namespace quil::ui
