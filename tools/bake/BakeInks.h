#pragma once

#include <juce_graphics/juce_graphics.h>

// Colours of the printed front: the four inks the layout names and the materials under them.
namespace bake
{
inline const juce::Colour print { 0xFFD3D9E1 };
inline const juce::Colour printDim { 0xFF858E99 };
inline const juce::Colour disp { 0xFFBCD9E6 };
inline const juce::Colour dispDim { 0xFF6C8899 };

inline const juce::Colour chassisTop { 0xFF101215 };
inline const juce::Colour chassisBottom { 0xFF07080A };
inline const juce::Colour panelTop { 0xFF1D2025 };
inline const juce::Colour panelBottom { 0xFF131518 };
inline const juce::Colour wellFloor { 0xFF060709 };
inline const juce::Colour displayTop { 0xFF060B12 };
inline const juce::Colour displayBottom { 0xFF09101A };
inline const juce::Colour displayBloom { 0xFF0E1A2A };
inline const juce::Colour capTop { 0xFF272A30 };
inline const juce::Colour capBottom { 0xFF17191C };

// The ink a "tone" names; unknown tones print in the main ink.
inline juce::Colour ink(const juce::String& tone)
{
    if (tone == "printDim")
        return printDim;
    if (tone == "disp")
        return disp;
    if (tone == "dispDim")
        return dispDim;
    return print;
}

inline bool isDisplayInk(const juce::String& tone)
{
    return tone == "disp" || tone == "dispDim";
}
} // namespace bake
