#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace quil::ui
{
// Area-averaging image reduction: every target pixel is the mean of the source pixels it covers,
// partial pixels counted by their covered fraction. Sharp and alias-free for any reduction ratio.
class BoxFilter
{
public:
    // The source pixels that make up one target pixel along one axis.
    struct Span
    {
        int first = 0;
        std::vector<float> weights;
    };

    // One span per target pixel for a reduction from sourceSize to targetSize (targetSize <= sourceSize).
    static std::vector<Span> spans(int sourceSize, int targetSize);

    // A copy of `source` reduced to width x height, each no larger than the source's; same pixel format.
    static juce::Image reduce(const juce::Image& source, int width, int height);
};
} // namespace quil::ui
