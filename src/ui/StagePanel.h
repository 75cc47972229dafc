#pragma once

#include "PanelBase.h"

#include <functional>

namespace zq6::ui
{
// The Stage panel: shows the reverb tail (view 0) or the Wet EQ (view 1).
class StagePanel : public PanelBase
{
public:
    explicit StagePanel(const UiContext& context);

    // Clamps the index to 0..1; calls onViewChanged only when asked to and the view changed.
    void setView(int index, bool notify);
    int getView() const noexcept { return view; }

    std::function<void(int)> onViewChanged;

private:
    int view = 0;
};
} // namespace zq6::ui
