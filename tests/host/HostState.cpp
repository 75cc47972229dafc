#include "HostState.h"

#include <algorithm>
#include <cstring>
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

// Changes the plug-in's block in place; false when it is not there or cannot be changed.
using BlockEdit = std::function<bool(juce::MemoryBlock&)>;

juce::MemoryBlock editVst3(const juce::MemoryBlock& hostState, const BlockEdit& edit)
{
    auto xml = juce::AudioProcessor::getXmlFromBinary(hostState.getData(), static_cast<int>(hostState.getSize()));
    auto* component = xml != nullptr ? xml->getChildByName("IComponent") : nullptr;
    if (component == nullptr)
        return {};
    juce::MemoryBlock block;
    if (!block.fromBase64Encoding(component->getAllSubText()) || !edit(block))
        return {};
    component->deleteAllTextElements();
    component->addTextElement(block.toBase64Encoding());
    juce::MemoryBlock edited;
    juce::AudioProcessor::copyXmlToBinary(*xml, edited);
    return edited;
}

// JUCE's base64 ("<size>.<characters>") is the one quoted literal in the Turtle that decodes to
// the plug-in's block.
juce::MemoryBlock editLv2(const juce::MemoryBlock& hostState, const BlockEdit& edit)
{
    auto turtle = hostState.toString();
    for (int open = turtle.indexOfChar('"'); open >= 0;)
    {
        const auto close = turtle.indexOfChar(open + 1, '"');
        if (close < 0)
            break;
        const auto literal = turtle.substring(open + 1, close);
        juce::MemoryBlock block;
        if (block.fromBase64Encoding(literal) && edit(block))
        {
            turtle = turtle.replaceSection(open + 1, literal.length(), block.toBase64Encoding());
            return { turtle.toRawUTF8(), turtle.getNumBytesAsUTF8() };
        }
        open = turtle.indexOfChar(close + 1, '"');
    }
    return {};
}

juce::MemoryBlock editPluginBlock(const juce::MemoryBlock& hostState, Format format, const BlockEdit& edit)
{
    return format == Format::vst3 ? editVst3(hostState, edit) : editLv2(hostState, edit);
}

bool isPluginBlock(const juce::MemoryBlock& block)
{
    return block.getSize() > 8 && std::memcmp(block.getData(), "VC2!", 4) == 0;
}
} // namespace

juce::MemoryBlock HostState::withCharacterChoice(const juce::MemoryBlock& hostState, Format format, int choice)
{
    return editPluginBlock(hostState, format, [choice](juce::MemoryBlock& block) { return chooseCharacterInPluginBlock(block, choice); });
}

juce::MemoryBlock HostState::withPluginBlock(const juce::MemoryBlock& hostState, Format format, const juce::MemoryBlock& replacement)
{
    return editPluginBlock(hostState, format,
                           [&replacement](juce::MemoryBlock& block)
                           {
                               if (!isPluginBlock(block))
                                   return false;
                               block = replacement;
                               return true;
                           });
}

juce::MemoryBlock HostState::pluginBlockOf(const juce::MemoryBlock& hostState, Format format)
{
    juce::MemoryBlock found;
    editPluginBlock(hostState, format,
                    [&found](juce::MemoryBlock& block)
                    {
                        if (isPluginBlock(block))
                            found = block;
                        return false;
                    });
    return found;
}
} // namespace zq6::host
