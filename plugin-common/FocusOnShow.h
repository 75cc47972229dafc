#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace quil::ui
{
// Gives a component the keyboard focus whenever it becomes visible on screen. A component that
// does not take the focus itself hands it to its first focusable child.
class FocusOnShow : private juce::ComponentListener
{
public:
    explicit FocusOnShow(juce::Component& target);
    ~FocusOnShow() override;

private:
    void componentVisibilityChanged(juce::Component& component) override;
    void componentParentHierarchyChanged(juce::Component& component) override;
    void focusIfShowing();

    juce::Component& target;

    JUCE_DECLARE_NON_COPYABLE(FocusOnShow)
};
} // namespace quil::ui
