#pragma once

#include "../controls/ChoiceGroup.h"
#include "PanelBase.h"
#include "PanelKnobs.h"

namespace zq6::ui
{
// The Space panel: the eleven reverb knobs and the Decay and Pre-delay unit toggles. The two knobs
// of each unit pair share a place; the toggle decides which one shows.
class SpacePanel : public PanelBase
{
public:
    SpacePanel(const UiContext& context, juce::AudioProcessorValueTreeState& parameters);

    // Shows the knob of each pair that its unit parameter selects.
    void updateUnits();

    GlassKnob& knob(const juce::String& parameterId) { return knobs.get(parameterId); }
    const std::vector<std::unique_ptr<GlassKnob>>& allKnobs() const noexcept { return knobs.all(); }
    ChoiceGroup& getDecayUnit() noexcept { return decayUnit; }
    ChoiceGroup& getPreDelayUnit() noexcept { return preDelayUnit; }

    void resized() override;

private:
    void setUpToggle(ChoiceGroup& toggle, const char* parameterId, const char* helpKey);

    juce::AudioProcessorValueTreeState& parameters;
    PanelKnobs knobs;
    ChoiceGroup decayUnit;
    ChoiceGroup preDelayUnit;
};
} // namespace zq6::ui
