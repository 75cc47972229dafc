#pragma once

#include "../DialogButton.h"
#include "../DialogStyle.h"
#include "../DialogTextEditor.h"
#include "../FocusOnShow.h"
#include "FeedbackLayout.h"
#include "FeedbackModel.h"

#include <array>

namespace quil::ui
{
// The feedback form, laid over the whole editor: a category, a message, the privacy note and the
// state of the request. The model decides; this only shows it and passes the user's input on.
class FeedbackDialog : public juce::Component, private juce::KeyListener
{
public:
    // designWidth is the editor's width at scale 1.
    FeedbackDialog(const DialogStyle& style, help::HelpInfo info, help::FeedbackSender sender, int designWidth);
    ~FeedbackDialog() override;

    // Called by Close, Cancel, Escape and a press outside the panel.
    std::function<void()> onClose;

    const help::FeedbackModel& model() const noexcept { return form; }
    const help::FeedbackLayout& layout() const noexcept { return placed; }
    DialogButton& closeButton() noexcept { return close; }
    DialogButton& categoryButton(int index) { return *categories[static_cast<size_t>(index)]; }
    DialogTextEditor& textEditor() noexcept { return text; }
    DialogButton& sendButton() noexcept { return send; }
    DialogButton& cancelButton() noexcept { return cancel; }
    // The privacy note as it is wrapped to the panel's inner width.
    juce::StringArray privacyNoteLines() const;

    void paint(juce::Graphics& g) override;
    void resized() override;
    bool keyPressed(const juce::KeyPress& key) override;
    void mouseDown(const juce::MouseEvent& event) override;
    void parentHierarchyChanged() override;

private:
    // Keys that reach the editor under the form while it is open, when the focus has left the form.
    bool keyPressed(const juce::KeyPress& key, juce::Component* origin) override;
    void refresh();
    void requestClose();

    DialogStyle style;
    const int designWidth;
    help::FeedbackModel form;
    help::FeedbackLayout placed;
    DialogButton close;
    std::array<std::unique_ptr<DialogButton>, 3> categories;
    DialogTextEditor text;
    DialogButton send;
    DialogButton cancel;
    juce::Component::SafePointer<juce::Component> heardParent;
    FocusOnShow focus { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FeedbackDialog)
};
} // namespace quil::ui
