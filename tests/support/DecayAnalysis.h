#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace zq6::test
{
// Both channels of a stereo response through an octave band-pass (4th-order Butterworth high- and
// low-pass at centre / sqrt 2 and centre x sqrt 2), squared and summed per sample.
std::vector<double> octaveBandEnergy(const juce::AudioBuffer<float>& response, double rate, double centreHz);

// Reverberation time in seconds from Schroeder backward integration of an energy envelope, with a
// least-squares line fitted between -5 dB and -35 dB (T30).
double reverberationTime(const std::vector<double>& energy, double rate);

// Total energy of both channels, in dB.
double energyDb(const juce::AudioBuffer<float>& response);
} // namespace zq6::test
