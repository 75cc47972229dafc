#include "help/FeedbackLayout.h"
#include "help/FeedbackModel.h"
#include "help/HelpMenu.h"
#include "support/LocalHttpServer.h"
#include "support/MessagePump.h"
#include "web/DetachedJobs.h"
#include "web/LivenessToken.h"
#include "web/WebClient.h"

#include <gtest/gtest.h>

namespace
{
using quil::help::FeedbackModel;
using zq6::test::LocalHttpServer;

quil::help::HelpInfo testInfo()
{
    return { "ZQ-6", "zq6", "1.0.0", "/downloads/ZQ-6_Manual_EN.pdf" };
}

class FeedbackTest : public testing::Test
{
protected:
    void SetUp() override { quil::web::overrideBaseUrl(server.baseUrl()); }
    void TearDown() override
    {
        server.release();
        zq6::test::pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; });
        quil::web::overrideBaseUrl({});
    }

    // Sends the text against the given reply and waits for the answer.
    void sendAndWait(FeedbackModel& form, const juce::String& text)
    {
        form.setText(text);
        form.send();
        ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return !form.isSending(); }));
    }

    quil::web::LivenessToken liveness;
    LocalHttpServer server;
    FeedbackModel model { testInfo(), quil::help::makeFeedbackSender(testInfo()) };
};

TEST_F(FeedbackTest, BodyHoldsTheFieldsInOrderOnOneLine)
{
    const auto body = quil::help::feedbackRequestBody("bug", "  It clicks\n ", testInfo(), { "Linux", "Reaper" });

    EXPECT_EQ(body, R"({"category": "bug", "message": "It clicks", "plugin_name": "ZQ-6", "plugin_version": "1.0.0", )"
                    R"("os_name": "Linux", "daw_name": "Reaper"})");
}

// The framework's JSON writer leaves U+0007 as "\a", which JSON has not. (U+0000 cannot stand in a
// juce::String, so a message never holds it.)
TEST_F(FeedbackTest, EveryControlCharacterLeavesAsAUnicodeEscape)
{
    for (juce::juce_wchar c = 1; c < 0x20; ++c)
    {
        const auto message = juce::String("a") + juce::String::charToString(c) + "b";
        const auto body = quil::help::feedbackRequestBody("bug", message, testInfo(), { "Linux", "Reaper" });
        const auto escape = "\\u00" + juce::String::toHexString(static_cast<int>(c)).paddedLeft('0', 2);
        EXPECT_TRUE(body.contains("\"a" + escape + "b\"")) << body;
        EXPECT_FALSE(body.containsAnyOf(juce::String::charToString(c))) << static_cast<int>(c);
        EXPECT_EQ(juce::JSON::parse(body)["message"].toString(), message) << static_cast<int>(c);
    }
}

TEST_F(FeedbackTest, QuotesBackslashesAndWideCharactersAreEscaped)
{
    const auto message = juce::String::fromUTF8("say \"hi\" \\ caf\xc3\xa9 \xf0\x9f\x8e\xb5");
    const auto body = quil::help::feedbackRequestBody("bug", message, testInfo(), { "Linux", "Reaper" });
    EXPECT_TRUE(body.contains(R"("say \"hi\" \\ caf\u00e9 \ud83c\udfb5")")) << body;
}

TEST_F(FeedbackTest, EveryValueIsCutToItsLimit)
{
    const auto longText = juce::String::repeatedString("x", 100);
    const quil::help::HelpInfo longInfo { longText, "zq6", longText, {} };
    const auto body = juce::JSON::parse(quil::help::feedbackRequestBody(longText, longText, longInfo, { longText, longText }));

    EXPECT_EQ(body["category"].toString().length(), 32);
    EXPECT_EQ(body["message"].toString().length(), 100);
    EXPECT_EQ(body["plugin_name"].toString().length(), 32);
    EXPECT_EQ(body["plugin_version"].toString().length(), 32);
    EXPECT_EQ(body["os_name"].toString().length(), 64);
    EXPECT_EQ(body["daw_name"].toString().length(), 64);
}

TEST_F(FeedbackTest, SourceNamesComeFromTheFramework)
{
    const auto source = quil::help::detectFeedbackSource();

    EXPECT_EQ(source.osName, juce::SystemStats::getOperatingSystemName());
    EXPECT_EQ(source.dawName, "Unknown");
}

TEST_F(FeedbackTest, SpacesOnlyKeepSendDisabled)
{
    EXPECT_FALSE(model.canSend());
    model.setText("   \n\t ");
    EXPECT_FALSE(model.canSend());
    model.send();
    EXPECT_FALSE(model.isSending());

    model.setText(" a ");
    EXPECT_TRUE(model.canSend());
    EXPECT_EQ(model.sendButtonText(), "Send");
}

TEST_F(FeedbackTest, LongMessageIsSentCutTo4000Characters)
{
    server.setReply({ 200, R"({"status":"ok"})" });
    model.setCategory(1);
    sendAndWait(model, juce::String::repeatedString("a", 4000) + juce::String::repeatedString("b", 1000));

    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].path, "/v1/zq6/feedback");
    const auto body = received[0].json();
    EXPECT_EQ(body["message"].toString(), juce::String::repeatedString("a", 4000));
    EXPECT_EQ(body["category"].toString(), "bug");
    EXPECT_EQ(body["plugin_name"].toString(), "ZQ-6");
}

struct StatusCase
{
    const char* name;
    int code;
    const char* body;
    const char* sentence;
};

class FeedbackStatusTest : public FeedbackTest, public testing::WithParamInterface<StatusCase>
{
};

TEST_P(FeedbackStatusTest, FailureShowsItsSentenceAndAllowsAnotherTry)
{
    server.setReply({ GetParam().code, GetParam().body });
    sendAndWait(model, "It clicks");

    EXPECT_EQ(model.statusText(), GetParam().sentence);
    EXPECT_TRUE(model.statusIsError());
    EXPECT_TRUE(model.canSend());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FeedbackStatusTest,
    testing::Values(StatusCase { "rate_limited", 429, "{}", "Too many messages. Try again in a minute." },
                    StatusCase { "server_error", 500, "", "Could not send feedback (http_500)." },
                    StatusCase { "refused", 200, R"({"status":"error","message":"spam"})", "Could not send feedback (spam)." },
                    StatusCase { "bad_reply", 200, "[]", "Could not send feedback (bad_response)." }),
    [](const auto& replyCase) { return std::string(replyCase.param.name); });

TEST_F(FeedbackTest, NoNetworkShowsItsSentence)
{
    quil::web::overrideBaseUrl("http://127.0.0.1:" + juce::String(LocalHttpServer::unusedPort()));
    sendAndWait(model, "It clicks");

    EXPECT_EQ(model.statusText(), "Could not reach the server. Check your connection.");
    EXPECT_TRUE(model.canSend());
}

TEST_F(FeedbackTest, SuccessDisablesSendForGood)
{
    server.setReply({ 200, R"({"status":"ok"})" });
    int changes = 0;
    model.onChange = [&] { ++changes; };
    sendAndWait(model, "Great reverb");

    EXPECT_EQ(model.statusText(), "Feedback sent. Thank you!");
    EXPECT_FALSE(model.statusIsError());
    EXPECT_TRUE(model.wasSent());
    EXPECT_EQ(changes, 3); // text, sending, result
    EXPECT_EQ(model.text(), "Great reverb");

    model.setText("More");
    model.send();
    EXPECT_FALSE(model.canSend());
    EXPECT_FALSE(model.isSending());
    EXPECT_EQ(server.received().size(), 1u);
}

TEST_F(FeedbackTest, WhileSendingTheButtonSaysSoAndASecondSendIsIgnored)
{
    server.setReply({ 200, R"({"status":"ok"})", LocalHttpServer::Stall::beforeHeaders });
    model.setText("It clicks");
    model.send();

    EXPECT_TRUE(model.isSending());
    EXPECT_FALSE(model.canSend());
    EXPECT_EQ(model.sendButtonText(), "Sending...");
    EXPECT_FALSE(model.hasStatus());
    model.send();

    server.release();
    ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return !model.isSending(); }));
    EXPECT_EQ(server.received().size(), 1u);
}

TEST_F(FeedbackTest, LateReplyToAClosedFormIsDropped)
{
    server.setReply({ 200, R"({"status":"ok"})", LocalHttpServer::Stall::beforeHeaders });
    int changes = 0;
    auto form = std::make_unique<FeedbackModel>(testInfo(), quil::help::makeFeedbackSender(testInfo()));
    form->onChange = [&] { ++changes; };
    form->setText("It clicks");
    form->send();
    ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return !server.received().empty(); }));
    const auto changesBeforeClosing = changes;

    form.reset();
    server.release();
    ASSERT_TRUE(zq6::test::pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; }));
    zq6::test::pumpMessages(50);

    EXPECT_EQ(changes, changesBeforeClosing);
}

TEST_F(FeedbackTest, CategoriesAreFoldedIntoTheList)
{
    ASSERT_EQ(quil::help::feedbackCategories.size(), 3u);
    EXPECT_STREQ(quil::help::feedbackCategories[0].buttonText, "Feature request");
    EXPECT_STREQ(quil::help::feedbackCategories[2].code, "other");
    model.setCategory(7);
    EXPECT_EQ(model.category(), 2);
    model.setCategory(-1);
    EXPECT_EQ(model.category(), 0);
}

TEST_F(FeedbackTest, FormTexts)
{
    EXPECT_EQ(model.title(), "ZQ-6 feedback");
    EXPECT_EQ(model.privacyNote(), "Your message, ZQ-6 version, OS and DAW name are sent to QUIL AUDIO.");
    EXPECT_EQ(FeedbackModel::placeholder(), "Tell us your feedback or describe a bug");
}

TEST(HelpMenuTest, ItemsKeepTheirIdsWithoutAManualPath)
{
    auto info = testInfo();
    const auto withManual = quil::help::helpMenuItems(info);
    info.manualPath = {};
    const auto withoutManual = quil::help::helpMenuItems(info);

    ASSERT_EQ(withManual.size(), 4u);
    ASSERT_EQ(withoutManual.size(), 3u);
    EXPECT_EQ(withoutManual[0].id, 1);
    EXPECT_EQ(withoutManual[1].id, 3);
    EXPECT_EQ(withoutManual[2].id, 4);
    EXPECT_EQ(withoutManual[0].text, "Send feedback...");
    EXPECT_EQ(withoutManual[2].text, "ZQ-6 v1.0.0");
    EXPECT_FALSE(withoutManual[2].enabled);
    EXPECT_TRUE(withoutManual[2].separatorBefore);
    EXPECT_EQ(quil::help::helpMenuPage(quil::help::manualItem, info), "");
}

TEST(HelpMenuTest, PagesLieOnTheServiceHost)
{
    const auto info = testInfo();
    EXPECT_EQ(quil::help::helpMenuPage(quil::help::manualItem, info),
              quil::web::baseUrl() + "/downloads/ZQ-6_Manual_EN.pdf");
    EXPECT_EQ(quil::help::helpMenuPage(quil::help::supportItem, info), quil::web::baseUrl() + "/contact");
    EXPECT_EQ(quil::help::helpMenuPage(quil::help::versionItem, info), "");
}

TEST(FeedbackLayoutTest, PanelIsCentredAndGrowsWithThePrivacyNote)
{
    const juce::Rectangle<int> editor(0, 0, 1120, 630);
    const auto layout = quil::help::feedbackLayout(editor, 1.0f, 2);

    EXPECT_EQ(layout.panel, juce::Rectangle<int>(330, 131, 460, 368));
    const auto top = layout.panel.getY();
    EXPECT_EQ(layout.title, juce::Rectangle<int>(356, top + 21, 332, 18));
    EXPECT_EQ(layout.closeButton, juce::Rectangle<int>(700, top + 16, 64, 28));
    EXPECT_EQ(layout.categoryButtons[2], juce::Rectangle<int>(356 + 2 * (130 + 8), top + 56, 130, 28));
    EXPECT_EQ(layout.textEditor, juce::Rectangle<int>(356, top + 94, 408, 150));
    EXPECT_EQ(layout.statusLine, juce::Rectangle<int>(356, top + 250, 408, 22));
    EXPECT_EQ(layout.privacyNote, juce::Rectangle<int>(356, top + 276, 408, 30));
    EXPECT_EQ(layout.sendButton, juce::Rectangle<int>(664, top + 316, 100, 30));
    EXPECT_EQ(layout.cancelButton, juce::Rectangle<int>(556, top + 316, 100, 30));
    EXPECT_EQ(quil::help::feedbackLayout(editor, 2.0f, 0).panel.getHeight(), 2 * (15 + 338));
}
} // namespace
