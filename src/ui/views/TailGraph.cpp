#include "TailGraph.h"

#include "../shell/Palette.h"
#include "../shell/ValueNoise.h"

#include <algorithm>
#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr int lastPoint = TailGraph::pointCount - 1;
constexpr int lastRidge = TailGraph::ridgeCount - 1;
constexpr int earlyRidges = 7;
constexpr float rightMargin = 16.0f;
constexpr float footRoom = 24.0f;
constexpr float ridgeHeight = 69.0f;
constexpr float axisInset = 0.5f;
constexpr float tickSpacing = 14.0f;
constexpr float hiddenMargin = 0.4f;
constexpr float openSky = 1e9f;
constexpr std::array<float, 11> gridSteps { 0.02f, 0.05f, 0.1f, 0.2f, 0.25f, 0.5f, 1.0f, 2.0f, 2.5f, 5.0f, 10.0f };

float square(float v)
{
    return v * v;
}

// Second-order-like slope used for the display's low cut and low-passes.
float rolloff(float ratio)
{
    return 1.0f / std::sqrt(1.0f + square(square(ratio)));
}

struct Spectra
{
    std::array<float, TailGraph::pointCount> level {}, life {}, early {};
};

Spectra spectraFor(const TailGraphInputs& in)
{
    const auto brightnessShift = (in.brightness - 0.5f) * 2.0f + 0.5f;
    const auto darkening = std::clamp(((1.0f - brightnessShift) * 0.9f + 0.05f) / std::max(in.highDecayMult, 0.2f),
                                      0.03f, 0.98f);
    Spectra s;
    for (int i = 0; i <= lastPoint; ++i)
    {
        const auto o = static_cast<float>(i) / static_cast<float>(lastPoint);
        const auto f = 20.0f * std::pow(1000.0f, o);
        const auto hp = rolloff(in.lowCutHz / f);
        const auto lp = rolloff(f / in.voiceLowPassHz);
        const auto bump = 0.35f * std::exp(-square((o - 0.42f) / 0.28f)) + 0.5f;
        const auto edge = std::clamp(std::min((1.0f - o) / 0.03f, o / 0.035f), 0.0f, 1.0f);
        const auto k = static_cast<size_t>(i);
        s.level[k] = ((lp - 1.0f) * 0.85f + 1.0f) * hp * bump * (2.0f - edge) * edge;
        s.life[k] = std::max(0.05f, (1.0f - std::max((o - 0.4f) / 0.6f, 0.0f) * darkening) * ((1.0f - o) * 0.25f + 1.0f));
        s.early[k] = rolloff(f / in.erLowPassHz);
    }
    return s;
}

int decimalsFor(float step)
{
    for (int d = 0; d < 2; ++d)
    {
        const auto scaled = step * std::pow(10.0f, static_cast<float>(d));
        if (std::abs(scaled - std::round(scaled)) < 0.001f)
            return d;
    }
    return 2;
}

// Reads a horizon column; columns outside the view never hide anything.
float horizonAt(const std::vector<float>& horizon, float x)
{
    const auto column = static_cast<long>(std::lround(x));
    return column >= 0 && column < static_cast<long>(horizon.size()) ? horizon[static_cast<size_t>(column)] : openSky;
}
} // namespace

TailGraph::Frame TailGraph::Frame::fromLayout(const juce::String& windowId, const juce::String& selectorId,
                                              const Layout& layout)
{
    const auto& window = layout.item(windowId);
    const auto& selector = layout.item(selectorId);
    return { window.w, window.h, (selector.y + selector.h) - window.y - innerInset + 12.0f };
}

TailGraph TailGraph::compute(const TailGraphInputs& in, const Frame& frame)
{
    TailGraph g;
    g.decay = in.decaySeconds;
    g.plot = frame.width - 2.0f * innerInset - leftMargin - rightMargin;
    g.y0 = frame.height - 2.0f * innerInset - footRoom;
    g.depth = (60.0f * std::sqrt(std::clamp(in.decaySeconds, 0.1f, 10.0f) / 10.0f) + 100.0f) * 0.75f;
    g.narrowing = std::clamp(0.25f + 0.1f * (1.0f - in.width), 0.12f, 0.38f);

    const auto noiseFrequency = in.size * 34.0f + 10.0f;
    const auto noiseDepth = (1.0f - in.size) * 0.3f + 0.05f;
    const auto earlyLevel = in.erWeight * 0.36f + 0.05f;
    const auto earlyNoiseFrequency = in.erOrderThreshold * 22.0f + 6.0f;
    const auto spectra = spectraFor(in);

    std::array<std::array<float, pointCount>, ridgeCount> heights {};
    auto highest = 0.001f;
    for (int r = 0; r <= lastRidge; ++r)
    {
        const auto t = static_cast<float>(r) / static_cast<float>(lastRidge);
        const auto span = (1.0f - g.narrowing * t) * g.plot;
        const auto left = (g.plot - span) * 0.5f + leftMargin;
        auto& ridge = g.ridges[static_cast<size_t>(r)];
        for (int i = 0; i <= lastPoint; ++i)
        {
            const auto k = static_cast<size_t>(i);
            const auto o = static_cast<float>(i) / static_cast<float>(lastPoint);
            ridge.x[k] = span * o + left;
            const auto noise = ValueNoise::at(o * noiseFrequency, 8.0f * t + 3.7f);
            auto a = std::pow(std::max(1.0f - t / spectra.life[k], 0.0f), 1.2f) * spectra.level[k]
                     * ((noise - 0.5f) * noiseDepth * 2.4f + 1.0f);
            if (r < earlyRidges)
                a += std::exp(-square((o - 0.5f) / 0.32f)) * std::exp(-static_cast<float>(r) / 2.4f) * earlyLevel
                     * spectra.early[k]
                     * (ValueNoise::at(o * earlyNoiseFrequency, 3.1f * static_cast<float>(r) + 9.2f) * 0.7f + 0.65f);
            heights[static_cast<size_t>(r)][k] = std::max(a, 0.0f) * ridgeHeight * (1.0f - 0.3f * t) + t * g.depth;
            highest = std::max(highest, heights[static_cast<size_t>(r)][k]);
        }
        const auto blend = r <= 5 ? std::pow(static_cast<float>(r) / 6.0f, 0.8f) : 1.0f;
        ridge.colour = palette::accent.interpolatedWith(palette::brightText, blend);
        ridge.alpha = std::clamp(0.96f - t * 0.72f, 0.0f, 1.0f);
    }

    g.heightScale = std::clamp((g.y0 - frame.top) / highest, 0.05f, 10.0f);
    for (size_t r = 0; r < g.ridges.size(); ++r)
        for (size_t k = 0; k < static_cast<size_t>(pointCount); ++k)
            g.ridges[r].y[k] = g.y0 - g.heightScale * heights[r][k];

    g.computeTimeGrid();
    const auto columns = static_cast<int>(std::ceil(frame.width - 2.0f * innerInset)) + 2;
    g.horizonY.assign(static_cast<size_t>(std::max(columns, 1)), openSky);
    g.hideCoveredLines();
    return g;
}

void TailGraph::computeTimeGrid()
{
    const auto step = *std::find_if(gridSteps.begin(), gridSteps.end() - 1,
                                    [this](float s) { return decay / s <= 5.0f; });
    decimals = decimalsFor(step);
    auto lastKept = 0.0f;
    for (int m = 1; static_cast<float>(m) * step <= decay * 1.0001f; ++m)
    {
        const auto tick = static_cast<float>(m) * step;
        const auto rise = heightScale * depth * (tick / decay);
        if (rise - lastKept >= tickSpacing)
        {
            ticks.push_back(tick);
            lastKept = rise;
        }
    }
}

void TailGraph::hideCoveredLines()
{
    for (auto& ridge : ridges)
    {
        auto previousEndedVisible = false;
        for (int i = 0; i < lastPoint; ++i)
        {
            const juce::Point<float> a { ridge.x[static_cast<size_t>(i)], ridge.y[static_cast<size_t>(i)] };
            const juce::Point<float> b { ridge.x[static_cast<size_t>(i + 1)], ridge.y[static_cast<size_t>(i + 1)] };
            const auto aVisible = horizonAt(horizonY, a.x) - hiddenMargin > a.y;
            const auto bVisible = horizonAt(horizonY, b.x) - hiddenMargin > b.y;
            if (!aVisible && !bVisible)
            {
                previousEndedVisible = false;
                continue;
            }
            auto start = a;
            auto end = b;
            if (aVisible != bVisible)
            {
                const auto d = a.y - horizonAt(horizonY, a.x);
                const auto denominator = d - (b.y - horizonAt(horizonY, b.x));
                const auto f = std::abs(denominator) < 1e-6f ? 0.5f : std::clamp(d / denominator, 0.0f, 1.0f);
                (aVisible ? end : start) = a + (b - a) * f;
            }
            if (!previousEndedVisible || !aVisible)
                ridge.visiblePath.startNewSubPath(start);
            ridge.visiblePath.lineTo(end);
            previousEndedVisible = bVisible;
        }

        for (int i = 0; i < lastPoint; ++i)
        {
            const juce::Point<float> a { ridge.x[static_cast<size_t>(i)], ridge.y[static_cast<size_t>(i)] };
            const juce::Point<float> b { ridge.x[static_cast<size_t>(i + 1)], ridge.y[static_cast<size_t>(i + 1)] };
            const auto first = std::max(0L, static_cast<long>(std::floor(a.x)));
            const auto last = std::min(static_cast<long>(horizonY.size()) - 1, static_cast<long>(std::ceil(b.x)));
            for (auto column = first; column <= last; ++column)
            {
                const auto span = b.x - a.x;
                const auto f = span > 0.0f ? std::clamp((static_cast<float>(column) - a.x) / span, 0.0f, 1.0f) : 0.0f;
                auto& h = horizonY[static_cast<size_t>(column)];
                h = std::min(h, a.y + (b.y - a.y) * f);
            }
        }
    }
}

juce::Line<float> TailGraph::timeAxis() const
{
    const auto foot = leftMargin - axisInset;
    return { foot, y0, foot + plot * narrowing * 0.5f, y0 - heightScale * depth };
}

juce::Point<float> TailGraph::axisPoint(float seconds) const
{
    const auto share = decay > 0.0f ? seconds / decay : 0.0f;
    return { plot * narrowing * 0.5f * share + leftMargin, y0 - heightScale * depth * share };
}

float TailGraph::frequencyX(float hz) const
{
    return std::log(hz / 20.0f) / std::log(1000.0f) * plot + leftMargin;
}
} // namespace zq6::ui
