#pragma once

namespace zq6
{
// The engine cuts host blocks into chunks of at most this many samples; stages size their
// scratch arrays by it.
inline constexpr int maxChunkSamples = 32;
} // namespace zq6
