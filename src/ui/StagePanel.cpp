#include "StagePanel.h"

namespace zq6::ui
{
StagePanel::StagePanel(const UiContext& uiContext) : PanelBase(uiContext, "stage") {}

void StagePanel::setView(int index, bool notify)
{
    const auto clamped = juce::jlimit(0, 1, index);
    if (clamped == view)
        return;
    view = clamped;
    repaint();
    if (notify && onViewChanged)
        onViewChanged(view);
}
} // namespace zq6::ui
