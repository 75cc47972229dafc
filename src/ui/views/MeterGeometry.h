#pragma once

#include "../shell/Layout.h"

#include <array>

namespace zq6::ui
{
// Where the meter's segments, peak numbers and clip lamps sit, in base units relative to the meter.
struct MeterGeometry
{
    enum Side
    {
        input = 0,
        output = 1
    };

    float barWidth = 9.0f;
    float barGap = 2.0f;
    float segmentHeight = 4.2f;
    float segmentGap = 2.2f;
    float segmentTop = 36.0f;
    float segmentBottom = 300.0f;
    std::array<float, 2> columns { 10.0f, 54.0f };
    int segmentCount = 41;
    std::array<juce::Rectangle<float>, 2> peakText;
    std::array<juce::Rectangle<float>, 2> lamp;

    // The shipped values until a layout holds the meter item.
    static MeterGeometry fromLayout(const Layout& layout);

    // Segment j (0 at the bottom) of bar 0..3: input left, input right, output left, output right.
    juce::Rectangle<float> segment(int bar, int j) const;
    // The side's number and lamp together, widened so a click near them still counts.
    juce::Rectangle<float> clickArea(int side) const;

private:
    static int countFor(float top, float bottom, float height, float gap);
};
} // namespace zq6::ui
