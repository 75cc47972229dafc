#include "clean/UnmaskFft.h"
#include "dsp/CpuDispatch.h"

#include <gtest/gtest.h>
#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <tuple>
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

class UnmaskFftMatches : public testing::TestWithParam<std::tuple<FftCase, KernelPath>>
{
protected:
    void TearDown() override { CpuDispatch::release(); }
};

// As the framework's perform(): interleaved data, the inverse scaled.
void perform(UnmaskFft& fft, const std::vector<std::complex<float>>& input, std::vector<std::complex<float>>& output,
             bool inverse)
{
    const auto size = input.size();
    std::vector<float> inRe(size), inIm(size), outRe(size), outIm(size);
    for (size_t i = 0; i < size; ++i)
    {
        inRe[i] = input[i].real();
        inIm[i] = input[i].imag();
    }
    fft.transform(inRe.data(), inIm.data(), outRe.data(), outIm.data(), inverse);
    const auto scale = inverse ? fft.outputScale() : 1.0f;
    for (size_t i = 0; i < size; ++i)
        output[i] = inverse ? std::complex<float> { outRe[i] * scale, outIm[i] * scale } : std::complex<float> { outRe[i], outIm[i] };
}

// The largest difference relative to the largest magnitude, in dB.
double differenceDb(const std::vector<std::complex<float>>& expected, const std::vector<std::complex<float>>& actual)
{
    double peak = 0.0, difference = 0.0;
    for (size_t i = 0; i < expected.size(); ++i)
    {
        peak = std::max(peak, static_cast<double>(std::abs(expected[i])));
        difference = std::max(difference, static_cast<double>(std::abs(expected[i] - actual[i])));
    }
    return 20.0 * std::log10(std::max(difference, 1.0e-30) / peak);
}

// Unmask's frame sizes (1024 to 4096, so both factorings) and small sizes, forward and inverse, for
// noise, an impulse and a tone with exact zeros: the baseline build gives the framework
// transform's bits; the AVX2/FMA build differs from them only by rounding.
TEST_P(UnmaskFftMatches, TheFrameworkTransform)
{
    const auto [fftCase, path] = GetParam();
    const auto [order, inverse] = fftCase;
    if (path != KernelPath::baseline && CpuDispatch::detected() != path)
        GTEST_SKIP() << "this CPU lacks the path";
    CpuDispatch::force(path);
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
        perform(fft, input, actual, inverse);
        if (path == KernelPath::baseline)
            EXPECT_EQ(0, std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(expected[0])));
        else
            EXPECT_LT(differenceDb(expected, actual), -120.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, UnmaskFftMatches,
                         testing::Combine(testing::Values(FftCase { 10, false }, FftCase { 10, true }, FftCase { 11, false },
                                                          FftCase { 11, true }, FftCase { 12, false }, FftCase { 12, true },
                                                          FftCase { 1, false }, FftCase { 2, true }, FftCase { 3, true },
                                                          FftCase { 5, false }),
                                          testing::Values(KernelPath::baseline, KernelPath::avx2Fma)));
} // namespace
} // namespace zq6::test
