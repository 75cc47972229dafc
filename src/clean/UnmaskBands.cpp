#include "UnmaskBands.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double lowestHz = 40.0;

std::array<int, UnmaskBands::count + 1> bandEdges(double rate, int frame)
{
    const auto span = std::min(0.475 * rate, 18000.0) / lowestHz;
    const auto binsPerHz = frame / rate;
    std::array<int, UnmaskBands::count + 1> edges {};
    edges[0] = std::max(1, static_cast<int>(std::lround(frame * lowestHz / rate)));
    for (int i = 1; i <= UnmaskBands::count; ++i)
    {
        const auto ideal = std::lround(std::pow(span, i / static_cast<double>(UnmaskBands::count)) * lowestHz * binsPerHz);
        edges[static_cast<size_t>(i)] = std::max(edges[static_cast<size_t>(i - 1)] + 1, static_cast<int>(ideal));
    }
    // Keep the top edges inside the spectrum and distinct.
    for (int j = 0; j <= UnmaskBands::count; ++j)
    {
        auto& edge = edges[static_cast<size_t>(UnmaskBands::count - j)];
        edge = std::min(edge, frame / 2 - j);
    }
    return edges;
}
} // namespace

void UnmaskBands::design(double rate, int frame)
{
    const auto edges = bandEdges(rate, frame);
    for (int k = 0; k < count; ++k)
    {
        auto& band = bands[static_cast<size_t>(k)];
        band.lo = edges[static_cast<size_t>(k)];
        band.hi = edges[static_cast<size_t>(k + 1)];
        band.centreBin = static_cast<float>(band.lo + band.hi - 1) * 0.5f;
        band.centreHz = static_cast<float>(rate / frame * band.centreBin);
    }

    lowerBands.resize(static_cast<size_t>(frame / 2 + 1));
    fractions.resize(static_cast<size_t>(frame / 2 + 1));
    const auto place = [this](int i, int band, float fraction) {
        lowerBands[static_cast<size_t>(i)] = band;
        fractions[static_cast<size_t>(i)] = fraction;
    };
    int lower = 0;
    for (int i = 0; i <= frame / 2; ++i)
    {
        const auto bin = static_cast<float>(i);
        if (bin <= bands.front().centreBin)
        {
            place(i, 0, 0.0f);
            continue;
        }
        if (bin >= bands.back().centreBin)
        {
            place(i, count - 2, 1.0f);
            continue;
        }
        while (bin > bands[static_cast<size_t>(lower + 1)].centreBin)
            ++lower;
        const auto from = bands[static_cast<size_t>(lower)].centreBin;
        const auto to = bands[static_cast<size_t>(lower + 1)].centreBin;
        place(i, lower, (bin - from) / (to - from));
    }
}
} // namespace zq6
