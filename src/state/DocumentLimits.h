#pragma once

#include <cstddef>

// A state block comes from a project file that anyone may have written. Before the framework's XML
// reader sees its text, a single pass over the bytes refuses what no saved state holds and what
// would make that reader recurse, allocate or loop without bound.
namespace zq6::statetree
{
struct DocumentLimits
{
    // A real state is a few KB.
    static constexpr std::size_t maxBytes = 1 << 20;
    // The deepest real element is a slot's baseline: state, slots, slot, extra, slot state, baseline.
    static constexpr int maxDepth = 8;
    // A real state has about 50 elements and 250 attributes; the largest element, a slot, has 42.
    // A load keeps at most 55 elements, so whatever loaded saves back within these counts.
    static constexpr int maxElements = 1024;
    static constexpr int maxAttributesPerElement = 256;
    static constexpr int maxAttributes = 64 * maxAttributesPerElement;
};

// True when the text is within the limits and uses only what a saved state uses: an optional XML
// declaration at the start, comments, elements and attributes whose names hold no ":" (the
// framework decodes "base64:" attributes into blocks of any size), each attribute once per
// element, and only the predefined and numeric character references. No DOCTYPE, CDATA or other
// processing instructions. Anything malformed beyond that is left for the XML reader to refuse.
bool isWithinDocumentLimits(const char* text, std::size_t size) noexcept;
} // namespace zq6::statetree
