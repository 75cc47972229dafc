#pragma once

#include <lilv/lilv.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A plain LV2 host on lilv, outside any plug-in framework: it loads one plug-in by URI from
// LV2_PATH, gives it the features that common hosts give (URID map and unmap, options with block
// lengths and the rate, bounded block length), connects audio, control and atom ports, and runs it
// over interleaved audio in blocks. Control inputs stay at their defaults.
class Lv2FileHost
{
public:
    Lv2FileHost(const std::string& uri, double sampleRate, int maxBlock);
    ~Lv2FileHost();
    Lv2FileHost(const Lv2FileHost&) = delete;
    Lv2FileHost& operator=(const Lv2FileHost&) = delete;

    // Empty when the plug-in loaded, otherwise why not.
    const std::string& error() const { return problem; }
    int inputChannels() const { return static_cast<int>(audioIn.size()); }
    int outputChannels() const { return static_cast<int>(audioOut.size()); }

    // `frames` of interleaved input (inputChannels wide) in, interleaved output out.
    std::vector<float> process(const std::vector<float>& interleaved, int64_t frames);

private:
    struct AtomPort
    {
        uint32_t index;
        bool input;
        std::vector<uint64_t> buffer; // 8-byte aligned, as atoms need
    };

    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID urid) const;
    void buildFeatures(double sampleRate);
    bool connectPorts();
    void resetAtoms();
    void runBlock(const std::vector<float>& interleaved, std::vector<float>& out, int64_t start, int frames);

    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
    LilvInstance* instance = nullptr;
    std::string problem;
    int maxBlock;

    std::map<std::string, LV2_URID> urids;
    std::vector<const char*> names; // index urid - 1; the map's keys stay put
    LV2_URID_Map mapFeatureData {};
    LV2_URID_Unmap unmapFeatureData {};
    int32_t blockLengths[2] {};
    int32_t sequenceSize = 0;
    float rateValue = 0.0f;
    std::vector<LV2_Options_Option> options;
    std::vector<LV2_Feature> featureStore;
    std::vector<const LV2_Feature*> features;

    std::vector<uint32_t> audioIn, audioOut;
    std::vector<std::vector<float>> inBuffers, outBuffers;
    std::vector<float> controls;
    std::vector<AtomPort> atoms;
};
