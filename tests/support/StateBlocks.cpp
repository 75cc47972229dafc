#include "StateBlocks.h"

namespace zq6::test
{
juce::MemoryBlock saveOf(ZQ6AudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation(block);
    return block;
}

void loadInto(ZQ6AudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation(block.getData(), static_cast<int>(block.getSize()));
}

std::unique_ptr<juce::XmlElement> documentOf(const juce::MemoryBlock& block)
{
    return juce::AudioProcessor::getXmlFromBinary(block.getData(), static_cast<int>(block.getSize()));
}

juce::MemoryBlock blockOf(const juce::XmlElement& document)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary(document, block);
    return block;
}

juce::String textOf(const juce::MemoryBlock& block)
{
    return juce::String::fromUTF8(static_cast<const char*>(block.getData()) + 8, static_cast<int>(block.getSize()) - 9);
}

juce::MemoryBlock headerWithText(const juce::String& text)
{
    juce::MemoryOutputStream out;
    out.write("VC2!", 4);
    out.writeInt(static_cast<int>(text.getNumBytesAsUTF8() + 1));
    out.write(text.toRawUTF8(), text.getNumBytesAsUTF8());
    out.writeByte(0);
    return out.getMemoryBlock();
}
} // namespace zq6::test
