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
    auto domainTarget = logDomain ? std::log(target) : target;
    if (!std::isfinite(domainTarget))
        domainTarget = initialised ? value : 0.0f;

    const auto start = initialised ? value : domainTarget;
    value = initialised ? coefficientFor(n) * (value - domainTarget) + domainTarget : domainTarget;
    initialised = true;

    if (logDomain)
        return { std::exp(start), std::exp(value) };
    return { start, value };
}

float BlockSmoother::current() const noexcept
{
    return logDomain ? std::exp(value) : value;
}
} // namespace zq6
