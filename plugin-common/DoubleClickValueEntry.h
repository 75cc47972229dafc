#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <optional>

namespace quil::ui
{
// Typing a value into a control: a double-click on the control (or open() from a companion) puts a
// small text editor over its value window. Return or clicking away commits, Escape leaves the value
// alone; text that does not read as a number changes nothing.
class DoubleClickValueEntry : public juce::MouseListener, private juce::TextEditor::Listener
{
public:
    struct Callbacks
    {
        // The current number, without unit.
        std::function<juce::String()> text;
        // The numbers a typed value is clamped to.
        std::function<juce::Range<double>()> range;
        std::function<void(double)> commit;
        std::function<void(juce::TextEditor&)> setUpEditor;
        // Where the editor opens, in the control's coordinates.
        std::function<juce::Rectangle<int>()> bounds;
    };

    // The editor opens in the control's parent. With `allowsKiloSuffix`, "2k" reads as 2000; without
    // it a kilo suffix makes the text no value.
    DoubleClickValueEntry(juce::Component& control, Callbacks callbacks, bool allowsKiloSuffix = false);
    ~DoubleClickValueEntry() override;

    // Opens the editor unless it is open already, the control is disabled or has no parent.
    void open();
    bool isOpen() const noexcept { return editor != nullptr; }
    juce::TextEditor* getEditor() const noexcept { return editor.get(); }

    // The number the text stands for, clamped to the range; nothing when the text is not a value.
    static std::optional<double> parse(const juce::String& text, juce::Range<double> range,
                                       bool allowsKiloSuffix = false);

    void mouseDoubleClick(const juce::MouseEvent& event) override;

    static constexpr int minimumWidth = 72;
    static constexpr int minimumHeight = 24;
    static constexpr int maximumLength = 24;

private:
    void close(bool commit);
    void textEditorReturnKeyPressed(juce::TextEditor&) override { close(true); }
    void textEditorEscapeKeyPressed(juce::TextEditor&) override { close(false); }
    void textEditorFocusLost(juce::TextEditor&) override { close(true); }

    juce::Component& control;
    const Callbacks callbacks;
    const bool allowsKiloSuffix;
    std::unique_ptr<juce::TextEditor> editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DoubleClickValueEntry)
};
} // namespace quil::ui
