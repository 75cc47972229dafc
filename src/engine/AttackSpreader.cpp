#include "AttackSpreader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zq6
{
namespace
{
constexpr std::array<double, AttackSpreader::tapCount> makeTapTimes()
{
    // Each tap sits within +-0.3 spacings of its place, so the last one lands at maximumMs at most.
    constexpr double jitter = 0.6;
    constexpr double spacingMs = AttackSpreader::maximumMs / (AttackSpreader::tapCount - 1 + jitter / 2);
    std::array<double, AttackSpreader::tapCount> times {};
    std::uint32_t state = 0x92d68ca2u;
    for (int j = 1; j < AttackSpreader::tapCount; ++j)
    {
        state = state * 1664525u + 1013904223u;
        const auto u = static_cast<double>(state >> 8) / 16777216.0;
        times[static_cast<size_t>(j)] = (j + jitter * (u - 0.5)) * spacingMs;
    }
    return times;
}

constexpr auto tapTimes = makeTapTimes();

float smoothEnd(double r)
{
    return r >= 1.0 ? 1.0f : static_cast<float>((3.0 - 2.0 * r) * r * r);
}
} // namespace

const std::array<double, AttackSpreader::tapCount>& AttackSpreader::tapTimesMs() noexcept
{
    return tapTimes;
}

int AttackSpreader::tapGains(double x, Gains& out) noexcept
{
    out.fill(0.0f);
    out[0] = 1.0f;
    if (x <= 0.0)
        return 1;

    const auto edge = std::max(0.1 * x, 4.0);
    int count = 0;
    double energy = 0.0;
    for (int j = 0; j < tapCount; ++j)
    {
        const auto t = tapTimes[static_cast<size_t>(j)];
        if (j > 0 && t >= x)
            break;
        const auto gain = (t / x + 0.05) * smoothEnd((x - t) / edge);
        out[static_cast<size_t>(j)] = static_cast<float>(gain);
        energy += gain * gain;
        count = j + 1;
    }

    if (count == 1 || energy <= 0.0)
    {
        out[0] = 1.0f;
        return 1;
    }
    const auto norm = static_cast<float>(1.0 / std::sqrt(energy));
    for (int j = 0; j < count; ++j)
        out[static_cast<size_t>(j)] *= norm;
    return count;
}

void AttackSpreader::prepare(double internalRate)
{
    rate = internalRate;
    for (int j = 0; j < tapCount; ++j)
        tapDelays[static_cast<size_t>(j)] = static_cast<int>(std::lround(tapTimes[static_cast<size_t>(j)] * 0.001 * rate));
    const auto length = static_cast<int>(std::ceil(maximumMs * 0.001 * rate)) + 16;
    historyLeft.prepare(length);
    historyRight.prepare(length);
    clear();
}

void AttackSpreader::clear() noexcept
{
    historyLeft.clear();
    historyRight.clear();
    attack = 0.0;
    initialised = false;
    gainCount = tapGains(0.0, gains);
}

void AttackSpreader::process(float* left, float* right, int m, float attackMs) noexcept
{
    const auto target = static_cast<double>(std::clamp(attackMs, 0.0f, maximumMs));
    const auto previous = initialised ? attack : target;
    if (!initialised)
    {
        gainCount = tapGains(target, gains);
        initialised = true;
    }
    const auto step = m * static_cast<double>(maximumMs) / rate;
    attack = previous + std::clamp(target - previous, -step, step);

    if (previous <= 0.0 && attack <= 0.0)
    {
        for (int k = 0; k < m; ++k)
        {
            historyLeft.write(left[k]);
            historyRight.write(right[k]);
        }
        return;
    }

    Gains next = gains;
    auto nextCount = gainCount;
    if (attack != previous)
        nextCount = tapGains(attack, next);
    spread(left, right, m, next, std::max(gainCount, nextCount));
    gains = next;
    gainCount = nextCount;
}

void AttackSpreader::spread(float* left, float* right, int m, const Gains& next, int taps) noexcept
{
    for (int k = 0; k < m; ++k)
    {
        historyLeft.write(left[k]);
        historyRight.write(right[k]);
        const auto t = static_cast<float>(k + 1) / static_cast<float>(m);
        float sumLeft = 0.0f, sumRight = 0.0f;
        for (int j = 0; j < taps; ++j)
        {
            const auto g = gains[static_cast<size_t>(j)] + (next[static_cast<size_t>(j)] - gains[static_cast<size_t>(j)]) * t;
            // read(1) is the sample just written, so a tap of 0 samples reads the current input.
            const auto delay = tapDelays[static_cast<size_t>(j)] + 1;
            sumLeft += g * historyLeft.read(delay);
            sumRight += g * historyRight.read(delay);
        }
        left[k] = sumLeft;
        right[k] = sumRight;
    }
}
} // namespace zq6
