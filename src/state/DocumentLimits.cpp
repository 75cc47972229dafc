#include "DocumentLimits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace zq6::statetree
{
namespace
{
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Any code point but 0 and the surrogates: the framework writes every character it cannot write
// as it is this way, so anything a load keeps must read back.
bool isReferableCharacter(long code) { return code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff); }

bool isNumericReference(std::string_view body)
{
    const auto hex = body.size() > 1 && body[0] == 'x';
    const auto digits = body.substr(hex ? 1 : 0);
    if (digits.empty() || digits.size() > 7)
        return false;
    long code = 0;
    for (const auto c : digits)
    {
        const auto digit = hex ? hexValue(c) : (isDigit(c) ? c - '0' : -1);
        if (digit < 0)
            return false;
        code = code * (hex ? 16 : 10) + digit;
    }
    return isReferableCharacter(code);
}

// One pass over the text, refusing at the first thing a state does not hold. Counts and depth
// are those the framework's reader would reach, since it reads what passes here the same way.
class Scanner
{
public:
    Scanner(const char* text, std::size_t size) : position(text), end(text + size) {}

    bool scan()
    {
        skipSpace();
        if (startsWith("<?") && !skipPast("<?", "?>"))
            return false;
        while (skipSpace(), startsWith("<!--"))
            if (!skipPast("<!--", "-->"))
                return false;
        if (!startsWith("<") || !startTag())
            return false;
        while (depth > 0)
            if (!content())
                return false;
        return true;
    }

private:
    bool startsWith(std::string_view prefix) const
    {
        return static_cast<std::size_t>(end - position) >= prefix.size()
            && std::memcmp(position, prefix.data(), prefix.size()) == 0;
    }

    void skipSpace()
    {
        while (position < end && isSpace(*position))
            ++position;
    }

    // Past the opener, then past the terminator, as the reader does: "<!-->" opens a comment.
    bool skipPast(std::string_view opener, std::string_view terminator)
    {
        position += opener.size();
        const std::string_view rest(position, static_cast<std::size_t>(end - position));
        const auto found = rest.find(terminator);
        if (found == std::string_view::npos)
            return false;
        position += found + terminator.size();
        return true;
    }

    std::string_view name()
    {
        const auto* start = position;
        if (position < end && isNameStart(*position))
            while (++position < end && isNameChar(*position))
            {
            }
        return { start, static_cast<std::size_t>(position - start) };
    }

    // At '&': only the predefined entities and numeric references; the reader would look any other
    // up in a DTD, scanning the rest of the text each time.
    bool reference()
    {
        constexpr std::size_t longest = 10;
        const std::string_view rest(position + 1, std::min<std::size_t>(static_cast<std::size_t>(end - position - 1), longest));
        const auto semicolon = rest.find(';');
        if (semicolon == std::string_view::npos)
            return false;
        const auto body = rest.substr(0, semicolon);
        const auto known = body == "amp" || body == "lt" || body == "gt" || body == "quot" || body == "apos"
                        || (body.size() > 1 && body[0] == '#' && isNumericReference(body.substr(1)));
        position += semicolon + 2;
        return known;
    }

    // Text up to the stop character, which must come; a '<' may only end it.
    bool text(char stop)
    {
        while (position < end && *position != stop)
        {
            if (*position == '&')
            {
                if (!reference())
                    return false;
            }
            else if (*position++ == '<')
                return false;
        }
        return position < end;
    }

    bool content()
    {
        if (!text('<'))
            return false;
        if (startsWith("<!--"))
            return skipPast("<!--", "-->");
        if (startsWith("</"))
            return endTag();
        return startTag();
    }

    bool endTag()
    {
        position += 2;
        if (name().empty())
            return false;
        skipSpace();
        if (position >= end || *position != '>')
            return false;
        ++position;
        --depth;
        return true;
    }

    bool startTag()
    {
        ++position;
        if (name().empty() || ++elements > DocumentLimits::maxElements)
            return false;
        attributeCount = 0;
        for (;;)
        {
            const auto* beforeSpace = position;
            skipSpace();
            if (startsWith("/>"))
            {
                position += 2;
                return namesEachAttributeOnce();
            }
            if (startsWith(">"))
            {
                ++position;
                return namesEachAttributeOnce() && ++depth <= DocumentLimits::maxDepth;
            }
            if (position == beforeSpace || !attribute())
                return false;
        }
    }

    // Sorted, so that a crafted element costs k log k, not k squared.
    bool namesEachAttributeOnce()
    {
        const auto first = names.begin();
        const auto last = first + attributeCount;
        std::sort(first, last);
        return std::adjacent_find(first, last) == last;
    }

    bool attribute()
    {
        const auto attributeName = name();
        if (attributeName.empty() || !countAttribute(attributeName))
            return false;
        skipSpace();
        if (position >= end || *position != '=')
            return false;
        ++position;
        skipSpace();
        return quotedValue();
    }

    bool countAttribute(std::string_view attributeName)
    {
        if (attributeCount == DocumentLimits::maxAttributesPerElement || ++attributes > DocumentLimits::maxAttributes)
            return false;
        names[static_cast<std::size_t>(attributeCount++)] = attributeName;
        return true;
    }

    bool quotedValue()
    {
        if (position >= end || (*position != '"' && *position != '\''))
            return false;
        const auto quote = *position++;
        if (!text(quote))
            return false;
        ++position;
        return true;
    }

    const char* position;
    const char* end;
    int depth = 0;
    int elements = 0;
    int attributes = 0;
    int attributeCount = 0;
    std::array<std::string_view, DocumentLimits::maxAttributesPerElement> names {};
};
} // namespace

bool isWithinDocumentLimits(const char* text, std::size_t size) noexcept
{
    if (text == nullptr || size > DocumentLimits::maxBytes)
        return false;
    return Scanner(text, size).scan();
}
} // namespace zq6::statetree
