#include "help/FeedbackDialog.h"
#include "help/HelpMenu.h"
#include "OverlaySlot.h"
#include "support/DisplayCheck.h"
#include "support/LocalHttpServer.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "web/DetachedJobs.h"
#include "web/LivenessToken.h"
#include "web/WebClient.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
using quil::ui::FeedbackDialog;

quil::help::HelpInfo testInfo()
{
    return { "ZQ-6", "zq6", "1.0.0", "/downloads/ZQ-6_Manual_EN.pdf" };
}

// The real form over a window standing in for the editor, sending to a local server.
class FeedbackDialogTest : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    FeedbackDialogTest()
    {
        quil::web::overrideBaseUrl(server.baseUrl());
        auto form = std::make_unique<FeedbackDialog>(style, testInfo(), quil::help::makeFeedbackSender(testInfo()),
                                                     1120);
        form->onClose = [this] { slot.close(); };
        slot.open(std::move(form));
    }

    ~FeedbackDialogTest() override
    {
        slot.close();
        server.release();
        pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; });
        quil::web::overrideBaseUrl({});
    }

    FeedbackDialog& dialog() { return *dynamic_cast<FeedbackDialog*>(slot.dialog()); }

    void type(const juce::String& text)
    {
        for (auto c : text)
            window.pressKey(juce::KeyPress(static_cast<int>(c), {}, c));
        pumpMessages(20);
    }

    void sendAndWait(const juce::String& text)
    {
        type(text);
        mouse.clickCentre(dialog().sendButton());
        ASSERT_TRUE(pumpMessagesUntil([this] { return !dialog().model().isSending(); }));
    }

    quil::web::LivenessToken liveness;
    LocalHttpServer server;
    quil::ui::DialogStyle style;
    DesktopTestWindow window { 1120, 630 };
    MouseDriver mouse { window };
    quil::ui::OverlaySlot slot { window };
};

TEST_F(FeedbackDialogTest, CoversTheEditorAndFocusesTheText)
{
    EXPECT_EQ(dialog().getBounds(), window.getLocalBounds());
    EXPECT_TRUE(dialog().textEditor().hasKeyboardFocus(false));
    EXPECT_EQ(dialog().getTitle(), "ZQ-6 feedback");
    EXPECT_TRUE(dialog().categoryButton(0).getToggleState());
    EXPECT_EQ(dialog().textEditor().getTextToShowWhenEmpty(), "Tell us your feedback or describe a bug");
}

TEST_F(FeedbackDialogTest, SpacesOnlyKeepSendDisabled)
{
    type("   ");
    EXPECT_FALSE(dialog().sendButton().isEnabled());
    mouse.clickCentre(dialog().sendButton());
    EXPECT_FALSE(dialog().model().isSending());

    type("a");
    EXPECT_TRUE(dialog().sendButton().isEnabled());
}

TEST_F(FeedbackDialogTest, LongMessageIsSentCutTo4000CharactersWithTheChosenCategory)
{
    server.setReply({ 200, R"({"status":"ok"})" });
    mouse.clickCentre(dialog().categoryButton(1));
    EXPECT_TRUE(dialog().categoryButton(1).getToggleState());
    EXPECT_FALSE(dialog().categoryButton(0).getToggleState());
    dialog().textEditor().setText(juce::String::repeatedString("a", 4000) + juce::String::repeatedString("b", 1000));
    pumpMessages(20);

    mouse.clickCentre(dialog().sendButton());
    ASSERT_TRUE(pumpMessagesUntil([this] { return !dialog().model().isSending(); }));

    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].path, "/v1/zq6/feedback");
    const auto body = received[0].json();
    EXPECT_EQ(body["message"].toString(), juce::String::repeatedString("a", 4000));
    EXPECT_EQ(body["category"].toString(), "bug");
}

struct FailureCase
{
    const char* name;
    int code;
    const char* sentence;
};

class FeedbackDialogFailure : public FeedbackDialogTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(FeedbackDialogFailure, ShowsItsSentenceAndAllowsAnotherTry)
{
    if (GetParam().code == 0)
        quil::web::overrideBaseUrl("http://127.0.0.1:" + juce::String(LocalHttpServer::unusedPort()));
    else
        server.setReply({ GetParam().code, "{}" });
    sendAndWait("It clicks");

    EXPECT_EQ(dialog().model().statusText(), GetParam().sentence);
    EXPECT_TRUE(dialog().model().statusIsError());
    EXPECT_TRUE(dialog().sendButton().isEnabled());
    EXPECT_EQ(dialog().sendButton().getButtonText(), "Send");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FeedbackDialogFailure,
    testing::Values(FailureCase { "rate_limited", 429, "Too many messages. Try again in a minute." },
                    FailureCase { "server_error", 500, "Could not send feedback (http_500)." },
                    FailureCase { "no_network", 0, "Could not reach the server. Check your connection." }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(FeedbackDialogTest, SuccessThanksAndDisablesSendForGood)
{
    server.setReply({ 200, R"({"status":"ok"})" });
    sendAndWait("Great reverb");

    EXPECT_EQ(dialog().model().statusText(), "Feedback sent. Thank you!");
    EXPECT_FALSE(dialog().sendButton().isEnabled());
    type(" indeed");
    EXPECT_FALSE(dialog().sendButton().isEnabled());
    EXPECT_EQ(dialog().textEditor().getText(), "Great reverb indeed");
}

TEST_F(FeedbackDialogTest, WhileSendingTheButtonSaysSoAndEscapeClosesTheForm)
{
    server.setReply({ 200, R"({"status":"ok"})", LocalHttpServer::Stall::beforeHeaders });
    type("It clicks");
    mouse.clickCentre(dialog().sendButton());
    EXPECT_EQ(dialog().sendButton().getButtonText(), "Sending...");
    EXPECT_FALSE(dialog().sendButton().isEnabled());
    ASSERT_TRUE(pumpMessagesUntil([this] { return !server.received().empty(); }));

    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::escapeKey)));
    EXPECT_FALSE(slot.isOpen());

    // The late reply finds no form and is dropped.
    server.release();
    ASSERT_TRUE(pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; }));
    pumpMessages(50);
    EXPECT_FALSE(slot.isOpen());
}

TEST_F(FeedbackDialogTest, EscapeWithAModifierAndOtherKeysStayInTheForm)
{
    window.pressKey(juce::KeyPress(juce::KeyPress::escapeKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_TRUE(slot.isOpen());

    // Keys typed while the panel itself holds the focus still reach the text.
    mouse.click(dialog(), dialog().layout().title.getCentre().toFloat());
    type("x");
    EXPECT_EQ(dialog().textEditor().getText(), "x");
}

TEST_F(FeedbackDialogTest, KeysReachingTheEditorBeneathGoToTheForm)
{
    window.grabKeyboardFocus();
    ASSERT_TRUE(pumpMessagesUntil([this] { return window.hasKeyboardFocus(false); }, 2000));

    window.pressKey(juce::KeyPress('y', {}, 'y'));
    EXPECT_EQ(dialog().textEditor().getText(), "y");

    window.grabKeyboardFocus();
    window.pressKey(juce::KeyPress(juce::KeyPress::escapeKey));
    EXPECT_FALSE(slot.isOpen());
}

enum class CloseBy
{
    closeButton,
    cancelButton,
    pressOutside
};

class FeedbackDialogClosing : public FeedbackDialogTest, public testing::WithParamInterface<CloseBy>
{
};

TEST_P(FeedbackDialogClosing, ClosesTheForm)
{
    switch (GetParam())
    {
        case CloseBy::closeButton: mouse.clickCentre(dialog().closeButton()); break;
        case CloseBy::cancelButton: mouse.clickCentre(dialog().cancelButton()); break;
        case CloseBy::pressOutside: mouse.click(window, { 10.0f, 10.0f }); break;
    }
    EXPECT_FALSE(slot.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Ways, FeedbackDialogClosing,
                         testing::Values(CloseBy::closeButton, CloseBy::cancelButton, CloseBy::pressOutside));

TEST_F(FeedbackDialogTest, PressInsideThePanelKeepsItOpen)
{
    mouse.click(dialog(), (dialog().layout().panel.getTopLeft() + juce::Point<int>(4, 4)).toFloat());
    EXPECT_TRUE(slot.isOpen());
}

TEST_F(FeedbackDialogTest, PartsSitWhereTheLayoutPutsThemAtEveryScale)
{
    window.setSize(1680, 945);
    slot.cover();
    const auto lines = dialog().privacyNoteLines().size();
    const auto expected = quil::help::feedbackLayout({ 0, 0, 1680, 945 }, 1.5f, lines);

    EXPECT_EQ(dialog().layout().panel, expected.panel);
    EXPECT_EQ(dialog().sendButton().getBounds(), expected.sendButton);
    EXPECT_EQ(dialog().cancelButton().getBounds(), expected.cancelButton);
    EXPECT_EQ(dialog().closeButton().getBounds(), expected.closeButton);
    EXPECT_EQ(dialog().categoryButton(2).getBounds(), expected.categoryButtons[2]);
    EXPECT_EQ(dialog().textEditor().getBounds(), expected.textEditor);
    EXPECT_EQ(dialog().privacyNoteLines().joinIntoString(" "),
              "Your message, ZQ-6 version, OS and DAW name are sent to QUIL AUDIO.");
}

TEST(HelpPopupMenu, ItemsKeepTheirIdsWithoutAManualAndTheVersionIsInert)
{
    auto info = testInfo();
    info.manualPath = {};
    std::vector<int> ids;
    bool versionEnabled = true;
    int separators = 0;
    const auto menu = quil::help::helpPopupMenu(info);
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        if (item.isSeparator)
        {
            ++separators;
            continue;
        }
        ids.push_back(item.itemID);
        if (item.itemID == quil::help::versionItem)
        {
            versionEnabled = item.isEnabled;
            EXPECT_EQ(item.text, "ZQ-6 v1.0.0");
        }
    }
    EXPECT_EQ(ids, std::vector<int>({ 1, 3, 4 }));
    EXPECT_FALSE(versionEnabled);
    EXPECT_EQ(separators, 1);
}
} // namespace
} // namespace zq6::test
