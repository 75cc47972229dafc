#pragma once

#include <juce_graphics/juce_graphics.h>

// Single-channel coverage masks with a gaussian-like blur, for soft shadows, inner shadows and glows.
class SoftMask
{
public:
    // The coverage of `path` (device pixels) blurred by `radius` pixels, in an image whose top-left
    // corner sits at `origin` in device pixels.
    SoftMask(const juce::Path& path, float radius, bool inverted = false);

    const juce::Image& image() const noexcept { return mask; }
    juce::Point<int> origin() const noexcept { return topLeft; }

private:
    // Three box passes along each axis approach a gaussian of the same width.
    static void blur(juce::Image& image, int radius);
    static void boxPass(juce::uint8* data, int count, int stride, int radius, std::vector<int>& scratch);

    juce::Image mask;
    juce::Point<int> topLeft;
};
