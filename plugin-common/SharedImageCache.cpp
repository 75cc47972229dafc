#include "SharedImageCache.h"

#include <map>
#include <mutex>
#include <utility>

namespace quil::ui
{
namespace
{
using Key = std::pair<const void*, size_t>;

std::mutex& cacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<Key, std::weak_ptr<const juce::Image>>& cacheEntries()
{
    static std::map<Key, std::weak_ptr<const juce::Image>> entries;
    return entries;
}
} // namespace

SharedImageCache::Handle SharedImageCache::get(const void* data, size_t size)
{
    const Key key { data, size };
    {
        const std::lock_guard<std::mutex> lock(cacheMutex());
        if (auto live = cacheEntries()[key].lock())
            return live;
    }

    auto decoded = juce::ImageFileFormat::loadFrom(data, size);

    const std::lock_guard<std::mutex> lock(cacheMutex());
    auto& entry = cacheEntries()[key];
    if (auto live = entry.lock())
        return live;
    if (!decoded.isValid())
    {
        cacheEntries().erase(key);
        return {};
    }
    auto shared = std::make_shared<const juce::Image>(std::move(decoded));
    entry = shared;
    return shared;
}
} // namespace quil::ui
