#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace quil::update
{
// "1.0.0", "v2.1", "10": one to six dot-separated components of one to nine digits, after
// trimming and an optional leading "v" or "V". Nothing for any other text.
std::optional<std::vector<int>> parseVersion(const juce::String& text);

// True when both are valid and a is newer than b; missing components count as 0.
bool isNewerVersion(const juce::String& a, const juce::String& b);

// True when the URL is short, holds no whitespace, backslash or control character, and is the
// base itself or lies under it.
bool isAllowedPageUrl(const juce::String& url, const juce::String& base);

// The dismissed version held by the cache file, trimmed, or empty when the file is missing,
// too large, malformed or holds no valid version.
juce::String readDismissedVersion(const juce::File& file);
} // namespace quil::update
