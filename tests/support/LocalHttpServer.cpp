#include "LocalHttpServer.h"

#include <sys/socket.h>

#include <cstdlib>

namespace zq6::test
{
namespace
{
constexpr int pollMs = 10;
constexpr int requestTimeoutMs = 5000;

// MSG_NOSIGNAL: a client that hangs up early must not kill the test process.
void sendAll(juce::StreamingSocket& client, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size())
    {
        const auto n = ::send(client.getRawSocketHandle(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

std::string statusLine(int code, size_t contentLength)
{
    return "HTTP/1.1 " + std::to_string(code) + " Reply\r\nContent-Type: application/json\r\nContent-Length: "
           + std::to_string(contentLength) + "\r\nConnection: close\r\n\r\n";
}

// Reads until the text holds `wanted` bytes or the end of the headers; false on a closed socket.
bool readMore(juce::StreamingSocket& client, std::string& text)
{
    if (client.waitUntilReady(true, requestTimeoutMs) != 1)
        return false;
    char buffer[4096];
    const auto n = client.read(buffer, sizeof(buffer), false);
    if (n <= 0)
        return false;
    text.append(buffer, static_cast<size_t>(n));
    return true;
}
} // namespace

LocalHttpServer::LocalHttpServer() : juce::Thread("LocalHttpServer")
{
    // Requests to this server must never go through a proxy.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    listener.createListener(0, "127.0.0.1");
    port = listener.getBoundPort();
    startThread();
}

LocalHttpServer::~LocalHttpServer()
{
    signalThreadShouldExit();
    stopThread(10000);
    listener.close();
}

void LocalHttpServer::setReply(Reply newReply)
{
    const std::scoped_lock guard(lock);
    reply = std::move(newReply);
    released.store(false);
}

std::vector<LocalHttpServer::Received> LocalHttpServer::received() const
{
    const std::scoped_lock guard(lock);
    return requests;
}

juce::var LocalHttpServer::Received::json() const
{
    return juce::JSON::parse(juce::String::fromUTF8(body.data(), static_cast<int>(body.size())));
}

int LocalHttpServer::unusedPort()
{
    juce::StreamingSocket probe;
    probe.createListener(0, "127.0.0.1");
    const auto free = probe.getBoundPort();
    probe.close();
    return free;
}

void LocalHttpServer::run()
{
    while (!threadShouldExit())
    {
        if (listener.waitUntilReady(true, pollMs) != 1)
            continue;
        if (std::unique_ptr<juce::StreamingSocket> client { listener.waitForNextConnection() })
            serve(*client);
    }
}

void LocalHttpServer::serve(juce::StreamingSocket& client)
{
    Received request;
    if (!readRequest(client, request))
        return;

    Reply current;
    {
        const std::scoped_lock guard(lock);
        requests.push_back(request);
        current = reply;
    }

    const auto half = current.body.size() / 2;
    if (current.stall == Stall::beforeHeaders && !holdUntilReleased(client))
        return;
    sendAll(client, statusLine(current.code, current.body.size()));

    if (current.stall == Stall::afterPartialBody || current.truncated)
    {
        sendAll(client, current.body.substr(0, half));
        if (current.truncated || !holdUntilReleased(client))
            return;
        sendAll(client, current.body.substr(half));
        return;
    }
    sendAll(client, current.body);
}

bool LocalHttpServer::readRequest(juce::StreamingSocket& client, Received& request)
{
    std::string text;
    size_t headerEnd = std::string::npos;
    while ((headerEnd = text.find("\r\n\r\n")) == std::string::npos)
        if (!readMore(client, text))
            return false;

    const auto lines = juce::StringArray::fromLines(juce::String(text.substr(0, headerEnd)));
    const auto requestLine = juce::StringArray::fromTokens(lines[0], " ", {});
    request.method = requestLine[0];
    request.path = requestLine[1];
    for (int i = 1; i < lines.size(); ++i)
        request.headers.set(lines[i].upToFirstOccurrenceOf(":", false, false).trim().toLowerCase(),
                            lines[i].fromFirstOccurrenceOf(":", false, false).trim());

    if (request.headers["expect"].equalsIgnoreCase("100-continue"))
        sendAll(client, "HTTP/1.1 100 Continue\r\n\r\n");

    const auto length = static_cast<size_t>(request.headers["content-length"].getLargeIntValue());
    std::string body = text.substr(headerEnd + 4);
    while (body.size() < length)
        if (!readMore(client, body))
            return false;
    request.body = body.substr(0, length);
    return true;
}

bool LocalHttpServer::holdUntilReleased(juce::StreamingSocket& client)
{
    while (!threadShouldExit())
    {
        if (released.load())
            return true;
        if (client.waitUntilReady(true, pollMs) == 1)
        {
            char byte = 0;
            if (client.read(&byte, 1, false) <= 0)
                return false;
        }
    }
    return false;
}
} // namespace zq6::test
