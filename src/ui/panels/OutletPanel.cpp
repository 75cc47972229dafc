#include "OutletPanel.h"

#include "../help/HelpTable.h"

namespace zq6::ui
{
namespace
{
constexpr float fixedSendMix = 1.0f;
} // namespace

OutletPanel::OutletPanel(const UiContext& uiContext, juce::AudioProcessorValueTreeState& parameters)
    : PanelBase(uiContext, "outlet"),
      knobs(uiContext, parameters, *this,
            { { "mix", "knob.mix", "Mix" }, { "output", "knob.output", "Output", litFromZero } }),
      meters(uiContext)
{
    applyHelp(meters, "ui.meters");
    meters.setTooltip(tooltipText("ui.meters"));
    addAndMakeVisible(meters);
}

void OutletPanel::setSendMode(bool send)
{
    auto& mix = getMix();
    if (send == mix.isFixed())
        return;
    if (send)
    {
        mix.closeHelp();
        mix.setFixed(fixedSendMix);
    }
    else
    {
        mix.clearFixed();
    }
    mix.setEnabled(!send);
    mix.setInterceptsMouseClicks(!send, !send);
    mix.getWindowHit().setInterceptsMouseClicks(!send, !send);
    mix.getReadout().setEnabled(!send);
}

void OutletPanel::resized()
{
    knobs.place(origin());
    meters.setBounds(placeOf("outlet.meter"));
}
} // namespace zq6::ui
