#include "processor/ZQ6AudioProcessor.h"
#include "support/DisplayCheck.h"
#include "support/LocalHttpServer.h"
#include "support/LocalUpdateCheck.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ScopedSettingsHome.h"
#include "ui/shell/ZQ6Editor.h"
#include "update/UpdateNotice.h"
#include "update/UpdateRules.h"
#include "web/DetachedJobs.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
using quil::update::UpdateCore;
using quil::update::UpdateNotice;

// A notice in a stand-in editor whose check asks a local server for the latest version.
class UpdateNoticeTest : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    UpdateNoticeTest() { window.addAndMakeVisible(editor); }

    ~UpdateNoticeTest() override
    {
        notice.reset();
        pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; });
        folder.deleteRecursively();
    }

    juce::String pageUrl() const { return server.baseUrl() + "/products/zq-6"; }

    // Opens the notice against a reply naming this version, and waits for the check.
    void openWithLatest(const juce::String& version, int editorWidth = 1120)
    {
        server.setReply({ 200, (R"({"status":"ok","product":"ZQ-6","latest_version":")" + version
                                + R"(","page_url":")" + pageUrl() + R"("})")
                                   .toStdString() });
        editor.setSize(editorWidth, editorWidth * 9 / 16);
        core = std::make_shared<UpdateCore>(config());
        notice = std::make_unique<UpdateNotice>(core, editor, UpdateNotice::Scaling { 1120, true });
        ASSERT_TRUE(pumpMessagesUntil([this] { return !core->isInFlight(); }));
    }

    UpdateCore::Config config()
    {
        return localUpdateConfig(server.baseUrl(), folder.getChildFile("ZQ-6.update.json"),
                                 [this](const juce::String& url) { opened.add(url); });
    }

    LocalHttpServer server;
    juce::File folder = juce::File::createTempFile("zq6-notice-test");
    juce::StringArray opened;
    juce::Component editor;
    DesktopTestWindow window { 1680, 945 };
    MouseDriver mouse { window };
    std::shared_ptr<UpdateCore> core;
    std::unique_ptr<UpdateNotice> notice;
};

TEST_F(UpdateNoticeTest, SameVersionShowsNothing)
{
    openWithLatest("1.0.0");
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(notice->getParentComponent(), &editor);
}

TEST_F(UpdateNoticeTest, NewerVersionShowsTheNoticeInTheTopRightCorner)
{
    openWithLatest("1.0.1");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Update available - v1.0.1");
    EXPECT_EQ(notice->getBounds(), juce::Rectangle<int>(1120 - 8 - 220, 8, 220, 44));
    EXPECT_EQ(notice->getTitle(), "Update available");
}

TEST_F(UpdateNoticeTest, AtScaleOneAndAHalfItIs330By66TwelveFromTopAndRight)
{
    openWithLatest("1.0.1", 1680);
    EXPECT_EQ(notice->getBounds(), juce::Rectangle<int>(1680 - 12 - 330, 12, 330, 66));

    editor.setSize(1120, 630);
    EXPECT_EQ(notice->getBounds(), juce::Rectangle<int>(1120 - 8 - 220, 8, 220, 44));
}

TEST_F(UpdateNoticeTest, CloseBoxDismissesWithoutOpeningThePage)
{
    openWithLatest("1.0.2");
    mouse.click(*notice, notice->geometry().closeBox.getCentre().toFloat());

    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(quil::update::readDismissedVersion(folder.getChildFile("ZQ-6.update.json")), "1.0.2");
}

TEST_F(UpdateNoticeTest, ClickOnTheTextOpensThePageAndDismisses)
{
    openWithLatest("1.0.2");
    mouse.click(*notice, { 20.0f, 20.0f });

    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(opened, juce::StringArray(pageUrl()));
}

TEST_F(UpdateNoticeTest, PaintsItsTextAndCrossInTheHeaderColours)
{
    openWithLatest("1.0.1");
    notice->setColours(quil::update::headerNoticeColours());
    const auto image = notice->createComponentSnapshot(notice->getLocalBounds(), true, 1.0f);
    const auto centre = notice->geometry().closeBox.getCentre();

    // The cross's centre, and the background away from text and cross.
    EXPECT_GT(image.getPixelAt(centre.x, centre.y).getBrightness(), 0.5f);
    EXPECT_LT(image.getPixelAt(200, 40).getBrightness(), 0.25f);
}

class UpdateNoticeInEditor : public testing::Test
{
protected:
    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor.createEditor()) };
};

TEST_F(UpdateNoticeInEditor, LiesAboveTheHeaderCapsInTheHeaderColours)
{
    auto& notice = editor->getHeaderExtras().updateNotice();
    EXPECT_EQ(notice.getParentComponent(), editor.get());
    EXPECT_GT(editor->getIndexOfChildComponent(&notice), editor->getIndexOfChildComponent(&editor->getHeaderCaps()));
    EXPECT_GT(editor->getIndexOfChildComponent(&notice), editor->getIndexOfChildComponent(&editor->getStagePanel()));
    EXPECT_EQ(notice.getColours().background, quil::update::headerNoticeColours().background);
    EXPECT_EQ(notice.getBounds(), juce::Rectangle<int>(1120 - 8 - 220, 8, 220, 44));
}
} // namespace
} // namespace zq6::test
