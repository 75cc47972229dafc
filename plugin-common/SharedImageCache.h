#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

namespace quil::ui
{
// Decoded images shared by everything in the process that shows the same embedded data: the first
// user decodes, later users share the result, and the pixels are freed when the last user lets go.
class SharedImageCache
{
public:
    using Handle = std::shared_ptr<const juce::Image>;

    // The decoded image of `data`, or nothing when it cannot be decoded.
    static Handle get(const void* data, size_t size);
};
} // namespace quil::ui
