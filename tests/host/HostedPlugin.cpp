#include "HostedPlugin.h"

#include <gtest/gtest.h>

#include <link.h>
#include <string>

namespace zq6::host
{
namespace
{
// The formats live until the tests end, not until static destruction, so JUCE's leak check at exit
// does not count them.
struct FormatsForTheRun : testing::Environment
{
    void TearDown() override { manager.reset(); }
    std::unique_ptr<juce::AudioPluginFormatManager> manager;
};

FormatsForTheRun* const formatsForTheRun =
    static_cast<FormatsForTheRun*>(testing::AddGlobalTestEnvironment(new FormatsForTheRun));

juce::AudioPluginFormatManager& formats()
{
    auto& manager = formatsForTheRun->manager;
    if (manager == nullptr)
    {
        manager = std::make_unique<juce::AudioPluginFormatManager>();
        manager->addDefaultFormats();
        // JUCE 7.0.5's LV2 host ignores LV2_PATH and looks only in ~/.lv2 and the system folders,
        // where an installed (maybe older) copy would be found instead: the built bundle's folder
        // is searched explicitly.
        const juce::FileSearchPath built(juce::File(ZQ6_LV2_PATH).getParentDirectory().getFullPathName());
        for (auto* format : manager->getFormats())
            if (format->getName() == "LV2")
                format->searchPathsForPlugins(built, false, false);
    }
    return *manager;
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

const void* HostedPlugin::addressInLoadedModule(Format format)
{
    const std::string wanted = format == Format::vst3 ? "/ZQ-6.vst3/" : "/ZQ-6.lv2/";
    struct Search
    {
        const std::string* wanted;
        const void* found;
    } search { &wanted, nullptr };
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (info->dlpi_name != nullptr && std::string(info->dlpi_name).find(*s->wanted) != std::string::npos
                && info->dlpi_phnum > 0)
            {
                for (int i = 0; i < info->dlpi_phnum; ++i)
                    if (info->dlpi_phdr[i].p_type == PT_LOAD)
                    {
                        s->found = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                        return 1;
                    }
            }
            return 0;
        },
        &search);
    return search.found;
}
} // namespace zq6::host
