#pragma once

#include <cstddef>
#include <vector>

namespace zq6
{
// The last `capacity` stereo samples (a power of two), oldest overwritten first.
class StereoHistory
{
public:
    void prepare(int capacity);
    void clear() noexcept;

    void push(float left, float right) noexcept
    {
        leftRing[static_cast<std::size_t>(write)] = left;
        rightRing[static_cast<std::size_t>(write)] = right;
        write = (write + 1) & mask;
    }

    // Sample `age` steps back from the newest (age 0 is the newest), age < capacity.
    float left(int age) const noexcept { return leftRing[index(age)]; }
    float right(int age) const noexcept { return rightRing[index(age)]; }

private:
    std::size_t index(int age) const noexcept { return static_cast<std::size_t>((write - 1 - age) & mask); }

    std::vector<float> leftRing, rightRing;
    int write = 0;
    int mask = 0;
};
} // namespace zq6
