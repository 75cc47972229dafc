#pragma once

#include <juce_graphics/juce_graphics.h>

// Colours of everything the editor draws live; the printed inks belong to the baked background.
namespace zq6::ui::palette
{
inline const juce::Colour accent { 0xFFBCD9E6 };
inline const juce::Colour pointer { 0xFFEDEEF1 };
inline const juce::Colour brightText { 0xFFF3F8FC };
inline const juce::Colour value { 0xFFDCEEF7 };
inline const juce::Colour softText { 0xF2DEEAF5 };
inline const juce::Colour headerText { 0xD1D4E2F0 };
inline const juce::Colour suggestion { 0xFFFFFFFF };
inline const juce::Colour salmon { 0xFFFF9A86 };
inline const juce::Colour menuBackground { 0xFE0B0D10 };
inline const juce::Colour tooltipBackground { 0xFF0E1A30 };
inline const juce::Colour editorBackground { 0xFF060E1E };
inline const juce::Colour chassis { 0xFF000000 };
inline const juce::Colour whiteVeil { 0xFFFFFFFF };
inline const juce::Colour unlitSegment { 0x474A5A6C };

inline const juce::Colour salmonLight { 0xFFFFD0C6 };
inline const juce::Colour amber { 0xFFFFD36E };
inline const juce::Colour graphite { 0xFF282A2E };
inline const juce::Colour graphiteLight { 0xFF3C3E42 };
inline const juce::Colour steel { 0xFF8C95A0 };
inline const juce::Colour wetEq { 0xFFC7B8FF };
inline const juce::Colour translucentDark { 0x4C040A18 };

// Alphas of the white veil, out of 255.
inline constexpr juce::uint8 menuHighlightAlpha = 23;
inline constexpr juce::uint8 tooltipOutlineAlpha = 56;
} // namespace zq6::ui::palette
