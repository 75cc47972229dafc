#include "DoubleClickValueEntry.h"

#include <charconv>
#include <cmath>
#include <string>

namespace quil::ui
{
namespace
{
constexpr double kilo = 1000.0;
constexpr size_t longestUnitText = 8;

bool isDigit(char c) noexcept
{
    return c >= '0' && c <= '9';
}

size_t skipDigits(const std::string& text, size_t i) noexcept
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

// Length of the number the text begins with (sign, digits, "." and digits, exponent); 0 without a digit.
size_t numberLength(const std::string& text) noexcept
{
    size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    auto end = skipDigits(text, i);
    auto digits = end - i;
    if (end < text.size() && text[end] == '.')
    {
        const auto fractionEnd = skipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E'))
    {
        auto exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const auto exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return end;
}

std::optional<double> readNumber(const std::string& text, size_t length)
{
    const auto skipPlus = text[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + skipPlus, text.data() + length, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Whatever follows the number may only name a unit: letters, spaces, "%" and "/".
bool isUnitText(const juce::String& rest)
{
    const auto trimmed = rest.trim();
    return static_cast<size_t>(trimmed.length()) <= longestUnitText
           && trimmed.containsOnly("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ %/");
}

juce::String withDecimalComma(const juce::String& text)
{
    const auto commas = text.length() - text.removeCharacters(",").length();
    return !text.containsChar('.') && commas == 1 ? text.replaceCharacter(',', '.') : text;
}
} // namespace

DoubleClickValueEntry::DoubleClickValueEntry(juce::Component& controlToUse, Callbacks callbacksToUse,
                                             bool kiloSuffix)
    : control(controlToUse), callbacks(std::move(callbacksToUse)), allowsKiloSuffix(kiloSuffix)
{
    control.addMouseListener(this, false);
}

DoubleClickValueEntry::~DoubleClickValueEntry()
{
    close(false);
    control.removeMouseListener(this);
}

std::optional<double> DoubleClickValueEntry::parse(const juce::String& text, juce::Range<double> range,
                                                   bool kiloSuffix)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty())
        return std::nullopt;
    const auto lower = trimmed.toLowerCase();
    if (lower == "inf" || lower == "+inf")
        return range.getEnd();
    if (lower == "-inf")
        return range.getStart();

    const auto utf8 = withDecimalComma(trimmed).toStdString();
    const auto length = numberLength(utf8);
    if (length == 0)
        return std::nullopt;
    auto number = readNumber(utf8, length);
    auto rest = juce::String::fromUTF8(utf8.data() + length, static_cast<int>(utf8.size() - length));
    // "2 kHz" is as much 2000 Hz as "2kHz" is; where thousands make no sense, "2k" is no number
    // rather than a 2 with a unit.
    if (rest.trimStart().startsWithChar('k') || rest.trimStart().startsWithChar('K'))
    {
        if (!kiloSuffix)
            return std::nullopt;
        rest = rest.trimStart().substring(1);
        if (number)
            *number *= kilo;
    }
    if (!number || !isUnitText(rest) || !std::isfinite(*number))
        return std::nullopt;
    return range.clipValue(*number);
}

void DoubleClickValueEntry::mouseDoubleClick(const juce::MouseEvent& event)
{
    if (!event.mods.isRightButtonDown())
        open();
}

void DoubleClickValueEntry::open()
{
    auto* parent = control.getParentComponent();
    if (editor != nullptr || parent == nullptr || !control.isEnabled())
        return;

    const auto area = callbacks.bounds() + control.getPosition();
    const auto bounds = area.withSizeKeepingCentre(juce::jmax(minimumWidth, area.getWidth()),
                                                   juce::jmax(minimumHeight, area.getHeight()))
                            .constrainedWithin(parent->getLocalBounds());

    editor = std::make_unique<juce::TextEditor>();
    editor->setMultiLine(false);
    editor->setJustification(juce::Justification::centred);
    editor->setInputRestrictions(maximumLength);
    if (callbacks.setUpEditor)
        callbacks.setUpEditor(*editor);
    editor->setText(callbacks.text(), false);
    editor->setBounds(bounds);
    editor->addListener(this);
    parent->addAndMakeVisible(*editor);
    editor->grabKeyboardFocus();
    editor->selectAll();
}

void DoubleClickValueEntry::close(bool commit)
{
    if (editor == nullptr)
        return;
    // Taken first, so that the focus loss of the editor leaving its parent finds nothing to close.
    const std::unique_ptr<juce::TextEditor> closing = std::move(editor);
    closing->removeListener(this);
    const auto value = commit ? parse(closing->getText(), callbacks.range(), allowsKiloSuffix) : std::nullopt;
    if (auto* parent = closing->getParentComponent())
        parent->removeChildComponent(closing.get());
    if (value)
        callbacks.commit(*value);
}
} // namespace quil::ui
