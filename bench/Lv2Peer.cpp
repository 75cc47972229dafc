// The plug-in library is built without JUCE's LV2 host, so this file compiles the host itself, with
// the framework's native headers as its module file has them.
#define JUCE_CORE_INCLUDE_NATIVE_HEADERS 1
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_extra/juce_gui_extra.h>

#include <juce_audio_processors/utilities/juce_FlagCache.h>
#include <juce_audio_processors/format_types/juce_LV2PluginFormat.cpp>

#include "Lv2Peer.h"

#include <cstdlib>
#include <string>

namespace zq6::bench
{
namespace
{
// JUCE's LV2 host ignores LV2_PATH and scans ~/.lv2 and /usr/lib/lv2 when it is created: ~/.lv2 is
// hidden then, so that a user's copy cannot stand in for the installed bundle, which is added by path
// when it lies elsewhere.
std::unique_ptr<juce::LV2PluginFormat> formatWithoutUserBundles()
{
    const auto* home = std::getenv("HOME");
    const std::string realHome = home != nullptr ? home : "";
    const juce::TemporaryFile emptyHome;
    emptyHome.getFile().createDirectory();
    setenv("HOME", emptyHome.getFile().getFullPathName().toRawUTF8(), 1);
    auto format = std::make_unique<juce::LV2PluginFormat>();
    setenv("HOME", realHome.c_str(), 1);
    emptyHome.getFile().deleteRecursively();
    return format;
}
} // namespace

std::unique_ptr<juce::AudioPluginInstance> Lv2Peer::load(const juce::String& bundleFolder, const juce::String& uri,
                                                         double rate, int blockSize, juce::String& error)
{
    if (!juce::File(bundleFolder).isDirectory())
    {
        error = bundleFolder + " is not installed";
        return nullptr;
    }
    juce::AudioPluginFormatManager manager;
    manager.addFormat(formatWithoutUserBundles().release());
    auto* format = manager.getFormat(0);
    juce::OwnedArray<juce::PluginDescription> found;
    format->findAllTypesForFile(found, uri);
    if (found.isEmpty())
    {
        format->searchPathsForPlugins(juce::File(bundleFolder).getParentDirectory().getFullPathName(), true, false);
        format->findAllTypesForFile(found, uri);
    }
    if (found.isEmpty())
    {
        error = uri + " was not found in " + bundleFolder;
        return nullptr;
    }
    return manager.createPluginInstance(*found[0], rate, blockSize, error);
}
} // namespace zq6::bench
