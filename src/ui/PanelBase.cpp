#include "PanelBase.h"

namespace zq6::ui
{
PanelBase::PanelBase(const UiContext& uiContext, const juce::String& id) : context(uiContext), layoutId(id)
{
    setName(id);
    setInterceptsMouseClicks(false, true);
}
} // namespace zq6::ui
