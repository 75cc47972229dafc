#include "HostedPlugin.h"

#include <cstdlib>

namespace zq6::host
{
namespace
{
juce::AudioPluginFormatManager& formats()
{
    static juce::AudioPluginFormatManager manager;
    if (manager.getNumFormats() == 0)
    {
        // The LV2 host reads its search path once, when the format is created.
        setenv("LV2_PATH", juce::File(ZQ6_LV2_PATH).getParentDirectory().getFullPathName().toRawUTF8(), 1);
        manager.addDefaultFormats();
    }
    return manager;
}

juce::AudioPluginFormat* formatFor(Format format)
{
    const juce::String wanted = format == Format::vst3 ? "VST3" : "LV2";
    for (auto* f : formats().getFormats())
        if (f->getName() == wanted)
            return f;
    return nullptr;
}
} // namespace

const char* formatName(Format format)
{
    return format == Format::vst3 ? "VST3" : "LV2";
}

juce::PluginDescription HostedPlugin::describe(Format format)
{
    auto* pluginFormat = formatFor(format);
    jassert(pluginFormat != nullptr);
    juce::OwnedArray<juce::PluginDescription> found;
    const juce::String path = format == Format::vst3 ? ZQ6_VST3_PATH : ZQ6_LV2_PATH;
    const auto identifier = format == Format::vst3 ? path : juce::String("https://quilaudio.com/plugins/zq6");
    pluginFormat->findAllTypesForFile(found, identifier);
    return found.isEmpty() ? juce::PluginDescription() : *found[0];
}

std::unique_ptr<juce::AudioPluginInstance> HostedPlugin::create(Format format, double rate, int blockSize)
{
    juce::String error;
    auto instance = formats().createPluginInstance(describe(format), rate, blockSize, error);
    jassert(instance != nullptr);
    return instance;
}
} // namespace zq6::host
