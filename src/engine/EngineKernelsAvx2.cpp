// Built with -mavx2 -mfma (see CMakeLists.txt); runs only where CpuDispatch found both.
#include "EngineKernelBodies.h"

#include <immintrin.h>

namespace zq6
{
namespace
{
struct Avx2Fma
{
    // Eight floats: one AVX register.
    using Lanes = float __attribute__((vector_size(32)));
    // FMA already rounds differently, so sums may be split for speed.
    static constexpr bool keepsTapOrder = false;
};
} // namespace

// Eight samples of a line at a time: positions in double as in readLine, the four neighbours of
// each by gather.
template <>
int kernels::readLineWide<Avx2Fma>(const TailChunk& c, int i, float (*y)[tailLineCount], float* sumLeft,
                                   float* sumRight) noexcept
{
    const float* data = c.lines + i * c.lineStride;
    const auto delay = _mm256_set1_pd(c.delays[i]);
    const auto leftSign = _mm256_set1_ps(tailLeftOutputSign[static_cast<size_t>(i)]);
    const auto rightSign = _mm256_set1_ps(tailRightOutputSign[static_cast<size_t>(i)]);
    const auto mask = _mm256_set1_epi32(c.mask);
    const auto offsetStride = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const auto sampleStep = _mm256_mullo_epi32(offsetStride, _mm256_set1_epi32(tailLineCount));
    const auto one = _mm256_set1_epi32(1);

    int k = 0;
    for (; k + 8 <= c.m; k += 8)
    {
        const auto index = _mm256_and_si256(_mm256_add_epi32(_mm256_set1_epi32(c.writeIndex + k), offsetStride), mask);
        const auto offsets = _mm256_i32gather_ps(c.offsets + k * tailLineCount + i, sampleStep, 4);
        const auto positionLow = _mm256_sub_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(index)),
                                               _mm256_add_pd(delay, _mm256_cvtps_pd(_mm256_castps256_ps128(offsets))));
        const auto positionHigh = _mm256_sub_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(index, 1)),
                                                _mm256_add_pd(delay, _mm256_cvtps_pd(_mm256_extractf128_ps(offsets, 1))));
        const auto wholeLow = _mm256_floor_pd(positionLow);
        const auto wholeHigh = _mm256_floor_pd(positionHigh);
        const auto f = _mm256_set_m128(_mm256_cvtpd_ps(_mm256_sub_pd(positionHigh, wholeHigh)),
                                       _mm256_cvtpd_ps(_mm256_sub_pd(positionLow, wholeLow)));
        const auto base = _mm256_set_m128i(_mm256_cvttpd_epi32(wholeHigh), _mm256_cvttpd_epi32(wholeLow));

        __m256 yMinus1, y0, y1, y2;
        // Within eight samples a line's read moves by about eight, so its neighbours usually lie in
        // sixteen ring samples from the first read's: two loads and permutes instead of gathers.
        const auto windowStart = (_mm256_cvtsi256_si32(base) - 1) & c.mask;
        const auto relative = _mm256_sub_epi32(base, _mm256_set1_epi32(_mm256_cvtsi256_si32(base)));
        const auto outside = _mm256_or_si256(_mm256_cmpgt_epi32(_mm256_setzero_si256(), relative),
                                             _mm256_cmpgt_epi32(relative, _mm256_set1_epi32(12)));
        if (windowStart + 16 <= c.mask + 1 && _mm256_testz_si256(outside, outside))
        {
            const auto low = _mm256_loadu_ps(data + windowStart);
            const auto high = _mm256_loadu_ps(data + windowStart + 8);
            const auto seven = _mm256_set1_epi32(7);
            const auto tap = [&](__m256i element) {
                return _mm256_blendv_ps(_mm256_permutevar8x32_ps(low, element), _mm256_permutevar8x32_ps(high, element),
                                        _mm256_castsi256_ps(_mm256_cmpgt_epi32(element, seven)));
            };
            yMinus1 = tap(relative);
            y0 = tap(_mm256_add_epi32(relative, one));
            y1 = tap(_mm256_add_epi32(relative, _mm256_add_epi32(one, one)));
            y2 = tap(_mm256_add_epi32(relative, _mm256_set1_epi32(3)));
        }
        else
        {
            y0 = _mm256_i32gather_ps(data, _mm256_and_si256(base, mask), 4);
            yMinus1 = _mm256_i32gather_ps(data, _mm256_and_si256(_mm256_sub_epi32(base, one), mask), 4);
            y1 = _mm256_i32gather_ps(data, _mm256_and_si256(_mm256_add_epi32(base, one), mask), 4);
            y2 = _mm256_i32gather_ps(data, _mm256_and_si256(_mm256_add_epi32(base, _mm256_add_epi32(one, one)), mask), 4);
        }
        const auto value = cubicHermite(yMinus1, y0, y1, y2, f);

        alignas(32) float values[8];
        _mm256_store_ps(values, value);
        for (int j = 0; j < 8; ++j)
            y[k + j][i] = values[j];
        _mm256_storeu_ps(sumLeft + k, _mm256_fmadd_ps(leftSign, value, _mm256_loadu_ps(sumLeft + k)));
        _mm256_storeu_ps(sumRight + k, _mm256_fmadd_ps(rightSign, value, _mm256_loadu_ps(sumRight + k)));
    }
    return k;
}

namespace
{
float tailChunk(const TailChunk& chunk) noexcept
{
    return kernels::tailChunk<Avx2Fma>(chunk);
}

void firOutputs(const FirOutputs& run) noexcept
{
    kernels::firOutputs<Avx2Fma>(run);
}
} // namespace

const EngineKernels avx2FmaKernels { tailChunk, firOutputs };
} // namespace zq6
