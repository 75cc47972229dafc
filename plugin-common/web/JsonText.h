#pragma once

#include <juce_core/juce_core.h>

#include <initializer_list>
#include <utility>

namespace quil::web
{
// A JSON object of string values on one line, {"key": "value", ...}, in the given order. The
// framework's writer leaves U+0007 as "\a", which is not JSON; here every control character leaves
// as \u00XX and everything outside printable ASCII as \uXXXX (surrogate pairs above U+FFFF).
juce::String jsonObjectText(std::initializer_list<std::pair<const char*, juce::String>> members);

// One JSON string literal, quotes included.
juce::String jsonStringText(const juce::String& text);
} // namespace quil::web
