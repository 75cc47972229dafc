#include "StagePanel.h"

namespace zq6::ui
{
namespace
{
// The "stage.view" height less 6.
constexpr float viewTypeSize = 20.0f;
} // namespace

StagePanel::StagePanel(const UiContext& uiContext, juce::AudioProcessorValueTreeState& parameters)
    : PanelBase(uiContext, "stage"),
      tail(uiContext),
      eq(uiContext, parameters),
      viewSwitch(uiContext, { "Tail", "EQ" }, 2, viewTypeSize)
{
    if (uiContext.layout != nullptr)
        viewSwitch.setSelectionMark(ChoiceGroup::markFromLayout(*uiContext.layout, "stage.view.mark", "stage.view.tail"));
    viewSwitch.setHelp("ui.stageView", { "ui.stageTail", "ui.stageEq" });
    viewSwitch.select(view, false);
    viewSwitch.onChange = [this](int item) { setView(item, true); };
    addChildComponent(tail);
    addChildComponent(eq);
    addAndMakeVisible(viewSwitch);
    showView();
}

void StagePanel::setView(int index, bool notify)
{
    const auto clamped = juce::jlimit(0, 1, index);
    viewSwitch.select(clamped, false);
    if (clamped == view)
        return;
    view = clamped;
    showView();
    repaint();
    if (notify && onViewChanged)
        onViewChanged(view);
}

void StagePanel::showView()
{
    tail.setVisible(view == 0);
    eq.setVisible(view == 1);
}

void StagePanel::resized()
{
    const auto window = placeOf("stage.window");
    tail.setBounds(window);
    eq.setBounds(window);
    viewSwitch.setBounds(placeOf("stage.view"));
}
} // namespace zq6::ui
