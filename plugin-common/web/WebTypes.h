#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace quil
{
namespace api
{
// One request to the maker's web service.
struct Request
{
    static constexpr int largestBody = 65536;

    juce::String method { "GET" };
    juce::String path;
    juce::String body;
    int maxBytes = largestBody;
    // Polled while the request runs; true aborts it. Without one, the request ends when no
    // processor is alive any more.
    std::function<bool()> cancel;
};
} // namespace api

namespace http
{
enum class Status : int
{
    ok = 0,
    connectFailed = 1,
    tooLarge = 2,
    timedOut = 3,
    cancelled = 4
};

struct Result
{
    Status status = Status::connectFailed;
    int code = 0;
    juce::String body;
};

// Where a request goes and how long it may take. The limits are fixed for the plug-in; tests
// shorten them.
struct RequestOptions
{
    juce::String baseUrl;
    int totalLimitMs = 20000;
    int connectTimeoutMs = 8000;
};
} // namespace http

namespace help
{
// The outcome of a JSON service call: ok, or a short error word.
struct Result
{
    bool ok = false;
    juce::String message;
};
} // namespace help
} // namespace quil
