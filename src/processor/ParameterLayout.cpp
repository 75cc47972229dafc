#include "ParameterLayout.h"

#include "../params/ParameterTable.h"
#include "../params/ParameterText.h"
#include "SwitchParameter.h"

#include <cmath>

namespace zq6
{
namespace
{
using Layout = juce::AudioProcessorValueTreeState::ParameterLayout;
using StringFromValue = std::function<juce::String(float, int)>;
using ValueFromString = std::function<float(const juce::String&)>;

struct TextFunctions
{
    StringFromValue toText;
    ValueFromString fromText;
};

TextFunctions textFunctions(const ParameterText& text)
{
    switch (text.family)
    {
        case TextFamily::percent:
            return { [](float v, int) { return paramtext::percentToText(v); }, paramtext::percentFromText };
        case TextFamily::bandFrequency:
            return { [](float v, int) { return paramtext::bandFrequencyToText(v); }, paramtext::frequencyFromText };
        case TextFamily::lowPassFrequency:
            return { [](float v, int) { return paramtext::lowPassToText(v); }, paramtext::lowPassFromText };
        case TextFamily::levelWithFloor:
            return { [](float v, int) { return paramtext::levelToText(v); }, paramtext::levelFromText };
        case TextFamily::number:
        case TextFamily::none:
            break;
    }
    return { [decimals = text.decimals](float v, int) { return paramtext::numberToText(v, decimals); },
             paramtext::numberFromText };
}

std::unique_ptr<juce::RangedAudioParameter> makeParameter(const ParameterSpec& spec)
{
    const juce::ParameterID id { spec.id, 1 };
    switch (spec.kind)
    {
        case ParameterKind::choice:
            return std::make_unique<juce::AudioParameterChoice>(
                id, spec.name, juce::StringArray(spec.choices, spec.choiceCount), static_cast<int>(spec.defaultValue));
        case ParameterKind::toggle:
            return std::make_unique<SwitchParameter>(id, spec.name, spec.defaultValue >= 0.5f);
        case ParameterKind::continuous:
            break;
    }
    const auto& r = spec.range;
    const auto skew = r.centre == ParameterRange::linear ? 1.0f : skewForCentre(r.start, r.end, r.centre);
    const auto text = textFunctions(spec.text);
    return std::make_unique<juce::AudioParameterFloat>(
        id, spec.name, juce::NormalisableRange<float> { r.start, r.end, r.step, skew }, spec.defaultValue,
        juce::AudioParameterFloatAttributes {}
            .withLabel(spec.text.unit)
            .withStringFromValueFunction(text.toText)
            .withValueFromStringFunction(text.fromText));
}
} // namespace

float skewForCentre(float start, float end, float centre)
{
    return static_cast<float>(std::log(0.5) / std::log((static_cast<double>(centre) - start) / (static_cast<double>(end) - start)));
}

Layout buildParameterLayout()
{
    Layout layout;
    for (const auto& spec : parameterTable)
        layout.add(makeParameter(spec));
    return layout;
}
} // namespace zq6
