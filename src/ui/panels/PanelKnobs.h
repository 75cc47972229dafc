#pragma once

#include "../controls/GlassKnob.h"
#include "../controls/KnobSpec.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace zq6::ui
{
// The knobs of one panel, built from its table: each added to the panel with its companions and
// carrying its parameter's tooltip.
class PanelKnobs
{
public:
    PanelKnobs(const UiContext& context, juce::AudioProcessorValueTreeState& parameters, juce::Component& panel,
               std::initializer_list<KnobSpec> specs);

    // Places every knob; `panelOrigin` is the panel's scaled position.
    void place(juce::Point<int> panelOrigin);

    // The knob bound to `parameterId`; the table must hold it.
    GlassKnob& get(const juce::String& parameterId);
    const std::vector<std::unique_ptr<GlassKnob>>& all() const noexcept { return knobs; }

private:
    std::vector<std::unique_ptr<GlassKnob>> knobs;
};
} // namespace zq6::ui
