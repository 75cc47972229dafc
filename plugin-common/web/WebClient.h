#pragma once

#include "WebTypes.h"

#include <functional>

namespace quil::web
{
// Blocks for up to the total limit: call it only from a background thread.
http::Result performRequest(const api::Request& request, const http::RequestOptions& options);

// Turns a transport outcome into ok or one of the error words the editor shows.
help::Result classifyResponse(const http::Result& result);

// Reads the service's JSON reply: {"status": "ok", "message": ...}.
help::Result parseStatusReply(const juce::String& body);

// Posts a JSON body to the service on a background thread; the callback runs on the message
// thread, and only while a processor is alive. Call it on the message thread.
void postJson(const juce::String& path, const juce::String& body, std::function<void(const help::Result&)> callback);

// "https://" + the service host, or the override while one is set.
juce::String baseUrl();

// Points every later request at another server (a local one in tests); empty restores the
// service host.
void overrideBaseUrl(const juce::String& url);
} // namespace quil::web
