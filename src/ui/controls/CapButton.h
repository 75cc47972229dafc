#pragma once

#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// A small cap of the header row. Its body is printed in the background; it draws the caption
// (when it has one), the lit bar of a toggle that is on, and the hover, press and disabled veils.
class CapButton : public juce::Button
{
public:
    CapButton(const UiContext& context, const juce::String& name, const juce::String& caption, bool isToggle);

    void setCaption(const juce::String& newCaption);
    const juce::String& getCaption() const noexcept { return caption; }

    void paintButton(juce::Graphics& g, bool isHighlighted, bool isDown) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    const UiContext& context;
    juce::String caption;
    const bool toggle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CapButton)
};
} // namespace zq6::ui
