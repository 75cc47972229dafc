#pragma once

#include <cstddef>
#include <vector>

namespace zq6
{
// A power-of-two float ring with one write position. read(d) is the sample written d writes ago,
// so read(1) is the latest.
class DelayRing
{
public:
    void prepare(int minimumLength);
    void clear() noexcept;

    void write(float sample) noexcept
    {
        buffer[static_cast<std::size_t>(writeIndex)] = sample;
        writeIndex = (writeIndex + 1) & mask;
    }

    float read(int delay) const noexcept { return buffer[static_cast<std::size_t>((writeIndex - delay) & mask)]; }

    // m samples in writing order: the oldest is read(delay), the newest read(delay - m + 1).
    void readRun(int delay, float* out, int m) const noexcept;
    void writeRun(const float* in, int m) noexcept;

    // Linear interpolation between read(floor(d)) and read(floor(d) + 1).
    float readFractional(double delay) const noexcept;

    // readFractional(delay) as it read just after each of the last m writes, oldest first.
    void readFractionalRun(double delay, float* out, int m) const noexcept;

    int length() const noexcept { return mask + 1; }

private:
    std::vector<float> buffer = std::vector<float>(1, 0.0f);
    int mask = 0;
    int writeIndex = 0;
};
} // namespace zq6
