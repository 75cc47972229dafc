#pragma once

#include <juce_core/juce_core.h>

namespace zq6::ui
{
// One side's peak number: the highest level since the last reset and whether it reached 0 dBFS.
class PeakReadout
{
public:
    static constexpr float resetDb = -200.0f;

    // "-inf" below -90 dB, else one decimal with "+" above zero: "0.0", "-3.2", "+1.4".
    static juce::String textFor(float heldDb);

    // One refresh tick with the side's two linear peaks; true when the text or the clip mark changed.
    bool update(float left, float right);
    void reset();

    float heldDb() const noexcept { return held; }
    const juce::String& text() const noexcept { return shownText; }
    bool clipped() const noexcept { return clip; }

private:
    float held = resetDb;
    juce::String shownText = textFor(resetDb);
    bool clip = false;
};
} // namespace zq6::ui
