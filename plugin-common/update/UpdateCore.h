#pragma once

#include "../web/WebTypes.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>
#include <mutex>

namespace quil::update
{
// The update check of one product, shared by all its editors in a process: asks the service
// once for the latest version and tells listeners whether a newer, undismissed one exists.
// Everything but the background job runs on the message thread.
class UpdateCore
{
public:
    struct Config
    {
        juce::String product;
        juce::String currentVersion;
        juce::File cacheFile;
        std::function<http::Result(const api::Request&)> transport;
        std::function<bool(std::function<void()>)> launcher;
        std::function<void(const juce::String&)> urlOpener;
        juce::String baseUrl;
    };

    struct Available
    {
        juce::String version;
        juce::String pageUrl;
    };

    // Shared with the background job; the job touches nothing else.
    struct Slot
    {
        std::mutex lock;
        bool done = false;
        bool ok = false;
        juce::String latest;
        juce::String pageUrl;
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void updateStateChanged() = 0;
    };

    // The service, the company folder's cache file and the default browser.
    static Config defaultConfig(const juce::String& product, const juce::String& currentVersion);
    // The core registered for config.product, made from config on the first request.
    static std::shared_ptr<UpdateCore> forProduct(const Config& config);

    explicit UpdateCore(Config config);

    // Launches the check, once per core.
    void start();
    // Takes the check's result when it is there; true while it is still running.
    bool poll();
    // Hides the available version and remembers it in the cache file.
    void dismiss();
    // Dismisses the available version and opens its page in the browser.
    void openUpdatePage();

    Available available() const { return current; }
    bool isInFlight() const noexcept { return inFlight; }
    juce::String dismissedVersion() const { return dismissed; }

    void addListener(Listener* listener) { listeners.add(listener); }
    void removeListener(Listener* listener) { listeners.remove(listener); }

private:
    void takeNewerDismissed(const juce::String& version);
    void writeCacheFile(const juce::String& version) const;
    void announce();

    const Config config;
    bool started = false;
    bool inFlight = false;
    const std::shared_ptr<Slot> slot = std::make_shared<Slot>();
    juce::String dismissed;
    Available current;
    juce::ListenerList<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE(UpdateCore)
};
} // namespace quil::update
