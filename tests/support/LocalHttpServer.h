#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace zq6::test
{
// A small HTTP server on 127.0.0.1 and a free port that answers every request with the reply set
// last. Replies can stall until released, until the client goes away or until the server stops.
class LocalHttpServer : private juce::Thread
{
public:
    enum class Stall
    {
        none,
        beforeHeaders,
        afterPartialBody
    };

    struct Reply
    {
        int code = 200;
        std::string body;
        Stall stall = Stall::none;
        // Announces the whole body but closes after half of it.
        bool truncated = false;
    };

    struct Received
    {
        juce::String method;
        juce::String path;
        juce::StringPairArray headers;
        std::string body;

        // The body read as JSON.
        juce::var json() const;
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    juce::String baseUrl() const { return "http://127.0.0.1:" + juce::String(port); }
    void setReply(Reply reply);
    // Lets a stalled reply go on.
    void release() { released.store(true); }
    std::vector<Received> received() const;

    // A port on 127.0.0.1 that nothing listens on.
    static int unusedPort();

private:
    void run() override;
    void serve(juce::StreamingSocket& client);
    bool readRequest(juce::StreamingSocket& client, Received& request);
    // True when released; false when the client closed or the server stops.
    bool holdUntilReleased(juce::StreamingSocket& client);

    juce::StreamingSocket listener;
    int port = 0;
    mutable std::mutex lock;
    Reply reply;
    std::vector<Received> requests;
    std::atomic<bool> released { false };
};
} // namespace zq6::test
