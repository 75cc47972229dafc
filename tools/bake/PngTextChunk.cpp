#include "PngTextChunk.h"

#include <array>
#include <cstring>

namespace
{
constexpr size_t signatureSize = 8;
// Length, type, 13 bytes of header data, CRC.
constexpr size_t headerChunkSize = 4 + 4 + 13 + 4;

void writeBigEndian(juce::MemoryOutputStream& out, juce::uint32 value)
{
    const juce::uint8 bytes[4] = { static_cast<juce::uint8>(value >> 24), static_cast<juce::uint8>(value >> 16),
                                   static_cast<juce::uint8>(value >> 8), static_cast<juce::uint8>(value) };
    out.write(bytes, 4);
}
} // namespace

juce::uint32 PngTextChunk::crc32(const juce::uint8* data, size_t size, juce::uint32 crc)
{
    static const auto table = [] {
        std::array<juce::uint32, 256> t {};
        for (juce::uint32 n = 0; n < 256; ++n)
        {
            auto c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

juce::MemoryBlock PngTextChunk::insert(const juce::MemoryBlock& png, const juce::String& keyword,
                                       const juce::String& text)
{
    static const juce::uint8 signature[signatureSize] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    const auto* bytes = static_cast<const juce::uint8*>(png.getData());
    const auto prefix = signatureSize + headerChunkSize;
    if (png.getSize() < prefix || std::memcmp(bytes, signature, signatureSize) != 0
        || std::memcmp(bytes + signatureSize + 4, "IHDR", 4) != 0)
        return png;

    juce::MemoryOutputStream chunk;
    chunk.write("tEXt", 4);
    chunk.write(keyword.toRawUTF8(), keyword.getNumBytesAsUTF8());
    chunk.writeByte(0);
    chunk.write(text.toRawUTF8(), text.getNumBytesAsUTF8());
    const auto* chunkBytes = static_cast<const juce::uint8*>(chunk.getData());

    juce::MemoryOutputStream out;
    out.write(bytes, prefix);
    writeBigEndian(out, static_cast<juce::uint32>(chunk.getDataSize() - 4));
    out.write(chunk.getData(), chunk.getDataSize());
    writeBigEndian(out, crc32(chunkBytes, chunk.getDataSize()));
    out.write(bytes + prefix, png.getSize() - prefix);
    return out.getMemoryBlock();
}
