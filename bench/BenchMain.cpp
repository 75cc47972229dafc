#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Every reverb run is read as a ratio to Dragonfly Hall at the same rate and on the same input.
std::string dragonflyHallAlike(const std::string& function, const std::string& args)
{
    if (startsWith(function, "BM_Silence_"))
        return "BM_Silence_DragonflyHall/" + args;
    if (startsWith(function, "BM_ZQ6_") || startsWith(function, "BM_Peer_"))
        return "BM_Peer_DragonflyHall/" + args;
    return {};
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    zq6::bench::RatioReporter reporter(dragonflyHallAlike);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
