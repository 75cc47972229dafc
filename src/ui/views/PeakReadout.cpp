#include "PeakReadout.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float silentPeak = 0.000001f;
constexpr float infinityBelowDb = -90.0f;
constexpr float highestDb = 200.0f;
} // namespace

juce::String PeakReadout::textFor(float heldDb)
{
    if (!(heldDb >= infinityBelowDb))
        return "-inf";
    const auto tenths = std::lround(heldDb * 10.0f);
    return (tenths >= 1 ? "+" : "") + juce::String(static_cast<double>(tenths) / 10.0, 1);
}

bool PeakReadout::update(float left, float right)
{
    const auto peak = std::max(left, right);
    const auto db = peak > silentPeak ? std::min(20.0f * std::log10(peak), highestDb) : resetDb;
    const auto newClip = clip || peak >= 1.0f;
    held = std::max(held, db);
    auto newText = textFor(held);

    const auto changed = newClip != clip || newText != shownText;
    clip = newClip;
    shownText = std::move(newText);
    return changed;
}

void PeakReadout::reset()
{
    held = resetDb;
    shownText = textFor(resetDb);
    clip = false;
}
} // namespace zq6::ui
