#include "clean/UnmaskFft.h"

#include <gtest/gtest.h>
#include <juce_dsp/juce_dsp.h>

#include <complex>
#include <cstring>
#include <vector>

namespace zq6::test
{
namespace
{
struct FftCase
{
    int order;
    bool inverse;
};

class UnmaskFftMatches : public testing::TestWithParam<FftCase>
{
};

// Unmask's frame sizes (1024 to 4096, so both factorings) and small sizes, forward and inverse: the
// same bits as the framework's transform for noise, an impulse and a tone with exact zeros.
TEST_P(UnmaskFftMatches, TheFrameworkTransformBitForBit)
{
    const auto [order, inverse] = GetParam();
    const auto size = 1 << order;
    juce::dsp::FFT reference(order);
    UnmaskFft fft;
    fft.prepare(order);

    juce::Random random(11);
    std::vector<std::vector<std::complex<float>>> inputs(3, std::vector<std::complex<float>>(static_cast<size_t>(size)));
    for (auto& x : inputs[0])
        x = { random.nextFloat() * 2.0f - 1.0f, random.nextFloat() * 2.0f - 1.0f };
    inputs[1][1] = { 1.0f, -0.5f };
    for (int i = 0; i < size; ++i)
        inputs[2][static_cast<size_t>(i)] = { std::cos(6.2831853f * 3.0f * static_cast<float>(i) / static_cast<float>(size)), 0.0f };

    for (const auto& input : inputs)
    {
        std::vector<std::complex<float>> expected(input.size()), actual(input.size());
        reference.perform(input.data(), expected.data(), inverse);
        fft.perform(input.data(), actual.data(), inverse);
        EXPECT_EQ(0, std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(expected[0])));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, UnmaskFftMatches,
                         testing::Values(FftCase { 10, false }, FftCase { 10, true }, FftCase { 11, false },
                                         FftCase { 11, true }, FftCase { 12, false }, FftCase { 12, true },
                                         FftCase { 1, false }, FftCase { 3, true }));
} // namespace
} // namespace zq6::test
