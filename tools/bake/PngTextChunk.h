#pragma once

#include <juce_core/juce_core.h>

// PNG files carry notes in "tEXt" chunks; this adds one right after the header chunk.
class PngTextChunk
{
public:
    // A copy of `png` with a text chunk holding keyword, a zero byte and text; an input that does
    // not start with a PNG signature and header chunk is returned unchanged.
    static juce::MemoryBlock insert(const juce::MemoryBlock& png, const juce::String& keyword,
                                    const juce::String& text);

    static juce::uint32 crc32(const juce::uint8* data, size_t size, juce::uint32 crc = 0);
};
