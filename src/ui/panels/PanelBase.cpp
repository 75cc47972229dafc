#include "PanelBase.h"

#include "../help/HelpTable.h"

namespace zq6::ui
{
PanelBase::PanelBase(const UiContext& uiContext, const juce::String& id) : context(uiContext), layoutId(id)
{
    setName(id);
    setInterceptsMouseClicks(false, true);
    applyHelp(*this, helpKeyFor(id));
}

juce::String PanelBase::helpKeyFor(const juce::String& id)
{
    return "ui.panel" + id.substring(0, 1).toUpperCase() + id.substring(1);
}

juce::Point<int> PanelBase::origin() const
{
    return context.layout != nullptr ? context.layout->scaledRect(layoutId, context.scale).getPosition()
                                     : juce::Point<int>();
}

juce::Rectangle<int> PanelBase::placeOf(const juce::String& itemId) const
{
    if (context.layout == nullptr)
        return {};
    return context.layout->scaledRect(itemId, context.scale) - origin();
}
} // namespace zq6::ui
