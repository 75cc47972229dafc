#include "HostState.h"

#include <algorithm>
#include <string>

namespace zq6::host
{
namespace
{
// Same length either way, so the sizes the wrappers store around the block stay right. The block
// starts with a binary header, so it is searched as bytes.
bool chooseCharacterInPluginBlock(juce::MemoryBlock& block, int choice)
{
    const std::string root = "<ZQ6STATE", autoSelection = "sel=\"0 0 0\"";
    const auto chosen = "sel=\"0 0 " + std::to_string(choice) + "\"";
    const auto* begin = static_cast<char*>(block.getData());
    const auto* end = begin + block.getSize();
    const auto* at = std::search(begin, end, autoSelection.begin(), autoSelection.end());
    if (at == end || std::search(begin, end, root.begin(), root.end()) == end)
        return false;
    block.copyFrom(chosen.data(), static_cast<int>(at - begin), chosen.size());
    return true;
}

juce::MemoryBlock editVst3(const juce::MemoryBlock& hostState, int choice)
{
    auto xml = juce::AudioProcessor::getXmlFromBinary(hostState.getData(), static_cast<int>(hostState.getSize()));
    auto* component = xml != nullptr ? xml->getChildByName("IComponent") : nullptr;
    if (component == nullptr)
        return {};
    juce::MemoryBlock block;
    if (!block.fromBase64Encoding(component->getAllSubText()) || !chooseCharacterInPluginBlock(block, choice))
        return {};
    component->deleteAllTextElements();
    component->addTextElement(block.toBase64Encoding());
    juce::MemoryBlock edited;
    juce::AudioProcessor::copyXmlToBinary(*xml, edited);
    return edited;
}

// JUCE's base64 ("<size>.<characters>") is the one quoted literal in the Turtle that decodes to
// the plug-in's block.
juce::MemoryBlock editLv2(const juce::MemoryBlock& hostState, int choice)
{
    auto turtle = hostState.toString();
    for (int open = turtle.indexOfChar('"'); open >= 0;)
    {
        const auto close = turtle.indexOfChar(open + 1, '"');
        if (close < 0)
            break;
        const auto literal = turtle.substring(open + 1, close);
        juce::MemoryBlock block;
        if (block.fromBase64Encoding(literal) && chooseCharacterInPluginBlock(block, choice))
        {
            turtle = turtle.replaceSection(open + 1, literal.length(), block.toBase64Encoding());
            return { turtle.toRawUTF8(), turtle.getNumBytesAsUTF8() };
        }
        open = turtle.indexOfChar(close + 1, '"');
    }
    return {};
}
} // namespace

juce::MemoryBlock HostState::withCharacterChoice(const juce::MemoryBlock& hostState, Format format, int choice)
{
    return format == Format::vst3 ? editVst3(hostState, choice) : editLv2(hostState, choice);
}
} // namespace zq6::host
