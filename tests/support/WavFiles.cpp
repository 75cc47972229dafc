#include "WavFiles.h"

#include <gtest/gtest.h>

namespace zq6::test
{
void writeWav(const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits)
{
    file.deleteFile();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(wav.createWriterFor(new juce::FileOutputStream(file), rate,
                                                                        static_cast<unsigned>(audio.getNumChannels()),
                                                                        bits, {}, 0));
    ASSERT_NE(writer, nullptr);
    writer->writeFromAudioSampleBuffer(audio, 0, audio.getNumSamples());
}

std::unique_ptr<juce::AudioFormatReader> openWav(const juce::File& file)
{
    juce::WavAudioFormat wav;
    return std::unique_ptr<juce::AudioFormatReader>(wav.createReaderFor(file.createInputStream().release(), true));
}

juce::AudioBuffer<float> readWav(const juce::File& file)
{
    const auto reader = openWav(file);
    if (reader == nullptr)
        return {};
    juce::AudioBuffer<float> audio(static_cast<int>(reader->numChannels), static_cast<int>(reader->lengthInSamples));
    reader->read(&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}
} // namespace zq6::test
