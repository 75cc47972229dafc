#include "StateTree.h"

#include "../../plugin-common/ParameterTree.h"
#include "DocumentLimits.h"
#include "LearnBaseline.h"
#include "NumberText.h"

#include <cstring>
#include <optional>

namespace zq6::statetree
{
namespace
{
constexpr juce::uint32 blockMagic = 0x21324356; // "VC2!"
constexpr int headerSize = 8;

// The document text of a block: the magic, a length without its top bit and not 0, then at most
// that many bytes, which must be valid UTF-8 (the XML reader walks invalid sequences past the end)
// and within the limits of a state.
std::optional<juce::String> documentText(const void* data, int sizeInBytes)
{
    constexpr auto largestBlock = headerSize + DocumentLimits::maxBytes + 1;
    if (data == nullptr || sizeInBytes <= headerSize || static_cast<size_t>(sizeInBytes) > largestBlock
        || juce::ByteOrder::littleEndianInt(data) != blockMagic)
        return std::nullopt;
    const auto length = juce::ByteOrder::littleEndianInt(juce::addBytesToPointer(data, 4));
    if (length == 0 || (length & 0x80000000u) != 0)
        return std::nullopt;
    const auto* text = static_cast<const char*>(data) + headerSize;
    const auto available = std::min(static_cast<size_t>(length), static_cast<size_t>(sizeInBytes - headerSize));
    const auto textSize = static_cast<int>(strnlen(text, available));
    if (!isWithinDocumentLimits(text, static_cast<size_t>(textSize)) || !juce::CharPointer_UTF8::isValidString(text, textSize))
        return std::nullopt;
    return juce::String::fromUTF8(text, textSize);
}

bool hasParameterChild(const juce::ValueTree& tree, const juce::String& parameterId)
{
    for (const auto& child : tree)
        if (child.hasType(parameterType) && child[parameterIdId].toString() == parameterId)
            return true;
    return false;
}

// The framework reads a PARAM value as a float without any check, through a text reader that
// overflows on long exponents: the value is read here instead, folded into the range and handed on as
// a number. A value that does not read is dropped, so that the default applies.
void foldValue(juce::ValueTree& child, const juce::RangedAudioParameter& parameter)
{
    if (!child.hasProperty(parameterValueId))
        return;
    const auto value = numbertext::readSlotValue(child[parameterValueId]);
    if (!value)
    {
        child.removeProperty(parameterValueId, nullptr);
        return;
    }
    const auto& range = parameter.getNormalisableRange();
    child.setProperty(parameterValueId,
                      juce::jlimit(static_cast<double>(range.start), static_cast<double>(range.end), *value), nullptr);
}
void keepOnlyIdAndValue(juce::ValueTree& parameterChild)
{
    parameterChild.removeAllChildren(nullptr);
    for (int i = parameterChild.getNumProperties(); --i >= 0;)
        if (const auto name = parameterChild.getPropertyName(i); name != parameterIdId && name != parameterValueId)
            parameterChild.removeProperty(name, nullptr);
}
} // namespace

void writeBlock(const juce::ValueTree& tree, juce::MemoryBlock& destination)
{
    if (const auto xml = tree.createXml())
        juce::AudioProcessor::copyXmlToBinary(*xml, destination);
}

juce::ValueTree readBlock(const void* data, int sizeInBytes, const juce::Identifier& rootType)
{
    const auto text = documentText(data, sizeInBytes);
    if (!text)
        return {};
    const auto xml = juce::parseXML(*text);
    if (xml == nullptr || !xml->hasTagName(rootType.toString()))
        return {};
    return juce::ValueTree::fromXml(*xml);
}

juce::ValueTree takeChild(juce::ValueTree& tree, const juce::Identifier& type)
{
    auto child = tree.getChildWithName(type);
    tree.removeChild(child, nullptr);
    return child;
}

int takeVersion(juce::ValueTree& tree)
{
    const auto version = numbertext::readStrictInteger(tree[versionId].toString());
    tree.removeProperty(versionId, nullptr);
    return version.value_or(0);
}

void keepKnownChildren(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state)
{
    const auto baseline = tree.getChildWithName(baselineids::element);
    dropForeignBaselineContent(baseline);
    juce::StringArray parametersSeen;
    for (int i = tree.getNumChildren(); --i >= 0;)
    {
        auto child = tree.getChild(i);
        const auto parameterId = child[parameterIdId].toString();
        const auto isParameter = child.hasType(parameterType) && state.getParameter(parameterId) != nullptr
                              && !parametersSeen.contains(parameterId);
        if (isParameter)
        {
            parametersSeen.add(parameterId);
            keepOnlyIdAndValue(child);
        }
        else if (child != baseline)
            tree.removeChild(i, nullptr);
    }
}

void completeParameters(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state)
{
    for (auto child : tree)
        if (const auto* parameter = state.getParameter(child[parameterIdId].toString()); child.hasType(parameterType) && parameter)
            foldValue(child, *parameter);

    for (const auto* parameter : state.processor.getParameters())
        if (const auto* ranged = dynamic_cast<const juce::RangedAudioParameter*>(parameter))
            if (!hasParameterChild(tree, ranged->getParameterID()))
            {
                juce::ValueTree child(parameterType);
                child.setProperty(parameterIdId, ranged->getParameterID(), nullptr);
                child.setProperty(parameterValueId, quil::valueInUnits(*ranged), nullptr);
                tree.appendChild(child, nullptr);
            }
}
} // namespace zq6::statetree
