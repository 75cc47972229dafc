#include "DecayAnalysis.h"

#include <juce_dsp/juce_dsp.h>

#include <cmath>

namespace zq6::test
{
namespace
{
// Q values of the two sections of a 4th-order Butterworth filter.
constexpr float butterworthQ[2] = { 0.5411961f, 1.3065630f };

std::vector<float> bandPass(const float* samples, int count, double rate, double centreHz)
{
    std::vector<float> out(samples, samples + count);
    for (const auto q : butterworthQ)
        for (auto coefficients : { juce::dsp::IIR::Coefficients<float>::makeHighPass(rate, centreHz / std::sqrt(2.0), q),
                                   juce::dsp::IIR::Coefficients<float>::makeLowPass(rate, centreHz * std::sqrt(2.0), q) })
        {
            juce::dsp::IIR::Filter<float> filter(coefficients);
            for (auto& sample : out)
                sample = filter.processSample(sample);
        }
    return out;
}
} // namespace

std::vector<double> octaveBandEnergy(const juce::AudioBuffer<float>& response, double rate, double centreHz)
{
    std::vector<double> energy(static_cast<size_t>(response.getNumSamples()), 0.0);
    for (int c = 0; c < response.getNumChannels(); ++c)
    {
        const auto band = bandPass(response.getReadPointer(c), response.getNumSamples(), rate, centreHz);
        for (size_t i = 0; i < band.size(); ++i)
            energy[i] += static_cast<double>(band[i]) * band[i];
    }
    return energy;
}

double reverberationTime(const std::vector<double>& energy, double rate)
{
    std::vector<double> decayDb(energy.size());
    double remaining = 0.0;
    for (size_t i = energy.size(); i-- > 0;)
    {
        remaining += energy[i];
        decayDb[i] = remaining;
    }
    const auto total = decayDb.front();
    double sumX = 0.0, sumY = 0.0, sumXX = 0.0, sumXY = 0.0, points = 0.0;
    for (size_t i = 0; i < decayDb.size(); ++i)
    {
        const auto db = 10.0 * std::log10(decayDb[i] / total);
        if (db > -5.0 || db < -35.0)
            continue;
        const auto t = static_cast<double>(i) / rate;
        sumX += t;
        sumY += db;
        sumXX += t * t;
        sumXY += t * db;
        points += 1.0;
    }
    const auto slope = (points * sumXY - sumX * sumY) / (points * sumXX - sumX * sumX);
    return -60.0 / slope;
}

double energyDb(const juce::AudioBuffer<float>& response)
{
    double sum = 0.0;
    for (int c = 0; c < response.getNumChannels(); ++c)
        for (int i = 0; i < response.getNumSamples(); ++i)
            sum += static_cast<double>(response.getSample(c, i)) * response.getSample(c, i);
    return 10.0 * std::log10(sum);
}
} // namespace zq6::test
