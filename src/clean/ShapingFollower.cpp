#include "ShapingFollower.h"

#include <cmath>

namespace zq6
{
namespace
{
float coefficient(double rate, double seconds) noexcept
{
    return static_cast<float>(std::exp(-1.0 / (rate * seconds)));
}
} // namespace

void ShapingFollower::setup(double rate, double attackSeconds, double releaseSeconds) noexcept
{
    attack = coefficient(rate, attackSeconds);
    release = coefficient(rate, releaseSeconds);
}
} // namespace zq6
