#pragma once

#include "../views/MetersView.h"
#include "PanelBase.h"
#include "PanelKnobs.h"

namespace zq6::ui
{
// The Outlet panel: Mix, Output and the level meters.
class OutletPanel : public PanelBase
{
public:
    OutletPanel(const UiContext& context, juce::AudioProcessorValueTreeState& parameters);

    // In Send mode Mix shows a fixed 100 %, is disabled and lets clicks through; Insert undoes it.
    void setSendMode(bool send);

    GlassKnob& getMix() { return knobs.get("mix"); }
    GlassKnob& getOutput() { return knobs.get("output"); }
    const std::vector<std::unique_ptr<GlassKnob>>& allKnobs() const noexcept { return knobs.all(); }
    MetersView& getMeters() noexcept { return meters; }

    void resized() override;

private:
    PanelKnobs knobs;
    MetersView meters;
};
} // namespace zq6::ui
