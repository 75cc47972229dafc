#pragma once

#include "../web/WebTypes.h"
#include "HelpInfo.h"

#include <array>
#include <functional>

namespace quil::help
{
struct FeedbackCategory
{
    const char* buttonText;
    const char* code;
};

inline constexpr std::array<FeedbackCategory, 3> feedbackCategories { {
    { "Feature request", "feature" },
    { "Bug report", "bug" },
    { "Other", "other" },
} };

// Where the request comes from, as the framework names it.
struct FeedbackSource
{
    juce::String osName;
    juce::String dawName;
};

using FeedbackCallback = std::function<void(const Result&)>;
using FeedbackSender = std::function<void(const juce::String& categoryCode, const juce::String& message, FeedbackCallback)>;

// The operating system and host application of this process ("Unknown OS" and "Unknown" when
// the framework cannot tell).
FeedbackSource detectFeedbackSource();

// The request body: one JSON object on one line, every value cut to its limit.
juce::String feedbackRequestBody(const juce::String& categoryCode, const juce::String& message, const HelpInfo& info,
                                 const FeedbackSource& source);

// "/v1/" + slug + "/feedback".
juce::String feedbackPath(const HelpInfo& info);

// Posts feedback to the service; the callback runs on the message thread.
FeedbackSender makeFeedbackSender(const HelpInfo& info);

// The sentence the form shows for a request's outcome.
juce::String feedbackStatusSentence(bool succeeded, const juce::String& errorWord);
} // namespace quil::help
