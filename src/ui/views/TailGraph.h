#pragma once

#include "../shell/Layout.h"
#include "TailGraphInputs.h"

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <vector>

namespace zq6::ui
{
// The tail drawn as 32 ridges from the front (time 0, full width) to the back (the end of the
// decay, higher and narrower), each a spectrum from 20 Hz to 20 kHz, hidden where nearer ridges
// cover it. All coordinates are base units inside the tail window's inner area.
class TailGraph
{
public:
    static constexpr int ridgeCount = 32;
    static constexpr int pointCount = 101;
    static constexpr float leftMargin = 58.0f;
    static constexpr float innerInset = 2.4f;

    // The tail window's size and the highest y a ridge may reach, from the layout.
    struct Frame
    {
        float width = 0.0f;
        float height = 0.0f;
        float top = 0.0f;

        static Frame fromLayout(const juce::String& windowId, const juce::String& selectorId, const Layout& layout);
    };

    struct Ridge
    {
        std::array<float, pointCount> x {};
        std::array<float, pointCount> y {};
        juce::Path visiblePath;
        juce::Colour colour;
        float alpha = 1.0f;
    };

    static TailGraph compute(const TailGraphInputs& inputs, const Frame& frame);

    const Ridge& ridge(int r) const { return ridges[static_cast<size_t>(r)]; }
    float plotWidth() const noexcept { return plot; }
    float baseline() const noexcept { return y0; }
    // Lowest y each column of the inner area reached once every ridge was drawn.
    const std::vector<float>& horizon() const noexcept { return horizonY; }

    // The time axis rises from the front ridge's left end to the back ridge's.
    juce::Line<float> timeAxis() const;
    // Where a time on the axis sits, 0 at the front ridge.
    juce::Point<float> axisPoint(float seconds) const;
    // The kept time-grid ticks in seconds, at least 14 units apart on the axis.
    const std::vector<float>& timeTicks() const noexcept { return ticks; }
    // Decimals a tick's label needs for the grid step: 0, 1 or 2.
    int tickDecimals() const noexcept { return decimals; }
    float frequencyX(float hz) const;

private:
    void computeTimeGrid();
    void hideCoveredLines();

    std::array<Ridge, ridgeCount> ridges;
    std::vector<float> horizonY;
    std::vector<float> ticks;
    float plot = 0.0f;
    float y0 = 0.0f;
    float depth = 0.0f;
    float narrowing = 0.0f;
    float heightScale = 1.0f;
    float decay = 1.0f;
    int decimals = 0;
};
} // namespace zq6::ui
