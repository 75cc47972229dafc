#include "ParameterSettings.h"

#include "ParameterListing.h"
#include "RenderOptions.h"

#include <cstdio>

namespace zq6::render
{
namespace
{
bool beginsWithNumber(const juce::String& text)
{
    auto t = text.trim();
    if (t.startsWithChar('+') || t.startsWithChar('-'))
        t = t.substring(1);
    if (t.startsWithChar('.'))
        t = t.substring(1);
    return t.isNotEmpty() && juce::CharacterFunctions::isDigit(t[0]);
}

float normalisedChoice(const juce::AudioParameterChoice& choice, const juce::String& text)
{
    for (int i = 0; i < choice.choices.size(); ++i)
        if (choice.choices[i].equalsIgnoreCase(text))
            return choice.convertTo0to1(static_cast<float>(i));
    if (text.containsOnly("0123456789") && text.isNotEmpty() && text.getIntValue() < choice.choices.size())
        return choice.convertTo0to1(static_cast<float>(text.getIntValue()));
    throw RenderError("value \"" + text + "\" for " + choice.getParameterID() + " is not one of: "
                      + choice.choices.joinIntoString(", "));
}

float normalisedSwitch(const juce::AudioParameterBool& toggle, const juce::String& text)
{
    const auto lower = text.toLowerCase();
    if (lower == "on" || lower == "true" || lower == "1")
        return 1.0f;
    if (lower == "off" || lower == "false" || lower == "0")
        return 0.0f;
    throw RenderError("value \"" + text + "\" for " + toggle.getParameterID() + " is not on or off");
}

// The number a --set value names, in the parameter's own units and before the range limits it:
// percentages as fractions unless typed with "%", frequencies in kHz when typed with "k".
double requestedNumber(const juce::RangedAudioParameter& parameter, const juce::String& text)
{
    const auto lower = text.trim().toLowerCase();
    auto number = lower.getDoubleValue();
    if (parameter.getLabel() == "%" && lower.endsWithChar('%'))
        number /= 100.0;
    if (parameter.getLabel() == "Hz" && (lower.endsWith("k") || lower.endsWith("khz")))
        number *= 1000.0;
    return number;
}

// Says on stderr which value stands in for one outside the parameter's range.
void reportClamped(const juce::RangedAudioParameter& parameter, const juce::String& text, double number)
{
    const auto& range = parameter.getNormalisableRange();
    if (number >= range.start && number <= range.end)
        return;
    const auto used = parameter.convertFrom0to1(parameter.convertTo0to1(static_cast<float>(number)));
    std::fprintf(stderr, "zq6-render: %s=%s is outside %s to %s; used %s\n", parameter.getParameterID().toRawUTF8(),
                 text.toRawUTF8(), numberText(range.start).toRawUTF8(), numberText(range.end).toRawUTF8(),
                 numberText(used).toRawUTF8());
}

float normalisedFloat(const juce::RangedAudioParameter& parameter, const juce::String& text)
{
    // Numbers are in the parameter's own units (fractions for percentages, unless typed with "%");
    // besides numbers, the words the parameter itself shows at its range ends ("Off", "-inf") are accepted.
    const auto lower = text.trim().toLowerCase();
    if (beginsWithNumber(text))
    {
        const auto number = requestedNumber(parameter, text);
        reportClamped(parameter, text, number);
        const auto& range = parameter.getNormalisableRange();
        return parameter.convertTo0to1(static_cast<float>(juce::jlimit<double>(range.start, range.end, number)));
    }
    const auto endTexts = parameter.getText(0.0f, 0).toLowerCase() + " " + parameter.getText(1.0f, 0).toLowerCase();
    const auto isWord = lower.isNotEmpty() && (endTexts.contains(lower) || (lower.contains("inf") && endTexts.contains("inf")));
    if (!isWord)
        throw RenderError("value \"" + text + "\" for " + parameter.getParameterID() + " is not a number");
    return parameter.getValueForText(text);
}

float normalisedValue(juce::RangedAudioParameter& parameter, const juce::String& text)
{
    if (auto* choice = dynamic_cast<juce::AudioParameterChoice*>(&parameter))
        return normalisedChoice(*choice, text);
    if (auto* toggle = dynamic_cast<juce::AudioParameterBool*>(&parameter))
        return normalisedSwitch(*toggle, text);
    return normalisedFloat(parameter, text);
}

} // namespace

void applySettings(juce::AudioProcessorValueTreeState& state,
                   const std::vector<std::pair<juce::String, juce::String>>& settings)
{
    for (const auto& [id, text] : settings)
    {
        auto* parameter = state.getParameter(id);
        if (parameter == nullptr)
            throw RenderError("unknown parameter id \"" + id + "\"; closest: "
                              + closestIds(state, id).joinIntoString(", ") + " (--list-params lists them all)");
        parameter->setValueNotifyingHost(normalisedValue(*parameter, text));
    }
}
} // namespace zq6::render
