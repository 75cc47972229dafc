#pragma once

#include <juce_graphics/juce_graphics.h>

// A graphics context drawing in layout units onto an image of device pixels, with the soft
// effects a printed front needs: drop shadows, inner shadows and glows.
class BakeCanvas
{
public:
    BakeCanvas(juce::Image& target, float pixelsPerUnit);

    juce::Graphics& graphics() noexcept { return g; }
    float scale() const noexcept { return pixelsPerUnit; }

    // A blurred copy of the shape's coverage, moved by `offset` units, under what follows.
    void dropShadow(const juce::Path& shape, juce::Colour colour, float blurUnits, juce::Point<float> offset);
    // Darkness falling inward from the shape's edges, as if the shape were cut into the surface.
    void innerShadow(const juce::Path& shape, juce::Colour colour, float blurUnits, juce::Point<float> offset);
    // A blurred halo of the shape's coverage.
    void glow(const juce::Path& shape, juce::Colour colour, float blurUnits);

private:
    void drawMask(const juce::Path& unitShape, juce::Colour colour, float blurUnits, juce::Point<float> offset,
                  bool inverted);

    juce::Graphics g;
    float pixelsPerUnit;
};
