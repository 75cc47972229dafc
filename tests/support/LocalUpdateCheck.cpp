#include "LocalUpdateCheck.h"

#include "web/DetachedJobs.h"
#include "web/WebClient.h"

namespace zq6::test
{
quil::update::UpdateCore::Config localUpdateConfig(const juce::String& baseUrl, const juce::File& cacheFile,
                                                   std::function<void(const juce::String&)> openUrl)
{
    quil::update::UpdateCore::Config config;
    config.product = "ZQ-6";
    config.currentVersion = "1.0.0";
    config.cacheFile = cacheFile;
    config.baseUrl = baseUrl;
    config.transport = [baseUrl](const quil::api::Request& request) {
        return quil::web::performRequest(request, { baseUrl });
    };
    config.launcher = [](std::function<void()> job) { return quil::web::launchDetached(std::move(job)); };
    config.urlOpener = std::move(openUrl);
    return config;
}
} // namespace zq6::test
