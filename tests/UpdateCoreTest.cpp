#include "support/LocalHttpServer.h"
#include "support/LocalUpdateCheck.h"
#include "support/MessagePump.h"
#include "update/UpdateCore.h"
#include "update/UpdateNoticeLook.h"
#include "update/UpdateRules.h"
#include "web/DetachedJobs.h"
#include "web/WebClient.h"

#include <gtest/gtest.h>

namespace
{
using quil::update::UpdateCore;
using zq6::test::LocalHttpServer;

std::string updateReply(const juce::String& version, const juce::String& product, const juce::String& page)
{
    return (R"({"status":"ok","product":")" + product + R"(","latest_version":")" + version + R"(","page_url":")"
            + page + R"("})")
        .toStdString();
}

class UpdateCoreTest : public testing::Test
{
protected:
    void TearDown() override
    {
        zq6::test::pumpMessagesUntil([] { return quil::web::detachedJobCount() == 0; });
        folder.deleteRecursively();
    }

    juce::String pageUrl() const { return server.baseUrl() + "/products/zq-6"; }

    UpdateCore::Config config()
    {
        return zq6::test::localUpdateConfig(server.baseUrl(), cacheFile(),
                                            [this](const juce::String& url) { opened.add(url); });
    }

    // A new core (as in a new host process) that has checked against the given reply.
    std::unique_ptr<UpdateCore> checkedReply(const std::string& reply, int code = 200)
    {
        server.setReply({ code, reply });
        auto core = std::make_unique<UpdateCore>(config());
        core->start();
        EXPECT_TRUE(zq6::test::pumpMessagesUntil([&] { return !core->poll(); }));
        return core;
    }

    std::unique_ptr<UpdateCore> checked(const juce::String& version)
    {
        return checkedReply(updateReply(version, "ZQ-6", pageUrl()));
    }

    juce::File cacheFile() const { return folder.getChildFile("QUIL AUDIO").getChildFile("ZQ-6.update.json"); }

    LocalHttpServer server;
    // A random name: ctest runs tests as separate processes in parallel.
    juce::File folder = juce::File::createTempFile("zq6-update-test");
    juce::StringArray opened;
};

TEST_F(UpdateCoreTest, SameVersionShowsNothingAndNewerShowsTheNotice)
{
    EXPECT_TRUE(checked("1.0.0")->available().version.isEmpty());

    const auto core = checked("1.0.1");
    EXPECT_EQ(core->available().version, "1.0.1");
    EXPECT_EQ(core->available().pageUrl, pageUrl());
    EXPECT_EQ(quil::update::noticeText(core->available().version), "Update available - v1.0.1");

    const auto received = server.received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().method, "GET");
    EXPECT_EQ(received.back().path, "/v1/products/ZQ-6/latest");
}

TEST_F(UpdateCoreTest, ForeignOrMalformedRepliesAreRejected)
{
    const auto base = server.baseUrl();
    const std::vector<std::pair<const char*, std::string>> replies {
        { "product in another case", updateReply("1.0.1", "zq-6", pageUrl()) },
        { "page on another host", updateReply("1.0.1", "ZQ-6", "https://example.org/zq-6") },
        { "base followed by letters", updateReply("1.0.1", "ZQ-6", base + "evil/zq-6") },
        { "invalid version", updateReply("1.0.1-beta", "ZQ-6", pageUrl()) },
        { "status not ok", R"({"status":"error","product":"ZQ-6","latest_version":"1.0.1","page_url":")"
                               + (pageUrl() + R"("})").toStdString() },
        { "json array", "[1]" },
    };
    for (const auto& [name, reply] : replies)
        EXPECT_TRUE(checkedReply(reply)->available().version.isEmpty()) << name;

    EXPECT_TRUE(checkedReply(updateReply("1.0.1", "ZQ-6", pageUrl()), 503)->available().version.isEmpty());
}

TEST_F(UpdateCoreTest, DismissedVersionStaysHiddenButANewerOneShows)
{
    auto first = checked("1.0.2");
    first->dismiss();
    EXPECT_TRUE(first->available().version.isEmpty());
    EXPECT_EQ(cacheFile().loadFileAsString(), R"({"dismissedVersion": "1.0.2"})");
    EXPECT_EQ(cacheFile().getParentDirectory().getNumberOfChildFiles(juce::File::findFilesAndDirectories), 1);

    EXPECT_TRUE(checked("1.0.2")->available().version.isEmpty());
    EXPECT_EQ(checked("1.0.3")->available().version, "1.0.3");
}

TEST_F(UpdateCoreTest, DismissingAnOlderVersionKeepsTheNewerOneInTheCache)
{
    auto core = checked("1.0.3");
    ASSERT_EQ(core->available().version, "1.0.3");
    ASSERT_TRUE(cacheFile().getParentDirectory().createDirectory().wasOk());
    ASSERT_TRUE(cacheFile().replaceWithText(R"({"dismissedVersion": "1.0.5"})"));

    core->dismiss();

    EXPECT_EQ(quil::update::readDismissedVersion(cacheFile()), "1.0.5");
    EXPECT_EQ(core->dismissedVersion(), "1.0.5");
}

TEST_F(UpdateCoreTest, DismissalHoldsInMemoryWhenTheCacheCannotBeWritten)
{
    ASSERT_TRUE(folder.getChildFile("QUIL AUDIO").create().wasOk()); // a file where the folder should be
    auto core = checked("1.0.2");
    core->dismiss();

    EXPECT_TRUE(core->available().version.isEmpty());
    EXPECT_EQ(core->dismissedVersion(), "1.0.2");
}

TEST_F(UpdateCoreTest, ListenersHearTheResultAndTheDismissal)
{
    struct Counter : UpdateCore::Listener
    {
        void updateStateChanged() override { ++calls; }
        int calls = 0;
    } counter;

    server.setReply({ 200, updateReply("1.0.1", "ZQ-6", pageUrl()) });
    UpdateCore core(config());
    core.addListener(&counter);
    core.start();
    ASSERT_TRUE(zq6::test::pumpMessagesUntil([&] { return !core.poll(); }));
    EXPECT_EQ(counter.calls, 1);

    core.dismiss();
    EXPECT_EQ(counter.calls, 2);
    core.dismiss();
    EXPECT_EQ(counter.calls, 2);
    core.removeListener(&counter);
}

TEST_F(UpdateCoreTest, ClickOnTheNoticeOpensThePageAndDismissesIt)
{
    auto core = checked("1.0.1");
    core->openUpdatePage();

    EXPECT_EQ(opened, juce::StringArray(pageUrl()));
    EXPECT_TRUE(core->available().version.isEmpty());
    EXPECT_EQ(quil::update::readDismissedVersion(cacheFile()), "1.0.1");
}

TEST_F(UpdateCoreTest, CheckRunsOncePerCore)
{
    auto core = checked("1.0.1");
    core->start();

    EXPECT_FALSE(core->isInFlight());
    EXPECT_FALSE(core->poll());
    EXPECT_EQ(server.received().size(), 1u);
}

TEST_F(UpdateCoreTest, InvalidRunningVersionNeverAsks)
{
    auto c = config();
    c.currentVersion = "1.0-beta";
    UpdateCore core(c);
    core.start();

    EXPECT_FALSE(core.isInFlight());
    EXPECT_TRUE(server.received().empty());
}

TEST(UpdateRegistryTest, OneCorePerProduct)
{
    auto config = UpdateCore::defaultConfig("ZQ-6 registry test", "1.0.0");
    const auto first = UpdateCore::forProduct(config);
    const auto again = UpdateCore::forProduct(config);
    config.product = "Other registry test";

    EXPECT_EQ(first, again);
    EXPECT_NE(first, UpdateCore::forProduct(config));
    EXPECT_EQ(UpdateCore::defaultConfig("ZQ-6", "1.0.0").cacheFile.getFileName(), "ZQ-6.update.json");
    EXPECT_EQ(UpdateCore::defaultConfig("ZQ-6", "1.0.0").cacheFile.getParentDirectory().getFileName(), "QUIL AUDIO");
}

struct VersionCase
{
    const char* text;
    std::vector<int> components; // empty: invalid
};

class VersionTextTest : public testing::TestWithParam<VersionCase>
{
};

TEST_P(VersionTextTest, ParsesValidTextsAndRejectsTheRest)
{
    const auto parsed = quil::update::parseVersion(GetParam().text);
    if (GetParam().components.empty())
        EXPECT_FALSE(parsed.has_value());
    else
        EXPECT_EQ(parsed, GetParam().components);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionTextTest,
    testing::Values(VersionCase { "1.0.0", { 1, 0, 0 } }, VersionCase { "v2.1", { 2, 1 } }, VersionCase { "V3", { 3 } },
                    VersionCase { "10", { 10 } }, VersionCase { "  1.2.3 ", { 1, 2, 3 } },
                    VersionCase { "1.2.3.4.5.6", { 1, 2, 3, 4, 5, 6 } }, VersionCase { "999999999", { 999999999 } },
                    VersionCase { "1..2", {} }, VersionCase { "1.2-beta", {} }, VersionCase { "1.2.3.4.5.6.7", {} },
                    VersionCase { "", {} }, VersionCase { "v", {} }, VersionCase { "1.", {} },
                    VersionCase { "1234567890", {} }, VersionCase { "-1", {} }, VersionCase { "+1", {} },
                    VersionCase { "1. 2", {} }, VersionCase { "vv1", {} }));

TEST(VersionOrderTest, ComparesComponentByComponent)
{
    using quil::update::isNewerVersion;
    EXPECT_TRUE(isNewerVersion("1.0.1", "1.0.0"));
    EXPECT_TRUE(isNewerVersion("1.10", "1.9"));
    EXPECT_TRUE(isNewerVersion("v2", "1.99.99"));
    EXPECT_FALSE(isNewerVersion("1.0", "1.0.0"));
    EXPECT_FALSE(isNewerVersion("1.0.0", "1.0"));
    EXPECT_FALSE(isNewerVersion("1.0.0", "1.0.1"));
    EXPECT_FALSE(isNewerVersion("2.0", "bad"));
    EXPECT_FALSE(isNewerVersion("bad", "1.0"));
}

TEST(PageUrlTest, OnlyPagesUnderTheServiceHost)
{
    using quil::update::isAllowedPageUrl;
    const juce::String base = "https://quilaudio.com";
    EXPECT_TRUE(isAllowedPageUrl(base, base));
    EXPECT_TRUE(isAllowedPageUrl(base + "/products/zq-6", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "evil.com/zq-6", base));
    EXPECT_FALSE(isAllowedPageUrl("https://example.org/zq-6", base));
    EXPECT_FALSE(isAllowedPageUrl("http://quilaudio.com/zq-6", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/a b", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/a\tb", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/a\\b", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/a\nb", base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/a" + juce::String::charToString(127), base));
    EXPECT_TRUE(isAllowedPageUrl(base + "/" + juce::String::repeatedString("a", 512 - base.length() - 1), base));
    EXPECT_FALSE(isAllowedPageUrl(base + "/" + juce::String::repeatedString("a", 512 - base.length()), base));
}

TEST(DismissedVersionFileTest, OnlyASmallWellFormedFileCounts)
{
    const auto folder = juce::File::createTempFile("zq6-dismissed-test");
    ASSERT_TRUE(folder.createDirectory().wasOk());
    const auto file = folder.getChildFile("ZQ-6.update.json");
    const auto readText = [&](const juce::String& text) {
        file.replaceWithText(text);
        return quil::update::readDismissedVersion(file);
    };

    EXPECT_EQ(quil::update::readDismissedVersion(juce::File()), "");
    EXPECT_EQ(quil::update::readDismissedVersion(folder), "");
    EXPECT_EQ(quil::update::readDismissedVersion(folder.getChildFile("missing.json")), "");
    EXPECT_EQ(readText(R"({"dismissedVersion": " 1.2.0 "})"), "1.2.0");
    EXPECT_EQ(readText(R"({"dismissedVersion": "1.2-beta"})"), "");
    EXPECT_EQ(readText(R"({"dismissedVersion": 12})"), "");
    EXPECT_EQ(readText(R"(["1.2.0"])"), "");
    EXPECT_EQ(readText("{\"dismissedVersion\": \"1.2.0\"" + juce::String::repeatedString(" ", 4096) + "}"), "");
    folder.deleteRecursively();
}

TEST(UpdateNoticeLookTest, AtScaleOneAndAHalfTheNoticeIs330By66AndTwelveFromTopAndRight)
{
    const auto scale = quil::update::noticeScale(1680, 1120, true);
    const auto geometry = quil::update::noticeGeometry(1680, scale);

    EXPECT_FLOAT_EQ(scale, 1.5f);
    EXPECT_EQ(geometry.bounds, juce::Rectangle<int>(1680 - 12 - 330, 12, 330, 66));
    EXPECT_EQ(geometry.closeBox, juce::Rectangle<int>(330 - 6 - 30, 6, 30, 30));
    EXPECT_EQ(geometry.textArea, juce::Rectangle<int>(18, 0, 294 - 2 - 18, 66));
    EXPECT_FLOAT_EQ(geometry.fontHeight, 19.5f);
    EXPECT_FLOAT_EQ(geometry.cornerRadius, 9.0f);
    EXPECT_FLOAT_EQ(quil::update::noticeScale(1680, 1120, false), 1.0f);
}

TEST(UpdateNoticeLookTest, MouseUpInTheCloseBoxDismissesAndElsewhereOpensThePage)
{
    using quil::update::NoticeClick;
    const auto geometry = quil::update::noticeGeometry(1120, 1.0f);

    EXPECT_EQ(quil::update::noticeClickAt({ 205, 10 }, geometry), NoticeClick::closeBox);
    EXPECT_EQ(quil::update::noticeClickAt({ 20, 20 }, geometry), NoticeClick::page);
    EXPECT_EQ(quil::update::noticeClickAt({ 230, 20 }, geometry), NoticeClick::outside);
}

TEST(UpdateNoticeLookTest, NoticeTextNamesTheVersionOnce)
{
    EXPECT_EQ(quil::update::noticeText("1.0.1"), "Update available - v1.0.1");
    EXPECT_EQ(quil::update::noticeText("v1.0.1"), "Update available - v1.0.1");
}
} // namespace
