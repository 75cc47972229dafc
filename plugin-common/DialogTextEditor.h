#pragma once

#include "DialogStyle.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace quil::ui
{
// The multi-line text field of a dialog, with a placeholder while it is empty. Escape is left to
// the dialog, which closes on it.
class DialogTextEditor : public juce::TextEditor
{
public:
    DialogTextEditor(const DialogStyle& style, const juce::String& placeholder);

    // Takes the style's current scale and colours.
    void applyStyle();

private:
    const DialogStyle& style;
    const juce::String placeholder;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DialogTextEditor)
};
} // namespace quil::ui
