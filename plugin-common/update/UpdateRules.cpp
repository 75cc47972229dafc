#include "UpdateRules.h"

namespace quil::update
{
namespace
{
constexpr int maxComponents = 6;
constexpr int maxDigits = 9;
constexpr int maxUrlLength = 512;
constexpr juce::int64 maxCacheFileBytes = 4096;

bool isDigits(const juce::String& part)
{
    return part.isNotEmpty() && part.length() <= maxDigits && part.containsOnly("0123456789");
}

bool isForbiddenUrlCharacter(juce::juce_wchar c)
{
    return c < 32 || c == 127 || c == ' ' || c == '\\';
}
} // namespace

std::optional<std::vector<int>> parseVersion(const juce::String& text)
{
    auto trimmed = text.trim();
    if (trimmed.startsWithChar('v') || trimmed.startsWithChar('V'))
        trimmed = trimmed.substring(1);

    const auto parts = juce::StringArray::fromTokens(trimmed, ".", {});
    if (parts.isEmpty() || parts.size() > maxComponents)
        return std::nullopt;

    std::vector<int> components;
    for (const auto& part : parts)
    {
        if (!isDigits(part))
            return std::nullopt;
        components.push_back(part.getIntValue());
    }
    return components;
}

bool isNewerVersion(const juce::String& a, const juce::String& b)
{
    const auto left = parseVersion(a);
    const auto right = parseVersion(b);
    if (!left || !right)
        return false;

    const auto count = std::max(left->size(), right->size());
    for (size_t i = 0; i < count; ++i)
    {
        const auto l = i < left->size() ? (*left)[i] : 0;
        const auto r = i < right->size() ? (*right)[i] : 0;
        if (l != r)
            return l > r;
    }
    return false;
}

bool isAllowedPageUrl(const juce::String& url, const juce::String& base)
{
    if (url.length() > maxUrlLength)
        return false;
    for (auto p = url.getCharPointer(); !p.isEmpty(); ++p)
        if (isForbiddenUrlCharacter(*p))
            return false;
    return url == base || url.startsWith(base + "/");
}

juce::String readDismissedVersion(const juce::File& file)
{
    if (file.getFullPathName().isEmpty() || file.isDirectory() || file.getSize() > maxCacheFileBytes)
        return {};

    const auto content = juce::JSON::parse(file.loadFileAsString());
    const auto* object = content.getDynamicObject();
    if (object == nullptr)
        return {};

    const auto version = object->getProperty("dismissedVersion");
    if (!version.isString() || !parseVersion(version.toString()))
        return {};
    return version.toString().trim();
}
} // namespace quil::update
