#pragma once

#include <juce_core/juce_core.h>

// Value-to-text and text-to-value conversions of the parameter families.
// All parsing is locale independent.
namespace zq6::paramtext
{
// The number a text begins with (leading white space skipped, trailing characters ignored); 0 if none.
double leadingNumber(const juce::String& text);

juce::String percentToText(float value);
float percentFromText(const juce::String& text);

juce::String numberToText(float value, int decimals);
float numberFromText(const juce::String& text);

juce::String bandFrequencyToText(float value);
float frequencyFromText(const juce::String& text);

juce::String lowPassToText(float value);
float lowPassFromText(const juce::String& text);

juce::String levelToText(float value);
float levelFromText(const juce::String& text);
} // namespace zq6::paramtext
