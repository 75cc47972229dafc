#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Text forms of the stored numbers and their strict readers. Every conversion here is independent
// of the process locale: a state written under one locale reads back under any other.
namespace zq6::numbertext
{
// Fewest significant digits (1 to 9, printf %g style) that read back as the same float; "0" for
// non-finite values.
juce::String shortestFloatText(float value);

// 15, 16 or 17 significant digits, whichever first reads back as the same double, with ".0" added
// when the text would otherwise look like an integer; non-finite values are written as 0.
juce::String slotNumberText(double value);

juce::String integerText(int value);

// An optional "-" and decimal digits only; refuses anything that overflows 32 bits.
std::optional<int> readStrictInteger(const juce::String& text);

// [-]digits[.digits][(e|E)[+|-]digits], nothing else; refuses values that are not finite floats.
std::optional<float> readStrictFloat(const juce::String& text);

// Digits, spaces, signs, "." and exponents only, with surrounding spaces allowed; refuses
// non-finite values and trailing characters.
std::optional<double> readSlotNumber(const juce::String& text);

// A slot attribute: a finite number as it is, or text accepted by readSlotNumber.
std::optional<double> readSlotValue(const juce::var& value);
} // namespace zq6::numbertext
