#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace zq6::host
{
enum class Format
{
    vst3,
    lv2
};

// Finds and instantiates the built ZQ-6 bundle of a format.
struct HostedPlugin
{
    static juce::PluginDescription describe(Format format);
    static std::unique_ptr<juce::AudioPluginInstance> create(Format format, double rate, int blockSize);
    // An address inside the plug-in's shared library once an instance is loaded, or nullptr.
    static const void* addressInLoadedModule(Format format);
};

const char* formatName(Format format);
} // namespace zq6::host
