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

    // Straight access for loops over many samples: the run read(delay), read(delay - 1), ... and the
    // next write positions, each for as many samples as stay clear of the ring's end; advance(n)
    // then counts n samples as written.
    const float* readPointer(int delay) const noexcept { return buffer.data() + ((writeIndex - delay) & mask); }
    int readStretch(int delay) const noexcept { return mask + 1 - ((writeIndex - delay) & mask); }
    float* writePointer() noexcept { return buffer.data() + writeIndex; }
    int writeStretch() const noexcept { return mask + 1 - writeIndex; }
    void advance(int n) noexcept { writeIndex = (writeIndex + n) & mask; }

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
