#include "processor/ZQ6AudioProcessor.h"
#include "support/LocalHttpServer.h"
#include "support/MessagePump.h"
#include "web/DetachedJobs.h"
#include "web/LivenessToken.h"
#include "web/StreamWatchdog.h"
#include "web/WebClient.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <future>

namespace
{
using zq6::test::LocalHttpServer;
using Stall = LocalHttpServer::Stall;
using Status = quil::http::Status;

// Requests never run on the message thread, so the tests send them from another one.
quil::http::Result requestOffMessageThread(const quil::api::Request& request, const quil::http::RequestOptions& options)
{
    return std::async(std::launch::async, [&] { return quil::web::performRequest(request, options); }).get();
}

quil::api::Request neverCancelled(quil::api::Request request = {})
{
    request.cancel = [] { return false; };
    return request;
}

class WebClientTest : public testing::Test
{
protected:
    quil::http::Result get(const LocalHttpServer::Reply& reply, quil::api::Request request = neverCancelled())
    {
        server.setReply(reply);
        return requestOffMessageThread(request, { server.baseUrl() });
    }

    LocalHttpServer server;
};

struct ClassificationCase
{
    const char* name;
    int code;
    std::string body;
    bool ok;
    const char* message;
};

class WebClassificationTest : public WebClientTest, public testing::WithParamInterface<ClassificationCase>
{
};

TEST_P(WebClassificationTest, ReplyBecomesOkOrErrorWord)
{
    const auto& c = GetParam();
    const auto result = get({ c.code, c.body });

    EXPECT_EQ(result.status, Status::ok);
    EXPECT_EQ(result.code, c.code);
    const auto classified = quil::web::classifyResponse(result);
    EXPECT_EQ(classified.ok, c.ok);
    EXPECT_EQ(classified.message, juce::String(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, WebClassificationTest,
    testing::Values(ClassificationCase { "ok_without_message", 200, R"({"status":"ok"})", true, "received" },
                    ClassificationCase { "ok_with_message", 200, R"({"status":"ok","message":"thanks"})", true, "thanks" },
                    ClassificationCase { "other_status_with_message", 200, R"({"status":"error","message":"too long"})",
                                         false, "too long" },
                    ClassificationCase { "other_status_without_message", 200, R"({"status":"busy"})", false, "error" },
                    ClassificationCase { "json_array", 200, R"(["ok"])", false, "bad_response" },
                    ClassificationCase { "not_json", 200, "<html>", false, "bad_response" },
                    ClassificationCase { "empty_body", 200, "", false, "bad_response" },
                    ClassificationCase { "rate_limited_whatever_the_body", 429, R"({"status":"ok"})", false, "rate_limited" },
                    ClassificationCase { "service_unavailable", 503, R"({"status":"ok"})", false, "http_503" },
                    ClassificationCase { "server_error", 500, "", false, "http_500" },
                    ClassificationCase { "redirect_is_not_followed", 301, "", false, "http_301" }),
    [](const auto& replyCase) { return std::string(replyCase.param.name); });

TEST_F(WebClientTest, NoServerListeningIsNetworkUnreachable)
{
    const auto result = requestOffMessageThread(neverCancelled(),
                                                { "http://127.0.0.1:" + juce::String(LocalHttpServer::unusedPort()) });

    EXPECT_EQ(result.status, Status::connectFailed);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(quil::web::classifyResponse(result).message, "network_unreachable");
}

TEST_F(WebClientTest, BodyUpToTheLimitIsAcceptedAndOneByteMoreIsTooLarge)
{
    const auto atLimit = get({ 200, std::string(65536, 'x') });
    EXPECT_EQ(atLimit.status, Status::ok);
    EXPECT_EQ(atLimit.body.length(), 65536);

    const auto overLimit = get({ 200, std::string(65537, 'x') });
    EXPECT_EQ(overLimit.status, Status::tooLarge);
    EXPECT_TRUE(overLimit.body.isEmpty());
    EXPECT_EQ(quil::web::classifyResponse(overLimit).message, "bad_response");
}

TEST_F(WebClientTest, CallerCanLowerTheByteLimitButNotRaiseIt)
{
    auto lowered = neverCancelled();
    lowered.maxBytes = 100;
    EXPECT_EQ(get({ 200, std::string(101, 'x') }, lowered).status, Status::tooLarge);

    auto raised = neverCancelled();
    raised.maxBytes = 1 << 20;
    EXPECT_EQ(get({ 200, std::string(65537, 'x') }, raised).status, Status::tooLarge);
}

TEST_F(WebClientTest, BodyCutShortByTheServerIsNotOk)
{
    const auto result = get({ 200, R"({"status":"ok","message":"a reply that ends early"})", Stall::none, true });

    EXPECT_NE(result.status, Status::ok);
    EXPECT_FALSE(quil::web::classifyResponse(result).ok);
}

TEST_F(WebClientTest, PostSendsTheJsonBodyWithItsContentType)
{
    auto request = neverCancelled();
    request.method = "POST";
    request.path = "/v1/zq6/feedback";
    request.body = R"({"message":"hello"})";
    get({ 200, R"({"status":"ok"})" }, request);

    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].method, "POST");
    EXPECT_EQ(received[0].path, "/v1/zq6/feedback");
    EXPECT_EQ(received[0].headers["content-type"], "application/json");
    EXPECT_EQ(received[0].body, R"({"message":"hello"})");
}

TEST_F(WebClientTest, OtherMethodsAreSentAsTheirOwnCommand)
{
    auto request = neverCancelled();
    request.method = "DELETE";
    request.path = "/v1/item";
    request.body = "ignored";
    get({ 200, R"({"status":"ok"})" }, request);

    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].method, "DELETE");
    EXPECT_TRUE(received[0].body.empty());
}

class WebStallTest : public WebClientTest, public testing::WithParamInterface<Stall>
{
};

TEST_P(WebStallTest, StallingServerIsCutAtTheTimeLimit)
{
    server.setReply({ 200, R"({"status":"ok","message":"late"})", GetParam() });
    const auto result = requestOffMessageThread(neverCancelled(), { server.baseUrl(), 300, 8000 });

    EXPECT_EQ(result.status, Status::timedOut);
    EXPECT_EQ(quil::web::classifyResponse(result).message, "bad_response");
}

INSTANTIATE_TEST_SUITE_P(Stalls, WebStallTest, testing::Values(Stall::beforeHeaders, Stall::afterPartialBody),
                         [](const auto& stall) {
                             return std::string(stall.param == Stall::beforeHeaders ? "before_headers" : "mid_body");
                         });

TEST_F(WebClientTest, CancelFunctionAbortsARunningRequest)
{
    server.setReply({ 200, R"({"status":"ok"})", Stall::beforeHeaders });
    std::atomic<bool> cancel { false };
    quil::api::Request request;
    request.cancel = [&cancel] { return cancel.load(); };

    auto pending = std::async(std::launch::async, [&] { return quil::web::performRequest(request, { server.baseUrl() }); });
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    cancel = true;

    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(pending.get().status, Status::cancelled);
}

TEST_F(WebClientTest, RequestWithoutCancelFunctionEndsWithTheLastProcessor)
{
    server.setReply({ 200, R"({"status":"ok"})", Stall::beforeHeaders });
    auto liveness = std::make_unique<quil::web::LivenessToken>();

    auto pending = std::async(std::launch::async, [&] { return quil::web::performRequest({}, { server.baseUrl() }); });
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    liveness.reset();

    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(pending.get().status, Status::cancelled);
}

TEST(WebClientStartTest, EveryProcessorCountsAsLiveForItsWholeLife)
{
    const auto before = quil::web::LivenessToken::liveCount();
    {
        zq6::ZQ6AudioProcessor processor;
        EXPECT_EQ(quil::web::LivenessToken::liveCount(), before + 1);
    }
    EXPECT_EQ(quil::web::LivenessToken::liveCount(), before);
}

TEST(WebClientStartTest, AlreadyCancelledRequestNeverConnects)
{
    LocalHttpServer server;
    quil::api::Request request;
    request.cancel = [] { return true; };

    EXPECT_EQ(requestOffMessageThread(request, { server.baseUrl() }).status, Status::cancelled);
    EXPECT_TRUE(server.received().empty());
}

TEST(StreamWatchdogTest, CancelOrDeadlineAbortsTheStreamOnceAndRecordsWhy)
{
    using Reason = quil::http::StreamWatchdog::Reason;
    for (const auto cancelled : { true, false })
    {
        std::atomic<bool> cancel { false };
        std::atomic<int> aborts { 0 };
        juce::WaitableEvent aborted;
        const auto deadline = juce::Time::getMillisecondCounter() + (cancelled ? 60000u : 50u);
        quil::http::StreamWatchdog watchdog(deadline, [&] { return cancel.load(); }, [&] {
            ++aborts;
            aborted.signal();
        });
        watchdog.start();
        cancel = cancelled;

        EXPECT_TRUE(aborted.wait(1000));
        watchdog.stop();
        EXPECT_EQ(watchdog.reason(), cancelled ? Reason::cancelled : Reason::timedOut);
        EXPECT_EQ(aborts.load(), 1);
    }
}

class PostJsonTest : public WebClientTest
{
protected:
    void SetUp() override { quil::web::overrideBaseUrl(server.baseUrl()); }
    void TearDown() override
    {
        quil::web::overrideBaseUrl({});
        zq6::test::pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; });
    }
};

TEST_F(PostJsonTest, ResultArrivesOnTheMessageThread)
{
    quil::web::LivenessToken liveness;
    server.setReply({ 503, "" });
    std::optional<quil::help::Result> result;
    bool onMessageThread = false;

    quil::web::postJson("/v1/zq6/feedback", "{}", [&](const quil::help::Result& r) {
        onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
        result = r;
    });

    ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return result.has_value(); }));
    EXPECT_TRUE(onMessageThread);
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->message, "http_503");
    EXPECT_EQ(server.received().at(0).path, "/v1/zq6/feedback");
}

TEST_F(PostJsonTest, NoCallbackAfterTheLastProcessorIsGone)
{
    server.setReply({ 200, R"({"status":"ok"})", Stall::beforeHeaders });
    auto liveness = std::make_unique<quil::web::LivenessToken>();
    bool called = false;

    quil::web::postJson("/v1/zq6/feedback", "{}", [&](const quil::help::Result&) { called = true; });
    ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return !server.received().empty(); }));
    liveness.reset();

    ASSERT_TRUE(zq6::test::pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; }));
    zq6::test::pumpMessages(50);
    EXPECT_FALSE(called);
}

TEST_F(PostJsonTest, NothingIsLaunchedWhileTheLibraryStartsOrTearsDown)
{
    using quil::web::LibraryPhase;
    quil::web::LivenessToken liveness;
    for (const auto phase : { LibraryPhase::startingUp, LibraryPhase::tearingDown })
    {
        quil::web::setLibraryPhase(phase);
        const auto launched = quil::web::launchDetached([] {});
        std::optional<quil::help::Result> result;
        quil::web::postJson("/v1/zq6/feedback", "{}", [&](const quil::help::Result& r) { result = r; });
        quil::web::setLibraryPhase(LibraryPhase::running);

        EXPECT_FALSE(launched);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->message, "network_unreachable");
    }
    EXPECT_TRUE(server.received().empty());
}

TEST(WebBaseUrlTest, ServiceHostOverHttpsUnlessOverridden)
{
    const auto service = quil::web::baseUrl();
    EXPECT_TRUE(service.startsWith("https://"));
    EXPECT_GT(service.length(), juce::String("https://").length());

    quil::web::overrideBaseUrl("http://127.0.0.1:1");
    EXPECT_EQ(quil::web::baseUrl(), "http://127.0.0.1:1");
    quil::web::overrideBaseUrl({});
    EXPECT_EQ(quil::web::baseUrl(), service);
}
} // namespace
