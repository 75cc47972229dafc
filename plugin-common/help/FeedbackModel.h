#pragma once

#include "FeedbackRequest.h"

namespace quil::help
{
// What the feedback form shows and does, without drawing it: the selected category, the text,
// the sending state and the status line. The form calls onChange's target to refresh.
class FeedbackModel
{
public:
    FeedbackModel(HelpInfo info, FeedbackSender sender);

    juce::String title() const { return info.name + " feedback"; }
    juce::String privacyNote() const;
    static juce::String placeholder() { return "Tell us your feedback or describe a bug"; }

    // Folded into the category list.
    void setCategory(int index);
    int category() const noexcept { return selectedCategory; }
    void setText(const juce::String& newText);
    const juce::String& text() const noexcept { return typedText; }

    // Sends the trimmed text unless sending, already sent or empty.
    void send();

    bool canSend() const;
    juce::String sendButtonText() const { return sending ? "Sending..." : "Send"; }
    bool isSending() const noexcept { return sending; }
    bool wasSent() const noexcept { return sent; }
    bool hasStatus() const noexcept { return statusShown; }
    juce::String statusText() const;
    bool statusIsError() const noexcept { return statusShown && !succeeded; }

    std::function<void()> onChange;

private:
    void takeResult(const Result& result);
    void changed();

    const HelpInfo info;
    const FeedbackSender sender;
    int selectedCategory = 0;
    juce::String typedText;
    bool sending = false;
    bool sent = false;
    bool statusShown = false;
    bool succeeded = false;
    juce::String errorWord;

    JUCE_DECLARE_WEAK_REFERENCEABLE(FeedbackModel)
    JUCE_DECLARE_NON_COPYABLE(FeedbackModel)
};
} // namespace quil::help
