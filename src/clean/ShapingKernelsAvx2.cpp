// Built with -mavx2 -mfma (see CMakeLists.txt); runs only where CpuDispatch found both. Eight
// samples' targets at a time, with log10 and exp as short polynomials: within a few units in the
// last place of the library's, which keeps the shaped feed far below -100 dB of the reference.
#include "ShapingKernels.h"

#include <immintrin.h>

namespace zq6
{
namespace
{
using namespace shaping;

__m256 splat(float x) noexcept
{
    return _mm256_set1_ps(x);
}

__m256 clampBetween(__m256 x, float low, float high) noexcept
{
    return _mm256_min_ps(_mm256_max_ps(x, splat(low)), splat(high));
}

__m256 greater(__m256 a, __m256 b) noexcept
{
    return _mm256_cmp_ps(a, b, _CMP_GT_OQ);
}

// log10 of positive normal floats: x = 2^e m with m in [sqrt(1/2), sqrt(2)), ln m = 2 atanh(t) with
// t = (m - 1) / (m + 1), |t| < 0.172, as its series to t^9.
__m256 log10Of(__m256 x) noexcept
{
    const auto bits = _mm256_castps_si256(x);
    auto exponent = _mm256_sub_epi32(_mm256_srli_epi32(bits, 23), _mm256_set1_epi32(127));
    auto mantissa = _mm256_castsi256_ps(
        _mm256_or_si256(_mm256_and_si256(bits, _mm256_set1_epi32(0x007fffff)), _mm256_set1_epi32(0x3f800000)));
    const auto high = greater(mantissa, splat(1.41421356f));
    mantissa = _mm256_blendv_ps(mantissa, _mm256_mul_ps(mantissa, splat(0.5f)), high);
    exponent = _mm256_sub_epi32(exponent, _mm256_castps_si256(high)); // a set mask is -1
    const auto t = _mm256_div_ps(_mm256_sub_ps(mantissa, splat(1.0f)), _mm256_add_ps(mantissa, splat(1.0f)));
    const auto t2 = _mm256_mul_ps(t, t);
    auto series = _mm256_fmadd_ps(t2, splat(1.0f / 9.0f), splat(1.0f / 7.0f));
    series = _mm256_fmadd_ps(series, t2, splat(1.0f / 5.0f));
    series = _mm256_fmadd_ps(series, t2, splat(1.0f / 3.0f));
    series = _mm256_fmadd_ps(series, t2, splat(1.0f));
    const auto lnMantissa = _mm256_mul_ps(_mm256_add_ps(t, t), series);
    return _mm256_fmadd_ps(_mm256_cvtepi32_ps(exponent), splat(0.30102999566f),
                           _mm256_mul_ps(lnMantissa, splat(0.43429448190f)));
}

// exp of x in [-80, 0] (anything else is clamped into it): 2^n exp(f) with |f| <= ln(2) / 2 and
// exp(f) as its series to f^7.
__m256 expOf(__m256 x) noexcept
{
    x = clampBetween(x, -80.0f, 0.0f);
    const auto n = _mm256_round_ps(_mm256_mul_ps(x, splat(1.44269504089f)), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    auto f = _mm256_fnmadd_ps(n, splat(0.693145751953125f), x);
    f = _mm256_fnmadd_ps(n, splat(1.428606765330187e-06f), f);
    auto series = _mm256_fmadd_ps(f, splat(1.0f / 5040.0f), splat(1.0f / 720.0f));
    series = _mm256_fmadd_ps(series, f, splat(1.0f / 120.0f));
    series = _mm256_fmadd_ps(series, f, splat(1.0f / 24.0f));
    series = _mm256_fmadd_ps(series, f, splat(1.0f / 6.0f));
    series = _mm256_fmadd_ps(series, f, splat(0.5f));
    series = _mm256_fmadd_ps(series, f, splat(1.0f));
    series = _mm256_fmadd_ps(series, f, splat(1.0f));
    const auto scale = _mm256_slli_epi32(_mm256_add_epi32(_mm256_cvtps_epi32(n), _mm256_set1_epi32(127)), 23);
    return _mm256_mul_ps(series, _mm256_castsi256_ps(scale));
}

__m256 attenuation(__m256 depthDb) noexcept
{
    return expOf(_mm256_mul_ps(depthDb, splat(-dbToNeper)));
}

// The ramp's value at samples j..j+7 of m, as Ramp::at computes it.
__m256 rampAt(const Ramp& ramp, int j, int m) noexcept
{
    const auto position = _mm256_add_ps(_mm256_set1_ps(static_cast<float>(j + 1)), _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7));
    const auto step = _mm256_div_ps(_mm256_mul_ps(splat(ramp.end - ramp.start), position), splat(static_cast<float>(m)));
    return _mm256_add_ps(splat(ramp.start), step);
}

__m256 target(__m256 valid, __m256 depthDb) noexcept
{
    return _mm256_blendv_ps(splat(1.0f), attenuation(depthDb), valid);
}

// A detector whose ratio exceeds its threshold is turned down by slope x its excess in dB, at most
// maxDepth dB, times the amount.
__m256 ratioTarget(__m256 level, __m256 ratio, float threshold, float slope, float maxDepth, __m256 amount) noexcept
{
    const auto valid = _mm256_and_ps(_mm256_and_ps(greater(level, splat(presence)), greater(amount, _mm256_setzero_ps())),
                                     greater(ratio, splat(threshold)));
    const auto excessDb = _mm256_mul_ps(log10Of(_mm256_mul_ps(ratio, splat(1.0f / threshold))), splat(20.0f * slope));
    return target(valid, _mm256_mul_ps(clampBetween(excessDb, 0.0f, maxDepth), amount));
}

// Flatness of four samples' band energies: geometric over arithmetic mean, 1 for a flat spectrum.
__m128 flatness(const ShapingDetection& d, int j) noexcept
{
    __m256d product = _mm256_set1_pd(1.0), sum = _mm256_setzero_pd();
    for (size_t i = 0; i < shapingBandCount; ++i)
    {
        const auto width = _mm256_set1_pd(shapingBandCentresHz[i] / shapingBandQ);
        const auto e = _mm256_add_pd(_mm256_div_pd(_mm256_loadu_pd(d.bandEnergy[i].data() + j), width), _mm256_set1_pd(1.0e-14));
        product = _mm256_mul_pd(product, e);
        sum = _mm256_add_pd(sum, e);
    }
    const auto mean = _mm256_div_pd(sum, _mm256_set1_pd(static_cast<double>(shapingBandCount)));
    return _mm256_cvtpd_ps(_mm256_div_pd(_mm256_sqrt_pd(_mm256_sqrt_pd(product)), mean));
}

__m256 breathTarget(const ShapingDetection& d, int j, __m256 level, __m256 amount) noexcept
{
    const auto ratio = _mm256_div_ps(level, _mm256_add_ps(_mm256_loadu_ps(d.longTerm.data() + j), splat(tiny)));
    const auto valid = _mm256_and_ps(_mm256_and_ps(greater(amount, _mm256_setzero_ps()), greater(level, splat(presence))),
                                     _mm256_cmp_ps(ratio, splat(breathRatio), _CMP_LT_OQ));
    const auto underDb = _mm256_mul_ps(log10Of(_mm256_max_ps(ratio, splat(1.0e-12f))), splat(20.0f));
    const auto quiet = clampBetween(_mm256_div_ps(_mm256_sub_ps(splat(-12.0f), underDb), splat(12.0f)), 0.0f, 1.0f);
    const auto flat = _mm256_set_m128(flatness(d, j + 4), flatness(d, j));
    const auto noise = clampBetween(_mm256_div_ps(_mm256_sub_ps(flat, splat(0.3f)), splat(0.3f)), 0.0f, 1.0f);
    return target(valid, _mm256_mul_ps(_mm256_mul_ps(_mm256_mul_ps(splat(18.0f), amount), noise), quiet));
}

void targets(ShapingDetection& d) noexcept
{
    for (int j = 0; j < d.m; j += 8)
    {
        const auto level = _mm256_loadu_ps(d.level.data() + j);
        const auto sibilanceRatioNow = _mm256_div_ps(_mm256_loadu_ps(d.highBand.data() + j), _mm256_add_ps(level, splat(tiny)));
        _mm256_storeu_ps(d.sibilanceTarget.data() + j,
                         ratioTarget(level, sibilanceRatioNow, sibilanceRatio, sibilanceSlope, sibilanceMaxDb, rampAt(d.sibilanceAmount, j, d.m)));
        const auto transientRatioNow = _mm256_div_ps(_mm256_loadu_ps(d.fast.data() + j),
                                                     _mm256_add_ps(_mm256_loadu_ps(d.slow.data() + j), splat(tiny)));
        _mm256_storeu_ps(d.transientTarget.data() + j,
                         ratioTarget(level, transientRatioNow, transientRatio, transientSlope, transientMaxDb, rampAt(d.transientAmount, j, d.m)));
        _mm256_storeu_ps(d.breathTarget.data() + j, breathTarget(d, j, level, rampAt(d.breathAmount, j, d.m)));
    }
}
} // namespace

const ShapingKernels avx2FmaShapingKernels { targets };
} // namespace zq6
