#include "WebClient.h"

#include "DetachedJobs.h"
#include "LivenessToken.h"
#include "StreamWatchdog.h"

#include <juce_events/juce_events.h>

#include <array>
#include <mutex>

#ifndef QUIL_SERVICE_HOST
 #error "QUIL_SERVICE_HOST must name the web service host"
#endif

namespace quil::web
{
namespace
{
constexpr char scrambleKey = 0x5b;

// The host is kept scrambled in the binary and rebuilt whenever a URL is made.
template <size_t length>
struct ScrambledText
{
    constexpr explicit ScrambledText(const char (&text)[length])
    {
        for (size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<char>(text[i] ^ scrambleKey);
    }

    std::string reveal() const
    {
        std::string text(length - 1, '\0');
        for (size_t i = 0; i + 1 < length; ++i)
            text[i] = static_cast<char>(bytes[i] ^ scrambleKey);
        return text;
    }

    std::array<char, length> bytes {};
};

constexpr ScrambledText serviceHost(QUIL_SERVICE_HOST);

std::mutex overrideLock;
juce::String baseUrlOverride;

std::function<bool()> makeCancelCheck(const api::Request& request)
{
    auto ownCheck = request.cancel;
    return [ownCheck] {
        if (libraryPhase() == LibraryPhase::tearingDown)
            return true;
        return ownCheck ? ownCheck() : LivenessToken::liveCount() == 0;
    };
}

http::Status statusAfterAbort(http::StreamWatchdog::Reason reason, http::Status otherwise)
{
    switch (reason)
    {
        case http::StreamWatchdog::Reason::timedOut: return http::Status::timedOut;
        case http::StreamWatchdog::Reason::cancelled: return http::Status::cancelled;
        case http::StreamWatchdog::Reason::none: break;
    }
    return otherwise;
}

juce::URL makeUrl(const api::Request& request, const http::RequestOptions& options)
{
    juce::URL url(options.baseUrl + request.path);
    if (request.method == "POST" || request.method == "PUT")
        url = url.withPOSTData(request.body);
    return url;
}

// Reads the body until the stream ends or the body passes the limit; true when it passed.
bool readBody(juce::WebInputStream& stream, int maxBytes, juce::MemoryOutputStream& body)
{
    std::array<char, 1024> piece {};
    while (!stream.isExhausted())
    {
        const auto got = stream.read(piece.data(), static_cast<int>(piece.size()));
        if (got <= 0)
            break;
        body.write(piece.data(), static_cast<size_t>(got));
        if (body.getDataSize() > static_cast<size_t>(maxBytes))
            return true;
    }
    return false;
}
} // namespace

http::Result performRequest(const api::Request& request, const http::RequestOptions& options)
{
    jassert(!juce::MessageManager::existsAndIsCurrentThread());

    http::Result result;
    const auto shouldCancel = makeCancelCheck(request);
    if (shouldCancel())
    {
        result.status = http::Status::cancelled;
        return result;
    }

    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(options.totalLimitMs);
    juce::WebInputStream stream(makeUrl(request, options), false);
    if (request.method != "GET")
        stream.withCustomRequestCommand(request.method);
    stream.withExtraHeaders("Content-Type: application/json")
        .withConnectionTimeout(options.connectTimeoutMs)
        .withNumRedirectsToFollow(0);

    http::StreamWatchdog watchdog(deadline, shouldCancel, [&stream] { stream.cancel(); });
    watchdog.start();

    // A failed connection can still report "connected" with no status line.
    if (stream.connect(nullptr) && stream.getStatusCode() > 0)
    {
        result.code = stream.getStatusCode();
        juce::MemoryOutputStream body(256);
        const auto maxBytes = juce::jlimit(0, api::Request::largestBody, request.maxBytes);
        if (readBody(stream, maxBytes, body))
            result.status = http::Status::tooLarge;
        else if (watchdog.reason() == http::StreamWatchdog::Reason::none && !stream.isError())
        {
            result.status = http::Status::ok;
            result.body = body.toUTF8();
        }
    }

    watchdog.stop();
    if (result.status != http::Status::ok && result.status != http::Status::tooLarge)
        result.status = statusAfterAbort(watchdog.reason(), http::Status::connectFailed);
    return result;
}

help::Result classifyResponse(const http::Result& result)
{
    if (result.status == http::Status::connectFailed)
        return { false, "network_unreachable" };
    if (result.status != http::Status::ok)
        return { false, "bad_response" };
    if (result.code == 429)
        return { false, "rate_limited" };
    if (result.code != 200)
        return { false, "http_" + juce::String(result.code) };
    if (result.body.isEmpty())
        return { false, "bad_response" };
    return parseStatusReply(result.body);
}

help::Result parseStatusReply(const juce::String& body)
{
    const auto reply = juce::JSON::parse(body);
    auto* object = reply.getDynamicObject();
    if (object == nullptr)
        return { false, "bad_response" };

    help::Result result;
    result.ok = object->getProperty("status").toString() == "ok";
    result.message = object->getProperty("message").toString();
    if (result.message.isEmpty())
        result.message = result.ok ? "received" : "error";
    return result;
}

void postJson(const juce::String& path, const juce::String& body, std::function<void(const help::Result&)> callback)
{
    api::Request request;
    request.method = "POST";
    request.path = path;
    request.body = body;
    const http::RequestOptions options { baseUrl() };

    const auto launched = launchDetached([request, options, callback] {
        if (LivenessToken::liveCount() <= 0)
            return;
        const auto result = classifyResponse(performRequest(request, options));
        if (LivenessToken::liveCount() > 0)
            juce::MessageManager::callAsync([callback, result] { callback(result); });
    });

    if (!launched)
        callback({ false, "network_unreachable" });
}

juce::String baseUrl()
{
    {
        const std::scoped_lock lock(overrideLock);
        if (baseUrlOverride.isNotEmpty())
            return baseUrlOverride;
    }
    return "https://" + juce::String(serviceHost.reveal());
}

void overrideBaseUrl(const juce::String& url)
{
    const std::scoped_lock lock(overrideLock);
    baseUrlOverride = url;
}
} // namespace quil::web
