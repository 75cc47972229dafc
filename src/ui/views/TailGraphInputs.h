#pragma once

namespace zq6::ui
{
// The ten values the tail graph is drawn from; the graph is recomputed only when one changes.
struct TailGraphInputs
{
    float size = 0.5f;
    float width = 1.0f;
    float erWeight = 0.5f;
    float erOrderThreshold = 0.65f;
    float erLowPassHz = 14000.0f;
    float voiceLowPassHz = 12000.0f;
    float decaySeconds = 2.0f;
    float brightness = 0.5f;
    float highDecayMult = 1.0f;
    float lowCutHz = 100.0f;

    bool operator==(const TailGraphInputs& other) const noexcept
    {
        return size == other.size && width == other.width && erWeight == other.erWeight
               && erOrderThreshold == other.erOrderThreshold && erLowPassHz == other.erLowPassHz
               && voiceLowPassHz == other.voiceLowPassHz && decaySeconds == other.decaySeconds
               && brightness == other.brightness && highDecayMult == other.highDecayMult
               && lowCutHz == other.lowCutHz;
    }
    bool operator!=(const TailGraphInputs& other) const noexcept { return !(*this == other); }
};
} // namespace zq6::ui
