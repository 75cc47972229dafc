#include "BakeCanvas.h"

#include "SoftMask.h"

BakeCanvas::BakeCanvas(juce::Image& target, float scale) : g(target), pixelsPerUnit(scale)
{
    g.addTransform(juce::AffineTransform::scale(scale));
    g.setImageResamplingQuality(juce::Graphics::highResamplingQuality);
}

void BakeCanvas::dropShadow(const juce::Path& shape, juce::Colour colour, float blurUnits, juce::Point<float> offset)
{
    drawMask(shape, colour, blurUnits, offset, false);
}

void BakeCanvas::innerShadow(const juce::Path& shape, juce::Colour colour, float blurUnits,
                             juce::Point<float> offset)
{
    const juce::Graphics::ScopedSaveState state(g);
    g.reduceClipRegion(shape);
    drawMask(shape, colour, blurUnits, offset, true);
}

void BakeCanvas::glow(const juce::Path& shape, juce::Colour colour, float blurUnits)
{
    drawMask(shape, colour, blurUnits, {}, false);
}

void BakeCanvas::drawMask(const juce::Path& unitShape, juce::Colour colour, float blurUnits,
                          juce::Point<float> offset, bool inverted)
{
    auto devicePath = unitShape;
    devicePath.applyTransform(juce::AffineTransform::translation(offset).scaled(pixelsPerUnit));
    const SoftMask mask(devicePath, blurUnits * pixelsPerUnit, inverted);

    // The mask is in device pixels: undo the unit scale so it lands one to one.
    const auto origin = mask.origin().toFloat();
    g.setColour(colour);
    g.drawImageTransformed(mask.image(),
                           juce::AffineTransform::translation(origin).scaled(1.0f / pixelsPerUnit), true);
}
