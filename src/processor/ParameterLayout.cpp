#include "ParameterLayout.h"

#include "ParameterIds.h"
#include "ParameterText.h"
#include "SwitchParameter.h"
#include "WetEqBands.h"

#include <cmath>

namespace zq6
{
namespace
{
using Layout = juce::AudioProcessorValueTreeState::ParameterLayout;
using FloatAttributes = juce::AudioParameterFloatAttributes;
using StringFromValue = std::function<juce::String(float, int)>;
using ValueFromString = std::function<float(const juce::String&)>;

struct Family
{
    juce::String label;
    StringFromValue toText;
    ValueFromString fromText;
};

Family percent()
{
    return { "%", [](float v, int) { return paramtext::percentToText(v); }, paramtext::percentFromText };
}

Family number(const juce::String& label, int decimals)
{
    return { label, [decimals](float v, int) { return paramtext::numberToText(v, decimals); }, paramtext::numberFromText };
}

Family bandFrequency()
{
    return { "Hz", [](float v, int) { return paramtext::bandFrequencyToText(v); }, paramtext::frequencyFromText };
}

Family lowPassFrequency()
{
    return { "Hz", [](float v, int) { return paramtext::lowPassToText(v); }, paramtext::lowPassFromText };
}

Family levelWithFloor()
{
    return { "dB", [](float v, int) { return paramtext::levelToText(v); }, paramtext::levelFromText };
}

constexpr float linear = -1.0f; // no centre: skew 1

void addFloat(Layout& layout, const char* id, const juce::String& name, float start, float end, float step,
              float centre, float defaultValue, const Family& family)
{
    const auto skew = centre == linear ? 1.0f : skewForCentre(start, end, centre);
    layout.add(std::make_unique<juce::AudioParameterFloat>(
        juce::ParameterID { id, 1 }, name, juce::NormalisableRange<float> { start, end, step, skew }, defaultValue,
        FloatAttributes {}.withLabel(family.label).withStringFromValueFunction(family.toText).withValueFromStringFunction(family.fromText)));
}

void addChoice(Layout& layout, const char* id, const juce::String& name, const juce::StringArray& choices, int defaultIndex)
{
    layout.add(std::make_unique<juce::AudioParameterChoice>(juce::ParameterID { id, 1 }, name, choices, defaultIndex));
}

void addSwitch(Layout& layout, const char* id, const juce::String& name)
{
    layout.add(std::make_unique<SwitchParameter>(juce::ParameterID { id, 1 }, name, false));
}

void addEqBand(Layout& layout, int band)
{
    const auto& row = wetEqBands[band];
    const auto prefix = "EQ" + juce::String(band + 1);
    addChoice(layout, pid::eqType[band], prefix + " Type", { eqKindName(row.kinds[0]), eqKindName(row.kinds[1]) }, 0);
    addFloat(layout, pid::eqFreq[band], prefix + " Freq", 20.0f, 20000.0f, 0.0f, 1000.0f, row.defaultFrequency, bandFrequency());
    addFloat(layout, pid::eqGain[band], prefix + " Gain", -12.0f, 12.0f, 0.1f, linear, 0.0f, number("dB", 1));
    addFloat(layout, pid::eqQ[band], prefix + " Q", 0.3f, 8.0f, 0.0f, 1.0f, row.defaultQ, number({}, 2));
}
} // namespace

float skewForCentre(float start, float end, float centre)
{
    return static_cast<float>(std::log(0.5) / std::log((static_cast<double>(centre) - start) / (static_cast<double>(end) - start)));
}

Layout buildParameterLayout()
{
    Layout layout;
    addFloat(layout, pid::size, "Size", 0.0f, 1.0f, 0.0f, linear, 0.5f, percent());
    addFloat(layout, pid::decay, "Decay", 0.1f, 20.0f, 0.0f, 2.0f, 2.0f, number("s", 2));
    addFloat(layout, pid::decayBeats, "Decay Beats", 0.25f, 32.0f, 0.0f, 4.0f, 4.0f, number("beats", 2));
    addChoice(layout, pid::decayUnit, "Decay Unit", { "Seconds", "Beats" }, 0);
    addFloat(layout, pid::predelay, "Pre-delay", 0.0f, 500.0f, 0.0f, 60.0f, 20.0f, number("ms", 0));
    addChoice(layout, pid::predelayNote, "Pre-delay Note", { "1/32", "1/16T", "1/16", "1/8T", "1/8", "1/4T", "1/4", "1/2" }, 4);
    addChoice(layout, pid::predelayUnit, "Pre-delay Unit", { "Ms", "Note" }, 0);
    addFloat(layout, pid::attack, "Attack", 0.0f, 250.0f, 0.0f, 60.0f, 0.0f, number("ms", 0));
    addFloat(layout, pid::brightness, "Brightness", 0.0f, 1.0f, 0.0f, linear, 0.5f, percent());
    addFloat(layout, pid::lowcut, "Low Cut", 20.0f, 1000.0f, 0.0f, 150.0f, 100.0f, bandFrequency());
    addFloat(layout, pid::width, "Width", 0.0f, 2.0f, 0.0f, linear, 1.0f, percent());
    addFloat(layout, pid::cleanUnmask, "Clean Unmask", 0.0f, 1.0f, 0.0f, linear, 0.0f, percent());
    addFloat(layout, pid::cleanShaping, "Clean Shaping", 0.0f, 1.0f, 0.0f, linear, 0.0f, percent());
    addSwitch(layout, pid::deltaUnmask, "Delta Unmask");
    addSwitch(layout, pid::deltaShaping, "Delta Shaping");
    addFloat(layout, pid::mix, "Mix", 0.0f, 1.0f, 0.0f, linear, 0.3f, percent());
    addFloat(layout, pid::output, "Output", -24.0f, 12.0f, 0.01f, linear, 0.0f, number("dB", 1));
    addSwitch(layout, pid::bypass, "Bypass");
    addFloat(layout, pid::decayMultLow, "Decay Low Multiplier", 0.25f, 4.0f, 0.0f, 1.0f, 1.0f, number("x", 2));
    addFloat(layout, pid::erTrim, "ER Level", -48.0f, 12.0f, 0.1f, 0.0f, 0.0f, levelWithFloor());
    addFloat(layout, pid::motion, "Motion", 0.0f, 1.0f, 0.0f, linear, 0.3f, percent());
    addFloat(layout, pid::diffusion, "Diffusion", 0.0f, 1.0f, 0.0f, linear, 0.7f, percent());
    addChoice(layout, pid::unmaskSpeed, "Unmask Speed", { "Fast", "Med", "Slow" }, 1);
    addFloat(layout, pid::shapeSibilance, "Shape Sibilance", 0.0f, 1.0f, 0.0f, linear, 1.0f, percent());
    addFloat(layout, pid::shapeBreath, "Shape Breath", 0.0f, 1.0f, 0.0f, linear, 1.0f, percent());
    addFloat(layout, pid::shapeAttack, "Shape Transient", 0.0f, 1.0f, 0.0f, linear, 1.0f, percent());
    for (int band = 0; band < 4; ++band)
        addEqBand(layout, band);
    addFloat(layout, pid::eqLp, "EQ Low-pass", 1000.0f, 20000.0f, 0.0f, 5000.0f, 20000.0f, lowPassFrequency());
    return layout;
}

double conversionTempo(double hostTempo)
{
    return hostTempo > 1.0 ? hostTempo : 120.0;
}

float effectiveDecaySeconds(float decayUnitRaw, float decaySeconds, float decayBeats, double tempo)
{
    if (decayUnitRaw < 0.5f)
        return decaySeconds;
    const auto seconds = static_cast<float>(static_cast<double>(decayBeats) * 60.0 / conversionTempo(tempo));
    if (!(seconds >= 0.1f))
        return 0.1f;
    return std::min(seconds, 20.0f);
}

float effectivePreDelayMs(float preDelayUnitRaw, float preDelayMs, float preDelayNoteRaw, double tempo)
{
    if (preDelayUnitRaw < 0.5f)
        return preDelayMs;
    const auto index = std::clamp(static_cast<int>(std::lround(preDelayNoteRaw)), 0, 7);
    const auto ms = static_cast<float>(noteValueBeats[index] * 60000.0 / conversionTempo(tempo));
    return std::clamp(ms, 0.0f, 500.0f);
}
} // namespace zq6
