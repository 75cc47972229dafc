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

// The same loads without audio, so that far more inputs go through the reader: a load that goes
// through must save, load back and save the same bytes, and the processor starts the next input
// from a new instance's state.
void runStateParseInput(const std::uint8_t* data, std::size_t size);
} // namespace zq6::fuzz
