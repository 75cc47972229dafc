#pragma once

#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

namespace zq6::ui
{
// Unmask's reduction in its 24 bands, as bars hanging from the top: a full bar is 24 dB.
class BandsView : public juce::Component
{
public:
    static constexpr int bandCount = 24;
    // As Unmask publishes them.
    using Reductions = std::array<float, bandCount>;

    explicit BandsView(const UiContext& context);

    // One refresh with the reductions in positive dB; repaints when a bar moved visibly.
    void update(const Reductions& reductionsDb);

    // Shown height of band j, 0..1.
    float shown(int band) const { return values[static_cast<size_t>(band)]; }
    // Bar j in component pixels; empty when it is too short to draw.
    juce::Rectangle<float> barArea(int band) const;

    void paint(juce::Graphics& g) override;

private:
    juce::Rectangle<float> innerArea() const;

    const UiContext& context;
    const float gap;
    const float barRatio;
    Reductions values {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BandsView)
};
} // namespace zq6::ui
