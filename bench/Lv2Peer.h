#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace zq6::bench
{
// Loads an installed LV2 plug-in through JUCE's LV2 host, as a user's host would load it.
class Lv2Peer
{
public:
    // Null when the bundle is not installed or does not load; the reason is then in error.
    static std::unique_ptr<juce::AudioPluginInstance> load(const juce::String& bundleFolder, const juce::String& uri,
                                                           double rate, int blockSize, juce::String& error);
};
} // namespace zq6::bench
