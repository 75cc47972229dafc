#include "FeedbackModel.h"

namespace quil::help
{
FeedbackModel::FeedbackModel(HelpInfo helpInfo, FeedbackSender feedbackSender)
    : info(std::move(helpInfo)),
      sender(std::move(feedbackSender))
{
}

juce::String FeedbackModel::privacyNote() const
{
    return "Your message, " + info.name + " version, OS and DAW name are sent to QUIL AUDIO.";
}

void FeedbackModel::setCategory(int index)
{
    selectedCategory = juce::jlimit(0, static_cast<int>(feedbackCategories.size()) - 1, index);
    changed();
}

void FeedbackModel::setText(const juce::String& newText)
{
    typedText = newText;
    changed();
}

bool FeedbackModel::canSend() const
{
    return !sending && !sent && typedText.trim().isNotEmpty();
}

juce::String FeedbackModel::statusText() const
{
    return statusShown ? feedbackStatusSentence(succeeded, errorWord) : juce::String();
}

void FeedbackModel::send()
{
    if (sending || sent || !sender)
        return;
    const auto message = typedText.trim();
    if (message.isEmpty())
        return;

    sending = true;
    statusShown = false;
    changed();

    // The form may be closed before the reply arrives; then the reply is dropped.
    juce::WeakReference<FeedbackModel> self(this);
    sender(feedbackCategories[static_cast<size_t>(selectedCategory)].code, message, [self](const Result& result) {
        if (auto* model = self.get())
            model->takeResult(result);
    });
}

void FeedbackModel::takeResult(const Result& result)
{
    sending = false;
    sent = result.ok;
    statusShown = true;
    succeeded = result.ok;
    errorWord = result.message;
    changed();
}

void FeedbackModel::changed()
{
    if (onChange)
        onChange();
}
} // namespace quil::help
