#include "PanelKnobs.h"

#include "../help/HelpTable.h"

namespace zq6::ui
{
PanelKnobs::PanelKnobs(const UiContext& context, juce::AudioProcessorValueTreeState& parameters,
                       juce::Component& panel, std::initializer_list<KnobSpec> specs)
{
    for (const auto& spec : specs)
    {
        auto knob = std::make_unique<GlassKnob>(context, parameters, spec.parameterId, spec.layoutId, spec.title,
                                                spec.options);
        knob->setTooltip(tooltipText(spec.parameterId));
        knob->setComponentID(spec.parameterId);
        knob->addTo(panel);
        knobs.push_back(std::move(knob));
    }
}

void PanelKnobs::place(juce::Point<int> panelOrigin)
{
    for (auto& knob : knobs)
        knob->place(panelOrigin);
}

GlassKnob& PanelKnobs::get(const juce::String& parameterId)
{
    for (auto& knob : knobs)
        if (knob->getComponentID() == parameterId)
            return *knob;
    jassertfalse;
    return *knobs.front();
}
} // namespace zq6::ui
