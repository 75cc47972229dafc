#pragma once

namespace zq6
{
// Band-pass biquad with 0 dB at its centre, in double precision (transposed direct form II).
class BandPassBiquad
{
public:
    // twoQ: twice the quality factor. The centre is kept between 5 Hz and 0.4 of the rate.
    void prepare(double sampleRate, double centreHz, double twoQ) noexcept;
    void clear() noexcept;

    double process(double x) noexcept
    {
        // b1 is zero for a band-pass, so its term is left out.
        const double y = b0 * x + s1;
        s1 = -a1 * y + s2;
        s2 = b2 * x - a2 * y;
        return y;
    }

private:
    double b0 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double s1 = 0.0, s2 = 0.0;
};
} // namespace zq6
