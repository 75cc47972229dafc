#pragma once

#include "TailGraphInputs.h"

#include <atomic>

namespace zq6
{
class ZQ6AudioProcessor;
}

namespace zq6::ui
{
// Reads the tail graph's ten inputs from the processor without locks: parameters, host tempo and
// the voicing of the effective Character.
class TailInputReader
{
public:
    explicit TailInputReader(ZQ6AudioProcessor& processor);

    TailGraphInputs read() const;

private:
    float load(const std::atomic<float>* parameter, float fallback) const;

    ZQ6AudioProcessor& processor;
    const std::atomic<float>* size;
    const std::atomic<float>* decay;
    const std::atomic<float>* decayBeats;
    const std::atomic<float>* decayUnit;
    const std::atomic<float>* width;
    const std::atomic<float>* erTrim;
    const std::atomic<float>* brightness;
    const std::atomic<float>* lowcut;
};
} // namespace zq6::ui
