#pragma once

#include "MeterBar.h"
#include "MeterGeometry.h"
#include "PeakReadout.h"
#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <cstdint>

namespace zq6::ui
{
// Input and output level bars with held peak marks, the two peak numbers and their clip lamps.
// Fed by the editor's refresh; a click on a number (or its lamp) resets that side.
class MetersView : public juce::Component, public juce::SettableTooltipClient
{
public:
    using Peaks = std::array<float, 4>;

    explicit MetersView(const UiContext& context);

    // One refresh with the linear peaks read since the last: input left, input right, output left,
    // output right. Repaints only when something shown changed.
    void update(const Peaks& peaks);
    // Clears one side's held number and clip mark.
    void resetSide(int side);

    const MeterGeometry& getGeometry() const noexcept { return geometry; }
    const MeterBar& bar(int index) const { return bars[static_cast<size_t>(index)]; }
    const PeakReadout& readout(int side) const { return readouts[static_cast<size_t>(side)]; }
    // What a screen reader reads: both peak numbers and whether each side clipped.
    juce::String accessibleText() const;
    // How often the segments were rendered into the cached image.
    int renderCount() const noexcept { return renders; }

    void paint(juce::Graphics& g) override;
    bool hitTest(int x, int y) override;
    void mouseDown(const juce::MouseEvent& event) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    std::uint64_t marksKey(float pixelScale) const;
    void renderMarks(float pixelScale);
    void paintReadouts(juce::Graphics& g) const;
    juce::Rectangle<float> scaled(juce::Rectangle<float> baseRect) const;
    int sideAt(juce::Point<float> position) const;
    void announce();

    const UiContext& context;
    const MeterGeometry geometry;
    std::array<MeterBar, 4> bars;
    std::array<PeakReadout, 2> readouts;
    juce::Image marks;
    std::uint64_t marksCacheKey = 0;
    int renders = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MetersView)
};
} // namespace zq6::ui
