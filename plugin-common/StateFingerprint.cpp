#include "StateFingerprint.h"

#include "ParameterTree.h"

#include <charconv>

namespace quil::fingerprint
{
namespace
{
juce::String fixedText(float value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<double>(value), std::chars_format::fixed, decimals);
    return juce::String(buffer, static_cast<size_t>(result.ptr - buffer));
}
} // namespace

juce::String canonicalText(const juce::ValueTree& tree)
{
    juce::StringArray attributes;
    for (int i = 0; i < tree.getNumProperties(); ++i)
    {
        const auto name = tree.getPropertyName(i);
        attributes.add(name.toString() + "=" + tree[name].toString().quoted());
    }
    attributes.sort(false);

    juce::String text = tree.getType().toString() + "{" + attributes.joinIntoString(" ");
    for (const auto& child : tree)
        text << "[" << canonicalText(child) << "]";
    return text + "}";
}

juce::String parameterText(const juce::AudioProcessorValueTreeState& state, const juce::StringArray& exclusions)
{
    juce::String text;
    for (const auto* parameter : includedParameters(state, exclusions))
        text << parameter->getParameterID() << "=" << fixedText(parameter->getValue(), 9) << ";";
    return text;
}

juce::String nonParameterChildrenText(const juce::ValueTree& stateTree)
{
    juce::StringArray children;
    for (const auto& child : stateTree)
        if (!child.hasType("PARAM"))
            children.add(canonicalText(child));
    children.sort(false);
    return children.joinIntoString(",");
}
} // namespace quil::fingerprint
