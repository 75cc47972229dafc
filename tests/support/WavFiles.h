#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

namespace zq6::test
{
// A temporary folder that goes with its contents when the test ends.
struct TempFolder
{
    TempFolder() { dir.createDirectory(); }
    ~TempFolder() { dir.deleteRecursively(); }
    juce::File file(const char* name) const { return dir.getChildFile(name); }
    juce::File dir = juce::File::createTempFile("zq6-test");
};

// Writes PCM at `bits` (32 is float); fails the test when the file cannot be written.
void writeWav(const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits);
std::unique_ptr<juce::AudioFormatReader> openWav(const juce::File& file);
// The whole file, or an empty buffer when it is no WAV.
juce::AudioBuffer<float> readWav(const juce::File& file);
} // namespace zq6::test
