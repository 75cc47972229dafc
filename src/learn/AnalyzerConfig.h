#pragma once

namespace zq6
{
// What the analyzer needs to know about a Learn cycle. The Source is passed already folded into
// range by the Source tables, together with the listen time of its preset row, so that the
// analyzer stays independent of those tables.
struct AnalyzerConfig
{
    double sampleRate = 48000.0;
    int mode = 0; // 0 Insert, 1 Send
    int sourceGroup = 0;
    int sourceEntry = 0;
    float listenSeconds = 8.0f;
};
} // namespace zq6
