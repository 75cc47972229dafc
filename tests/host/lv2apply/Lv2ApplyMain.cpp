// Renders a sound file through an LV2 plug-in as a plain lilv host does:
//   zq6-lv2-apply -i in.wav -o out.wav [-b block] URI
// The output is 32-bit float WAV at the input's rate, the plug-in's raw output (its latency kept).
#include "Lv2FileHost.h"

#include <sndfile.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
int fail(const std::string& message)
{
    std::fprintf(stderr, "zq6-lv2-apply: %s\n", message.c_str());
    return 1;
}

// The file's frames, widened from mono when the plug-in wants more channels.
std::vector<float> widen(const std::vector<float>& samples, int fileChannels, int wanted, sf_count_t frames)
{
    if (fileChannels == wanted)
        return samples;
    std::vector<float> wide(static_cast<size_t>(frames) * static_cast<size_t>(wanted));
    for (sf_count_t f = 0; f < frames; ++f)
        for (int c = 0; c < wanted; ++c)
            wide[static_cast<size_t>(f * wanted + c)] = samples[static_cast<size_t>(f)];
    return wide;
}
} // namespace

int main(int argc, char** argv)
{
    std::string in, out, uri;
    int block = 512;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-i" && hasValue)
            in = argv[++i];
        else if (arg == "-o" && hasValue)
            out = argv[++i];
        else if (arg == "-b" && hasValue)
            block = std::atoi(argv[++i]);
        else
            uri = arg;
    }
    if (in.empty() || out.empty() || uri.empty() || block < 1)
        return fail("usage: zq6-lv2-apply -i in.wav -o out.wav [-b block] URI");

    SF_INFO inInfo {};
    SNDFILE* inFile = sf_open(in.c_str(), SFM_READ, &inInfo);
    if (inFile == nullptr)
        return fail("cannot read " + in);
    std::vector<float> samples(static_cast<size_t>(inInfo.frames * inInfo.channels));
    const auto frames = sf_readf_float(inFile, samples.data(), inInfo.frames);
    sf_close(inFile);

    Lv2FileHost host(uri, inInfo.samplerate, block);
    if (!host.error().empty())
        return fail(host.error());
    if (inInfo.channels != host.inputChannels() && inInfo.channels != 1)
        return fail("the file has " + std::to_string(inInfo.channels) + " channels, the plug-in takes "
                    + std::to_string(host.inputChannels()));
    const auto rendered = host.process(widen(samples, inInfo.channels, host.inputChannels(), frames), frames);

    SF_INFO outInfo {};
    outInfo.samplerate = inInfo.samplerate;
    outInfo.channels = host.outputChannels();
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* outFile = sf_open(out.c_str(), SFM_WRITE, &outInfo);
    if (outFile == nullptr)
        return fail("cannot write " + out);
    const auto written = sf_writef_float(outFile, rendered.data(), frames);
    sf_close(outFile);
    return written == frames ? 0 : fail("short write to " + out);
}
