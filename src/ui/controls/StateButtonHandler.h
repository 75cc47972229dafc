#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zq6::ui
{
// Tells screen readers what a button is: its role, whether a toggle is on, and a read-only value text
// (the caption of a toggle cap, the text in a display window). Pressing and toggling click it.
class StateButtonHandler : public juce::AccessibilityHandler
{
public:
    using ValueText = std::function<juce::String()>;

    // Without a value text the button reports no value.
    StateButtonHandler(juce::Button& button, juce::AccessibilityRole role, ValueText valueText);

    juce::AccessibleState getCurrentState() const override;
    juce::String getTitle() const override;
    juce::String getHelp() const override;

    // The value a screen reader reads out; the user cannot change it.
    class TextValue : public juce::AccessibilityTextValueInterface
    {
    public:
        explicit TextValue(ValueText valueText);

        bool isReadOnly() const override { return true; }
        juce::String getCurrentValueAsString() const override;
        void setValueAsString(const juce::String&) override {}

    private:
        const ValueText text;
    };

private:
    juce::Button& button;
};
} // namespace zq6::ui
