#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace
{
// The reverb runs read as a ratio to Dragonfly Hall at the same rate and on the same input.
const std::map<std::string, std::string> dragonflyHallAlike {
    { "BM_Peer_DragonflyHall", "BM_Peer_DragonflyHall" },   { "BM_Peer_JuceReverb", "BM_Peer_DragonflyHall" },
    { "BM_ZQ6_Defaults", "BM_Peer_DragonflyHall" },         { "BM_ZQ6_WetEqAllBands", "BM_Peer_DragonflyHall" },
    { "BM_ZQ6_Unmask", "BM_Peer_DragonflyHall" },           { "BM_ZQ6_Shaping", "BM_Peer_DragonflyHall" },
    { "BM_ZQ6_UnmaskAndShaping", "BM_Peer_DragonflyHall" }, { "BM_Silence_DragonflyHall", "BM_Silence_DragonflyHall" },
    { "BM_Silence_ZQ6", "BM_Silence_DragonflyHall" },
};

std::string referenceOf(const std::string& function, const std::string& args)
{
    const auto found = dragonflyHallAlike.find(function);
    return found == dragonflyHallAlike.end() ? std::string() : found->second + "/" + args;
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    zq6::bench::RatioReporter reporter(referenceOf);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
