#include "ParameterText.h"

#include "ParameterTable.h"

#include <charconv>
#include <cmath>

namespace zq6::paramtext
{
namespace
{
juce::String integerText(float value)
{
    const auto rounded = static_cast<long long>(std::llround(static_cast<double>(value)));
    return juce::String(rounded == 0 ? 0LL : rounded); // never "-0"
}

juce::String trimmedLower(const juce::String& text)
{
    return text.trim().toLowerCase();
}
} // namespace

double leadingNumber(const juce::String& text)
{
    const auto utf8 = text.trimStart().toStdString();
    const char* begin = utf8.data();
    const char* end = begin + utf8.size();
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-'))
    {
        negative = (*begin == '-');
        ++begin;
    }
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

juce::String percentToText(float value)
{
    return integerText(value * 100.0f);
}

float percentFromText(const juce::String& text)
{
    return static_cast<float>(leadingNumber(text) / 100.0);
}

juce::String numberToText(float value, int decimals)
{
    if (decimals < 1)
        return integerText(value);
    const auto scale = std::pow(10.0, decimals);
    const auto rounded = std::round(static_cast<double>(value) * scale) / scale;
    return juce::String(rounded == 0.0 ? 0.0 : rounded, decimals);
}

float numberFromText(const juce::String& text)
{
    return static_cast<float>(leadingNumber(text));
}

juce::String bandFrequencyToText(float value)
{
    return integerText(value);
}

float frequencyFromText(const juce::String& text)
{
    const auto lower = trimmedLower(text);
    auto number = leadingNumber(lower);
    if (lower.endsWith("k") || lower.endsWith("khz"))
        number *= 1000.0;
    return static_cast<float>(number);
}

juce::String lowPassToText(float value)
{
    return value >= lowPassOffHz ? juce::String("Off") : bandFrequencyToText(value);
}

float lowPassFromText(const juce::String& text)
{
    if (trimmedLower(text).startsWith("off"))
        return spec(Param::eqLp).range.end;
    return frequencyFromText(text);
}

juce::String levelToText(float value)
{
    if (value <= levelFloorDb)
        return "-inf";
    if (std::abs(value) < 0.05f)
        return "0.0";
    return numberToText(value, 1);
}

float levelFromText(const juce::String& text)
{
    const auto lower = trimmedLower(text);
    if (lower.contains("inf"))
        return lower.startsWithChar('+') ? spec(Param::erTrim).range.end : spec(Param::erTrim).range.start;
    return static_cast<float>(leadingNumber(lower));
}
} // namespace zq6::paramtext
