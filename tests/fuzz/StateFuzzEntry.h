#pragma once

#include <cstddef>
#include <cstdint>

namespace zq6::fuzz
{
// Feeds bytes to one long-lived processor as a saved state, once as they are and once wrapped in a
// correct block header (so that damage inside the document is reached whatever the header says).
// After each load: the state is saved, and that save must load back and save to the same bytes; one
// audio block is processed and must come out finite. A broken check aborts.
void runStateInput(const std::uint8_t* data, std::size_t size);

// The same loads without audio or reloads, so that far more inputs go through the reader: a load
// that goes through must save a state within the limits a load accepts (the full round trip is the
// audio entry's).
void runStateParseInput(const std::uint8_t* data, std::size_t size);
} // namespace zq6::fuzz
