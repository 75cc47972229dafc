#include "FeedbackRequest.h"

#include "../web/JsonText.h"
#include "../web/WebClient.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace quil::help
{
namespace
{
constexpr int maxCodeLength = 32;
constexpr int maxMessageLength = 4000;
constexpr int maxNameLength = 32;
constexpr int maxVersionLength = 32;
constexpr int maxSourceLength = 64;

juce::String orFallback(const juce::String& text, const char* fallback)
{
    return text.isNotEmpty() ? text : juce::String(fallback);
}
} // namespace

FeedbackSource detectFeedbackSource()
{
    return { orFallback(juce::SystemStats::getOperatingSystemName(), "Unknown OS"),
             orFallback(juce::PluginHostType().getHostDescription(), "Unknown") };
}

juce::String feedbackRequestBody(const juce::String& categoryCode, const juce::String& message, const HelpInfo& info,
                                 const FeedbackSource& source)
{
    return web::jsonObjectText({ { "category", categoryCode.substring(0, maxCodeLength) },
                                 { "message", message.trim().substring(0, maxMessageLength) },
                                 { "plugin_name", info.name.substring(0, maxNameLength) },
                                 { "plugin_version", info.version.substring(0, maxVersionLength) },
                                 { "os_name", source.osName.substring(0, maxSourceLength) },
                                 { "daw_name", source.dawName.substring(0, maxSourceLength) } });
}

juce::String feedbackPath(const HelpInfo& info)
{
    return "/v1/" + info.slug + "/feedback";
}

FeedbackSender makeFeedbackSender(const HelpInfo& info)
{
    return [info](const juce::String& categoryCode, const juce::String& message, FeedbackCallback callback) {
        const auto body = feedbackRequestBody(categoryCode, message, info, detectFeedbackSource());
        web::postJson(feedbackPath(info), body, std::move(callback));
    };
}

juce::String feedbackStatusSentence(bool succeeded, const juce::String& errorWord)
{
    if (succeeded)
        return "Feedback sent. Thank you!";
    if (errorWord == "rate_limited")
        return "Too many messages. Try again in a minute.";
    if (errorWord == "network_unreachable")
        return "Could not reach the server. Check your connection.";
    return "Could not send feedback (" + errorWord + ").";
}
} // namespace quil::help
