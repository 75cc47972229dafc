#include "JsonText.h"

namespace quil::web
{
namespace
{
void writeEscape(juce::MemoryOutputStream& out, juce::uint32 codeUnit)
{
    out << "\\u" << juce::String::toHexString(static_cast<int>(codeUnit)).paddedLeft('0', 4);
}
} // namespace

juce::String jsonStringText(const juce::String& text)
{
    juce::MemoryOutputStream out;
    out << '"';
    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = static_cast<juce::uint32>(p.getAndAdvance());
        if (c == '"' || c == '\\')
            out << '\\' << static_cast<char>(c);
        else if (c >= 0x20 && c < 0x7f)
            out << static_cast<char>(c);
        else if (c > 0xffff)
        {
            writeEscape(out, 0xd800 + ((c - 0x10000) >> 10));
            writeEscape(out, 0xdc00 + ((c - 0x10000) & 0x3ff));
        }
        else
            writeEscape(out, c);
    }
    out << '"';
    return out.toString();
}

juce::String jsonObjectText(std::initializer_list<std::pair<const char*, juce::String>> members)
{
    juce::StringArray parts;
    for (const auto& [key, value] : members)
        parts.add(jsonStringText(key) + ": " + jsonStringText(value));
    return "{" + parts.joinIntoString(", ") + "}";
}
} // namespace quil::web
