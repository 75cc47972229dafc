#include "UpdateCore.h"

#include "../CompanyFolder.h"
#include "../web/DetachedJobs.h"
#include "../web/JsonText.h"
#include "../web/WebClient.h"
#include "UpdateRules.h"

#include <map>

namespace quil::update
{
namespace
{
constexpr int maxReplyBytes = 16384;

// The latest version and its page when the reply is a valid answer about this product.
std::optional<UpdateCore::Available> readUpdateReply(const http::Result& result, const juce::String& product,
                                                     const juce::String& base)
{
    if (result.code != 200 || result.status != http::Status::ok || result.body.isEmpty())
        return std::nullopt;

    const auto reply = juce::JSON::parse(result.body);
    const auto* object = reply.getDynamicObject();
    if (object == nullptr)
        return std::nullopt;

    const auto latest = object->getProperty("latest_version").toString();
    const auto page = object->getProperty("page_url").toString();
    if (object->getProperty("status").toString() != "ok" || object->getProperty("product").toString() != product
        || !parseVersion(latest) || !isAllowedPageUrl(page, base))
        return std::nullopt;
    return UpdateCore::Available { latest.trim(), page };
}

std::function<void()> makeCheckJob(const UpdateCore::Config& config, std::shared_ptr<UpdateCore::Slot> slot)
{
    api::Request request;
    request.path = "/v1/products/" + juce::URL::addEscapeChars(config.product, false) + "/latest";
    request.maxBytes = maxReplyBytes;
    request.cancel = [] { return false; };

    return [request, slot, transport = config.transport, product = config.product, base = config.baseUrl] {
        std::optional<UpdateCore::Available> found;
        try
        {
            found = readUpdateReply(transport(request), product, base);
        }
        catch (...)
        {
            found.reset();
        }
        const std::scoped_lock lock(slot->lock);
        slot->ok = found.has_value();
        if (found)
        {
            slot->latest = found->version;
            slot->pageUrl = found->pageUrl;
        }
        slot->done = true;
    };
}
} // namespace

UpdateCore::Config UpdateCore::defaultConfig(const juce::String& product, const juce::String& currentVersion)
{
    Config config;
    config.product = product;
    config.currentVersion = currentVersion;
    config.cacheFile = companyDataFolder().getChildFile(product + ".update.json");
    config.baseUrl = web::baseUrl();
    config.transport = [base = config.baseUrl](const api::Request& request) {
        return web::performRequest(request, http::RequestOptions { base });
    };
    config.launcher = [](std::function<void()> job) { return web::launchDetached(std::move(job)); };
    config.urlOpener = [](const juce::String& url) { juce::URL(url).launchInDefaultBrowser(); };
    return config;
}

std::shared_ptr<UpdateCore> UpdateCore::forProduct(const Config& config)
{
    static std::mutex registryLock;
    static std::map<juce::String, std::shared_ptr<UpdateCore>> registry;

    const std::scoped_lock lock(registryLock);
    auto& core = registry[config.product];
    if (core == nullptr)
        core = std::make_shared<UpdateCore>(config);
    return core;
}

UpdateCore::UpdateCore(Config configToUse)
    : config(std::move(configToUse)),
      dismissed(readDismissedVersion(config.cacheFile))
{
}

void UpdateCore::start()
{
    if (started)
        return;
    started = true;

    if (config.product.isEmpty() || !parseVersion(config.currentVersion))
        return;
    inFlight = config.launcher(makeCheckJob(config, slot));
}

bool UpdateCore::poll()
{
    if (!inFlight)
        return false;

    Available latest;
    {
        const std::scoped_lock lock(slot->lock);
        if (!slot->done)
            return true;
        if (!slot->ok)
        {
            inFlight = false;
            return false;
        }
        latest = { slot->latest, slot->pageUrl };
    }
    inFlight = false;

    takeNewerDismissed(readDismissedVersion(config.cacheFile));
    const auto show = isNewerVersion(latest.version, config.currentVersion)
                      && (dismissed.isEmpty() || isNewerVersion(latest.version, dismissed));
    current = show ? latest : Available {};
    announce();
    return false;
}

void UpdateCore::dismiss()
{
    if (current.version.isEmpty())
        return;

    const auto version = current.version;
    if (config.cacheFile != juce::File() && config.cacheFile.getParentDirectory().createDirectory().wasOk())
    {
        const auto held = readDismissedVersion(config.cacheFile);
        writeCacheFile(held.isNotEmpty() && !isNewerVersion(version, held) ? held : version);
    }

    // Holds for this process even when the file could not be written.
    takeNewerDismissed(version);
    takeNewerDismissed(readDismissedVersion(config.cacheFile));
    current = {};
    announce();
}

void UpdateCore::openUpdatePage()
{
    if (current.version.isEmpty())
        return;

    const auto page = current.pageUrl;
    dismiss();
    if (isAllowedPageUrl(page, config.baseUrl) && config.urlOpener)
        config.urlOpener(page);
}

void UpdateCore::takeNewerDismissed(const juce::String& version)
{
    if (version.isNotEmpty() && (dismissed.isEmpty() || isNewerVersion(version, dismissed)))
        dismissed = version;
}

void UpdateCore::writeCacheFile(const juce::String& version) const
{
    const auto text = web::jsonObjectText({ { "dismissedVersion", version } });

    // Written beside the cache file and moved over it, so readers never see half a file.
    juce::TemporaryFile temporary(config.cacheFile);
    {
        juce::FileOutputStream out(temporary.getFile());
        if (!out.openedOk() || !out.writeText(text, false, false, nullptr))
            return;
        out.flush();
        if (out.getStatus().failed())
            return;
    }
    temporary.overwriteTargetFileWithTemporary();
}

void UpdateCore::announce()
{
    listeners.call([](Listener& listener) { listener.updateStateChanged(); });
}
} // namespace quil::update
