#include "dsp/CpuDispatch.h"
#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace zq6::test
{
namespace
{
// Refactoring must not move a single bit of the output: each case renders an impulse and a short
// noise burst and compares an FNV-1a hash of the output samples with one recorded before.
struct HashCase
{
    const char* name;
    double rate;
    int characterChoice; // 0 keeps the default (Auto)
    ParameterSettings settings;
    std::uint64_t impulseHash;
    std::uint64_t burstHash;
};

void PrintTo(const HashCase& hashCase, std::ostream* os)
{
    *os << hashCase.name;
}

std::uint64_t fnv1a(const juce::AudioBuffer<float>& buffer)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            std::uint32_t bits;
            const auto sample = buffer.getSample(c, i);
            std::memcpy(&bits, &sample, sizeof bits);
            for (int byte = 0; byte < 4; ++byte)
            {
                hash ^= (bits >> (8 * byte)) & 0xffu;
                hash *= 1099511628211ull;
            }
        }
    return hash;
}

std::uint64_t renderHash(const HashCase& hashCase, juce::AudioBuffer<float> input)
{
    renderThrough(input, hashCase.rate, hashCase.characterChoice, hashCase.settings);
    return fnv1a(input);
}

juce::AudioBuffer<float> noiseBurst(double rate)
{
    juce::AudioBuffer<float> buffer(2, static_cast<int>(rate * 0.75));
    buffer.clear();
    const auto burst = makeNoise(2, static_cast<int>(rate * 0.05), 0.5f, 3);
    for (int c = 0; c < 2; ++c)
        buffer.copyFrom(c, 0, burst, c, 0, burst.getNumSamples());
    return buffer;
}

const std::vector<HashCase>& hashCases()
{
    static const std::vector<HashCase> cases {
        { "Defaults", 48000.0, 0, {}, 0x36689428e050f46aull, 0x5a0f66dc1c75e367ull },
        { "Room", 48000.0, 1, {}, 0x6363eb2b6025b73full, 0xfe1355316a11f031ull },
        { "Chamber", 48000.0, 3, {}, 0xcf95f14026f155dull, 0x1241db3655aca400ull },
        { "Plate", 48000.0, 4, {}, 0x3332dde26745222full, 0x7c44391839a40cull },
        { "CleanOn", 48000.0, 0, { { pid::cleanUnmask, 1.0f }, { pid::cleanShaping, 1.0f }, { pid::mix, 0.6f } }, 0x2b126f7c816bc6e4ull, 0xa082d6eee0d88c3cull },
        { "CleanDelta", 48000.0, 0,
          { { pid::cleanUnmask, 0.8f }, { pid::cleanShaping, 0.8f }, { pid::deltaUnmask, 1.0f }, { pid::deltaShaping, 1.0f } },
          0x89fc338e26e19a1bull, 0x999e4ec7019d0bbaull },
        { "EqOn", 48000.0, 0,
          { { pid::eqGain[0], 6.0f }, { pid::eqGain[1], -4.0f }, { pid::eqType[2], 1.0f }, { pid::eqGain[2], 3.0f },
            { pid::eqGain[3], -6.0f }, { pid::eqLp, 7000.0f } },
          0xbc0076625be14da0ull, 0xd4b6cb7bb20d63a2ull },
        { "Rate96k", 96000.0, 0, {}, 0x9bae32012a9d9b53ull, 0xdf084d18f8f98403ull },
        { "Rate96kCleanPlate", 96000.0, 4, { { pid::cleanUnmask, 1.0f }, { pid::cleanShaping, 1.0f }, { pid::width, 1.5f } },
          0x6f5d75e81b1c91efull, 0x68444639ea511c69ull },
    };
    return cases;
}

// The hashes pin the baseline kernels; the AVX2/FMA build rounds differently and is held to the
// baseline in KernelPathTest.
class RenderHash : public testing::TestWithParam<HashCase>
{
protected:
    void SetUp() override { CpuDispatch::force(KernelPath::baseline); }
    void TearDown() override { CpuDispatch::release(); }
};
} // namespace

TEST_P(RenderHash, ImpulseAndBurstRenderBitIdentical)
{
    const auto& hashCase = GetParam();
    const auto impulseHash = renderHash(hashCase, stereoImpulse(hashCase.rate, 0.75));
    const auto burstHash = renderHash(hashCase, noiseBurst(hashCase.rate));
    EXPECT_EQ(impulseHash, hashCase.impulseHash) << "impulse 0x" << std::hex << impulseHash;
    EXPECT_EQ(burstHash, hashCase.burstHash) << "burst 0x" << std::hex << burstHash;
}

INSTANTIATE_TEST_SUITE_P(Settings, RenderHash, testing::ValuesIn(hashCases()),
                         [](const testing::TestParamInfo<HashCase>& paramInfo) { return std::string(paramInfo.param.name); });
} // namespace zq6::test
