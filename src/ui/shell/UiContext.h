#pragma once

#include "GlowStyle.h"
#include "Layout.h"

#include <juce_graphics/juce_graphics.h>

namespace zq6::ui
{
class TipPopup;

// Editor-wide state every component reads: faces, checked layout, current scale, help popup, glow.
struct UiContext
{
    juce::Typeface::Ptr regular;
    juce::Typeface::Ptr bold;
    const Layout* layout = nullptr;
    float scale = 1.0f;
    TipPopup* tipPopup = nullptr;
    GlowStyle glow;

    // Makes the regular and bold faces from the fonts built into the plug-in.
    void useEmbeddedFaces();

    // The regular or bold face at an em size of `size` base units; tracking adds extra kerning.
    juce::Font font(float size, bool isBold = false, float tracking = 0.0f) const;
};
} // namespace zq6::ui
