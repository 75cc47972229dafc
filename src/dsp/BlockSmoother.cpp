#include "BlockSmoother.h"

#include <cmath>

namespace zq6
{
void BlockSmoother::prepare(double hostRate) noexcept
{
    rate = hostRate;
    cachedLength = -1;
    initialised = false;
}

float BlockSmoother::coefficientFor(int n) noexcept
{
    if (n != cachedLength)
    {
        cachedLength = n;
        cachedCoefficient = static_cast<float>(std::exp(-static_cast<double>(n) / (rate * static_cast<double>(tau))));
    }
    return cachedCoefficient;
}

Ramp BlockSmoother::advance(float target, int n) noexcept
{
    auto domainTarget = logDomain ? logOf(target) : target;
    if (!std::isfinite(domainTarget))
        domainTarget = initialised ? value : 0.0f;

    const auto start = initialised ? value : domainTarget;
    value = initialised ? coefficientFor(n) * (value - domainTarget) + domainTarget : domainTarget;
    initialised = true;

    if (logDomain)
        return { expOf(start), expOf(value) };
    return { start, value };
}

// A settled smoother asks for the same logarithm and exponential chunk after chunk.
float BlockSmoother::logOf(float target) noexcept
{
    if (!(target == lastTarget))
    {
        lastTarget = target;
        lastLog = std::log(target);
    }
    return lastLog;
}

float BlockSmoother::expOf(float x) noexcept
{
    if (!(x == lastExponent))
    {
        lastExponent = x;
        lastExp = std::exp(x);
    }
    return lastExp;
}

float BlockSmoother::current() const noexcept
{
    return logDomain ? std::exp(value) : value;
}
} // namespace zq6
