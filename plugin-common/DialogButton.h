#pragma once

#include "DialogStyle.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace quil::ui
{
// A plain push button of a dialog; as a toggle it marks the chosen one of a row of options.
class DialogButton : public juce::Button
{
public:
    DialogButton(const DialogStyle& style, const juce::String& text);

    void paintButton(juce::Graphics& g, bool isHighlighted, bool isDown) override;

private:
    const DialogStyle& style;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DialogButton)
};
} // namespace quil::ui
