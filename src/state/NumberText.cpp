#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace zq6::numbertext
{
namespace
{
constexpr int textCapacity = 64;
// Magnitudes from here on round to infinity as a float: the largest float plus half its last step.
constexpr double floatOverflowThreshold = static_cast<double>(std::numeric_limits<float>::max()) + 0x1p103;

template <typename Number>
juce::String generalText(Number value, int significantDigits)
{
    char buffer[textCapacity];
    const auto result = std::to_chars(buffer, buffer + textCapacity, value, std::chars_format::general, significantDigits);
    return juce::String(buffer, static_cast<size_t>(result.ptr - buffer));
}

// The whole view as a number, or nothing when it is not one or leaves characters over.
template <typename Number>
std::optional<Number> parseWhole(std::string_view text)
{
    Number value {};
    const auto end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc {} || result.ptr != end)
        return std::nullopt;
    return value;
}

std::string_view viewOf(const juce::String& text)
{
    return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Advances past a run of digits; false when there is none.
bool skipDigits(std::string_view text, size_t& position)
{
    const auto start = position;
    while (position < text.size() && isDigit(text[position]))
        ++position;
    return position > start;
}

bool matchesStrictFloat(std::string_view text)
{
    size_t position = 0;
    if (position < text.size() && text[position] == '-')
        ++position;
    if (!skipDigits(text, position))
        return false;
    if (position < text.size() && text[position] == '.')
    {
        ++position;
        if (!skipDigits(text, position))
            return false;
    }
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E'))
    {
        ++position;
        if (position < text.size() && (text[position] == '+' || text[position] == '-'))
            ++position;
        if (!skipDigits(text, position))
            return false;
    }
    return position == text.size();
}

bool hasSlotNumberCharacters(std::string_view text)
{
    bool anyDigit = false;
    for (const auto c : text)
    {
        if (isDigit(c))
            anyDigit = true;
        else if (std::string_view(" +-.eE").find(c) == std::string_view::npos)
            return false;
    }
    return anyDigit;
}

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// from_chars takes no "+", which the C library's reader allows once before the number.
std::string_view withoutPlusSign(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '+' && text[1] != '-')
        return text.substr(1);
    return text;
}
} // namespace

juce::String shortestFloatText(float value)
{
    if (!std::isfinite(value))
        return "0";
    // The fewest significant digits that read back as the same float, in plain notation unless the
    // exponent form is shorter: 20000 is "20000", 110 is "110", 0.00001 is "1e-05".
    char buffer[textCapacity];
    const auto result = std::to_chars(buffer, buffer + textCapacity, value);
    return juce::String(buffer, static_cast<size_t>(result.ptr - buffer));
}

juce::String slotNumberText(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    auto text = generalText(value, 17);
    for (int digits = 15; digits < 17; ++digits)
    {
        const auto candidate = generalText(value, digits);
        if (parseWhole<double>(viewOf(candidate)) == value)
        {
            text = candidate;
            break;
        }
    }
    if (!text.containsAnyOf(".eE"))
        text << ".0";
    return text;
}

juce::String integerText(int value)
{
    char buffer[textCapacity];
    const auto result = std::to_chars(buffer, buffer + textCapacity, value);
    return juce::String(buffer, static_cast<size_t>(result.ptr - buffer));
}

std::optional<int> readStrictInteger(const juce::String& text)
{
    return parseWhole<int>(viewOf(text));
}

std::optional<float> readStrictFloat(const juce::String& text)
{
    const auto view = viewOf(text);
    if (!matchesStrictFloat(view))
        return std::nullopt;
    const auto value = parseWhole<double>(view);
    if (!value || !std::isfinite(*value) || std::abs(*value) >= floatOverflowThreshold)
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<double> readSlotNumber(const juce::String& text)
{
    const auto view = viewOf(text);
    if (!hasSlotNumberCharacters(view))
        return std::nullopt;
    const auto value = parseWhole<double>(withoutPlusSign(trimSpaces(view)));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<double> readSlotValue(const juce::var& value)
{
    if (value.isInt() || value.isInt64() || value.isDouble())
    {
        const auto number = static_cast<double>(value);
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    if (value.isString())
        return readSlotNumber(value.toString());
    return std::nullopt;
}
} // namespace zq6::numbertext
