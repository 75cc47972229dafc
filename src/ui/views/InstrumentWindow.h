#pragma once

#include "OnsetPulse.h"
#include "../shell/ReducedMotionCheck.h"
#include "TailGraph.h"
#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace zq6::ui
{
// The Stage panel's tail view: the ridge graph of the current reverb settings, drawn from a cached
// image, with axis labels on top and a pulse that runs through the ridges on each input onset.
class InstrumentWindow : public juce::Component
{
public:
    // Milliseconds from a steady high-resolution counter.
    using Clock = std::function<double()>;
    using MotionQuery = std::function<bool()>;

    // Without a clock the high-resolution counter is used; without a query, the desktop's setting.
    explicit InstrumentWindow(const UiContext& context, Clock clock = {}, MotionQuery prefersReducedMotion = {});

    // One refresh while the tail shows: a new graph when an input changed, and the onset pulse
    // from the input peaks read since the last refresh.
    void refresh(const TailGraphInputs& inputs, float inputPeakLeft, float inputPeakRight);

    const TailGraph& getGraph() const noexcept { return graph; }
    const TailGraphInputs& getInputs() const noexcept { return inputs; }
    const OnsetPulse& getPulse() const noexcept { return pulse; }
    // How often the graph was computed, the first time at construction.
    int graphCount() const noexcept { return graphs; }

    void paint(juce::Graphics& g) override;

private:
    juce::Rectangle<float> innerArea() const;
    void renderGraph(juce::Point<int> pixelSize, float pixelScale);
    void paintLabels(juce::Graphics& g) const;
    void paintPulse(juce::Graphics& g) const;
    float lineWidth() const;

    const UiContext& context;
    const TailGraph::Frame frame;
    Clock clock;
    std::unique_ptr<ReducedMotionCheck> motionCheck;
    MotionQuery prefersReducedMotion;
    TailGraphInputs inputs;
    TailGraph graph;
    int graphs = 1;
    OnsetPulse pulse;
    juce::Image image;
    float imagePixelScale = 0.0f;
    bool dirty = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(InstrumentWindow)
};
} // namespace zq6::ui
