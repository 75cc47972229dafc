#pragma once

#include "../views/BandsView.h"
#include "../controls/ChoiceGroup.h"
#include "../controls/GlassButton.h"
#include "PanelBase.h"
#include "PanelKnobs.h"

namespace zq6::ui
{
// The Clean panel: Unmask, Shaping and early-reflection knobs, the Unmask speed, the reduction
// bands and the two Delta buttons, one of which may be on at a time. While a Delta plays the panel
// is outlined.
class CleanPanel : public PanelBase
{
public:
    CleanPanel(const UiContext& context, juce::AudioProcessorValueTreeState& parameters);
    ~CleanPanel() override;

    // Set by the editor's refresh; repaints on change.
    void setDeltaActive(bool active);
    bool isDeltaActive() const noexcept { return deltaActive; }

    GlassKnob& knob(const juce::String& parameterId) { return knobs.get(parameterId); }
    const std::vector<std::unique_ptr<GlassKnob>>& allKnobs() const noexcept { return knobs.all(); }
    ChoiceGroup& getSpeed() noexcept { return speed; }
    BandsView& getBands() noexcept { return bands; }
    GlassButton& getDeltaUnmask() noexcept { return deltaUnmask; }
    GlassButton& getDeltaShaping() noexcept { return deltaShaping; }

    void resized() override;
    void paintOverChildren(juce::Graphics& g) override;

private:
    void setUpDelta(GlassButton& button, const char* parameterId, const char* otherParameterId, const char* helpKey);

    juce::AudioProcessorValueTreeState& parameters;
    PanelKnobs knobs;
    ChoiceGroup speed;
    BandsView bands;
    GlassButton deltaUnmask;
    GlassButton deltaShaping;
    std::vector<std::unique_ptr<juce::ParameterAttachment>> deltaAttachments;
    bool deltaActive = false;
};
} // namespace zq6::ui
