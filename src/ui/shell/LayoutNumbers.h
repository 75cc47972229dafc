#pragma once

#include <juce_core/juce_core.h>

namespace zq6::ui
{
// JSON numbers as the layout file uses them: integers and floating point count, booleans and text do not.
inline bool isLayoutNumber(const juce::var& v) noexcept
{
    return v.isInt() || v.isInt64() || v.isDouble();
}

// The value of `key` in `object` when it is a number, else 0.
inline float layoutNumber(const juce::var& object, const juce::Identifier& key)
{
    const auto& v = object[key];
    return isLayoutNumber(v) ? static_cast<float>(static_cast<double>(v)) : 0.0f;
}
} // namespace zq6::ui
