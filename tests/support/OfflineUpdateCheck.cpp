#include "LocalHttpServer.h"
#include "LocalUpdateCheck.h"

#include "processor/ProductInfo.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
// Every editor asks the update service once per process. Before any test opens one, the
// product's shared check is registered against a port where nothing listens, with its cache in a
// throw-away folder, so tests never reach the network or the user's own cache.
class OfflineUpdateCheck : public testing::Environment
{
public:
    void SetUp() override
    {
        const auto base = "http://127.0.0.1:" + juce::String(LocalHttpServer::unusedPort());
        quil::update::UpdateCore::forProduct(
            localUpdateConfig(base, folder.getChildFile(juce::String(productName) + ".update.json"),
                              [](const juce::String&) {}));
    }

    void TearDown() override { folder.deleteRecursively(); }

private:
    juce::File folder = juce::File::createTempFile("zq6-update-cache");
};

[[maybe_unused]] const auto* const registered = testing::AddGlobalTestEnvironment(new OfflineUpdateCheck);
} // namespace
} // namespace zq6::test
