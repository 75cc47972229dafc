#pragma once

#include "../controls/ChoiceGroup.h"
#include "../views/InstrumentWindow.h"
#include "PanelBase.h"
#include "../views/WetEqView.h"

#include <functional>

namespace zq6::ui
{
// The Stage panel: shows the reverb tail (view 0) or the Wet EQ (view 1), switched by a Tail/EQ group.
class StagePanel : public PanelBase
{
public:
    StagePanel(const UiContext& context, juce::AudioProcessorValueTreeState& parameters);

    // Clamps the index to 0..1; calls onViewChanged only when asked to and the view changed.
    void setView(int index, bool notify);
    int getView() const noexcept { return view; }

    std::function<void(int)> onViewChanged;

    InstrumentWindow& getTail() noexcept { return tail; }
    WetEqView& getEq() noexcept { return eq; }
    ChoiceGroup& getViewSwitch() noexcept { return viewSwitch; }

    void resized() override;

private:
    void showView();

    InstrumentWindow tail;
    WetEqView eq;
    ChoiceGroup viewSwitch;
    int view = 0;
};
} // namespace zq6::ui
