#pragma once

#include "MouseDriver.h"

#include "processor/ZQ6AudioProcessor.h"
#include "ui/controls/GlassKnob.h"
#include "ui/shell/GlassLookAndFeel.h"
#include "ui/shell/Layout.h"
#include "ui/help/TipPopup.h"
#include "ui/shell/UiContext.h"

#include "../plugin-common/BakedLayer.h"

#include <memory>
#include <vector>

namespace zq6::test
{
// Knobs on screen as an editor would hold them: a window of the editor's size at a scale, the
// shipped layout, faces and look and feel, the printed background and the help popup above all.
// The window itself stands for the panel, so knobs are placed at their editor positions.
class KnobBench
{
public:
    explicit KnobBench(float scale = 1.0f);
    ~KnobBench();

    ui::GlassKnob& add(const juce::String& parameterId, const juce::String& layoutId, ui::KnobOptions options = {});

    // Sets a parameter in its own units, as the host would.
    void set(const juce::String& parameterId, float value);
    float valueOf(const juce::String& parameterId);

    // The knob painted alone at the given pixel scale.
    static juce::Image snapshot(ui::GlassKnob& knob, float pixelScale = 1.0f);
    // How bright a pixel of a snapshot shows over the black chassis.
    static float brightnessOverBlack(juce::Colour pixel);
    // Whether each tick of the ring shows lit in a snapshot of the knob.
    std::vector<bool> litTicks(ui::GlassKnob& knob);
    static juce::Colour tickColourAt(const juce::Image& image, juce::Point<int> at);
    // A point on the ring at `proportion` of the travel and `radius` body radii from the centre.
    juce::Point<float> ringPoint(ui::GlassKnob& knob, float proportion, float radius) const;
    // The picture of an editor area, background and knobs together.
    juce::Image picture(juce::Rectangle<int> area, float pixelScale = 2.0f);

    ZQ6AudioProcessor processor;
    ui::Layout layout;
    ui::UiContext context;
    std::unique_ptr<ui::GlassLookAndFeel> lookAndFeel;
    DesktopTestWindow window;
    quil::ui::BakedLayer background;
    ui::TipPopup popup;
    MouseDriver mouse { window };
    std::vector<std::unique_ptr<ui::GlassKnob>> knobs;
};
} // namespace zq6::test
