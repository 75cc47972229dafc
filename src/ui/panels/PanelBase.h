#pragma once

#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// A transparent component laid exactly over one of the panels printed in the background; it
// passes clicks through to its controls.
class PanelBase : public juce::Component
{
public:
    PanelBase(const UiContext& context, const juce::String& layoutId);

    const juce::String& getLayoutId() const noexcept { return layoutId; }

    // "ui.panel" and the id with its first letter in upper case: "learn" -> "ui.panelLearn".
    static juce::String helpKeyFor(const juce::String& layoutId);

protected:
    // The panel's own scaled position, which its controls' layout rectangles are relative to.
    juce::Point<int> origin() const;
    // A layout item's scaled rectangle relative to the panel.
    juce::Rectangle<int> placeOf(const juce::String& itemId) const;

    const UiContext& context;

private:
    const juce::String layoutId;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PanelBase)
};
} // namespace zq6::ui
