#include "help/HelpMenu.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/DisplayCheck.h"
#include "support/LocalHttpServer.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ScopedSettingsHome.h"
#include "support/ShippedUi.h"
#include "ui/panels/HeaderExtras.h"
#include "ui/shell/ZQ6Editor.h"
#include "web/DetachedJobs.h"
#include "web/LivenessToken.h"
#include "web/WebClient.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
// Picks the first item of the open popup menu with the keyboard, as a user would.
void chooseFirstMenuItem(DesktopTestWindow& window)
{
    window.pressKey(juce::KeyPress(juce::KeyPress::downKey));
    window.pressKey(juce::KeyPress(juce::KeyPress::returnKey));
    pumpMessages(50);
}

// The header extras on a window standing in for the editor, with a check that never runs and a
// browser that only records.
class HeaderExtrasTest : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    ~HeaderExtrasTest() override { juce::PopupMenu::dismissAllActiveMenus(); }

    static std::shared_ptr<quil::update::UpdateCore> idleCheck()
    {
        quil::update::UpdateCore::Config config;
        config.product = "ZQ-6";
        config.currentVersion = "1.0.0";
        config.launcher = [](std::function<void()>) { return false; };
        return std::make_shared<quil::update::UpdateCore>(config);
    }

    ui::HeaderExtras::Services services()
    {
        return { idleCheck(), { "ZQ-6", "zq6", "1.0.0", "/downloads/ZQ-6_Manual_EN.pdf" },
                 [this](const juce::String&, const juce::String& message, quil::help::FeedbackCallback) {
                     sent.add(message);
                 },
                 [this](const juce::String& url) { opened.add(url); } };
    }

    ShippedUi ui;
    DesktopTestWindow window { 1120, 630 };
    MouseDriver mouse { window };
    juce::StringArray opened, sent;
    ui::HeaderExtras extras { ui.context, window, services() };
};

TEST_F(HeaderExtrasTest, HelpCapIsTitledAndExplained)
{
    auto& help = extras.helpCap();
    EXPECT_EQ(help.getTitle(), "Help");
    EXPECT_EQ(help.getDescription(), "Send feedback, open the manual, contact support, or see the version.");
    EXPECT_EQ(help.getTooltip(), help.getDescription());
    EXPECT_EQ(help.getStyle(), ui::GlassButton::Style::roundCap);
    EXPECT_EQ(help.getParentComponent(), &window);
}

TEST_F(HeaderExtrasTest, MenuItemsOpenTheirPagesOnTheServiceHost)
{
    extras.chooseHelpItem(quil::help::manualItem);
    extras.chooseHelpItem(quil::help::supportItem);
    extras.chooseHelpItem(quil::help::versionItem);

    EXPECT_EQ(opened, juce::StringArray(quil::web::baseUrl() + "/downloads/ZQ-6_Manual_EN.pdf",
                                        quil::web::baseUrl() + "/contact"));
    EXPECT_EQ(extras.feedbackDialog(), nullptr);
}

TEST_F(HeaderExtrasTest, ClickingTheHelpCapOffersTheMenuAndItsFirstItemOpensTheForm)
{
    extras.helpCap().setBounds(339, 22, 16, 16);
    mouse.clickCentre(extras.helpCap());
    chooseFirstMenuItem(window);

    auto* form = extras.feedbackDialog();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->getBounds(), window.getLocalBounds());
    window.pressKey(juce::KeyPress('x', {}, 'x'));
    EXPECT_EQ(form->textEditor().getText(), "x");

    mouse.clickCentre(form->cancelButton());
    EXPECT_EQ(extras.feedbackDialog(), nullptr);
}

TEST_F(HeaderExtrasTest, FormSendsThroughTheEditorsSender)
{
    extras.chooseHelpItem(quil::help::sendFeedbackItem);
    extras.feedbackDialog()->textEditor().setText("Lovely tail");
    pumpMessages(20);
    mouse.clickCentre(extras.feedbackDialog()->sendButton());

    EXPECT_EQ(sent, juce::StringArray("Lovely tail"));
}

TEST_F(HeaderExtrasTest, FormFollowsTheEditorsSize)
{
    extras.openFeedback();
    window.setSize(896, 504);
    extras.layout();
    EXPECT_EQ(extras.feedbackDialog()->getBounds(), juce::Rectangle<int>(0, 0, 896, 504));
    EXPECT_EQ(extras.feedbackDialog()->layout().panel.getWidth(), juce::roundToInt(460 * 0.8f));
}

TEST(HeaderExtrasInEditor, ClosingTheEditorWhileFeedbackIsSendingIsSafe)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ScopedSettingsHome home;
    LocalHttpServer server;
    quil::web::overrideBaseUrl(server.baseUrl());
    server.setReply({ 200, R"({"status":"ok"})", LocalHttpServer::Stall::beforeHeaders });
    {
        ZQ6AudioProcessor processor;
        std::unique_ptr<ZQ6Editor> editor(dynamic_cast<ZQ6Editor*>(processor.createEditor()));
        DesktopTestWindow window(1120, 630);
        window.addAndMakeVisible(*editor);
        MouseDriver mouse(window);

        mouse.clickCentre(editor->getHeaderExtras().helpCap());
        chooseFirstMenuItem(window);
        auto* form = editor->getHeaderExtras().feedbackDialog();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->getBounds(), editor->getLocalBounds());
        form->textEditor().setText("It clicks");
        pumpMessages(20);
        mouse.clickCentre(form->sendButton());
        ASSERT_TRUE(pumpMessagesUntil([&server] { return !server.received().empty(); }));
        editor.reset();
    }
    server.release();
    EXPECT_TRUE(pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; }));
    pumpMessages(50);
    quil::web::overrideBaseUrl({});
}
} // namespace
} // namespace zq6::test
