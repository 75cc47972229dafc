#pragma once

#include "../shell/UiContext.h"

#include "../../../plugin-common/DoubleClickValueEntry.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// One value of the selected Wet EQ point (frequency, gain or Q) with its unit; a double-click on
// it, or open(), lets the user type a new value.
class WetEqValueField : public juce::Component
{
public:
    WetEqValueField(const UiContext& context, quil::ui::DoubleClickValueEntry::Callbacks callbacks,
                    bool allowsKiloSuffix);

    void setText(const juce::String& newText);
    const juce::String& getText() const noexcept { return text; }
    // Width of the text in the field's face, with a little air.
    int idealWidth() const;

    void open() { entry->open(); }
    bool isOpen() const noexcept { return entry->isOpen(); }
    juce::TextEditor* getEditor() const noexcept { return entry->getEditor(); }
    // Closes an open editor without taking its text.
    void discard();

    void paint(juce::Graphics& g) override;
    void enablementChanged() override { repaint(); }

private:
    juce::Font font() const;

    const UiContext& context;
    const quil::ui::DoubleClickValueEntry::Callbacks callbacks;
    const bool allowsKiloSuffix;
    std::unique_ptr<quil::ui::DoubleClickValueEntry> entry;
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(WetEqValueField)
};
} // namespace zq6::ui
