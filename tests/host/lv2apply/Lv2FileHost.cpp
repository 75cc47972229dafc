#include "Lv2FileHost.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/parameters/parameters.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr size_t atomCapacityBytes = 1 << 16;

bool portIs(const LilvPlugin* plugin, const LilvPort* port, LilvWorld* world, const char* classUri)
{
    LilvNode* node = lilv_new_uri(world, classUri);
    const bool result = lilv_port_is_a(plugin, port, node);
    lilv_node_free(node);
    return result;
}
} // namespace

Lv2FileHost::Lv2FileHost(const std::string& uri, double sampleRate, int maxBlockToUse)
    : maxBlock(maxBlockToUse)
{
    world = lilv_world_new();
    lilv_world_load_all(world);
    LilvNode* uriNode = lilv_new_uri(world, uri.c_str());
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uriNode);
    lilv_node_free(uriNode);
    if (plugin == nullptr)
    {
        problem = "no plug-in " + uri + " on LV2_PATH";
        return;
    }
    buildFeatures(sampleRate);
    instance = lilv_plugin_instantiate(plugin, sampleRate, features.data());
    if (instance == nullptr)
    {
        problem = "the plug-in refused to instantiate";
        return;
    }
    if (connectPorts())
        lilv_instance_activate(instance);
}

Lv2FileHost::~Lv2FileHost()
{
    if (instance != nullptr && problem.empty())
        lilv_instance_deactivate(instance);
    if (instance != nullptr)
        lilv_instance_free(instance);
    lilv_world_free(world);
}

LV2_URID Lv2FileHost::map(const char* uri)
{
    const auto [it, added] = urids.emplace(uri, static_cast<LV2_URID>(urids.size() + 1));
    if (added)
        names.push_back(it->first.c_str());
    return it->second;
}

const char* Lv2FileHost::unmap(LV2_URID urid) const
{
    return urid >= 1 && urid <= names.size() ? names[urid - 1] : nullptr;
}

void Lv2FileHost::buildFeatures(double sampleRate)
{
    mapFeatureData = { this, [](LV2_URID_Map_Handle h, const char* uri) { return static_cast<Lv2FileHost*>(h)->map(uri); } };
    unmapFeatureData = { this, [](LV2_URID_Unmap_Handle h, LV2_URID urid) { return static_cast<Lv2FileHost*>(h)->unmap(urid); } };
    blockLengths[0] = 1;
    blockLengths[1] = maxBlock;
    sequenceSize = static_cast<int32_t>(atomCapacityBytes);
    rateValue = static_cast<float>(sampleRate);

    const auto intType = map(LV2_ATOM__Int);
    options = {
        { LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__minBlockLength), sizeof(int32_t), intType, &blockLengths[0] },
        { LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), intType, &blockLengths[1] },
        { LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__nominalBlockLength), sizeof(int32_t), intType, &blockLengths[1] },
        { LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__sequenceSize), sizeof(int32_t), intType, &sequenceSize },
        { LV2_OPTIONS_INSTANCE, 0, map(LV2_PARAMETERS__sampleRate), sizeof(float), map(LV2_ATOM__Float), &rateValue },
        { LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr },
    };
    featureStore = {
        { LV2_URID__map, &mapFeatureData },
        { LV2_URID__unmap, &unmapFeatureData },
        { LV2_OPTIONS__options, options.data() },
        { LV2_BUF_SIZE__boundedBlockLength, nullptr },
    };
    for (auto& feature : featureStore)
        features.push_back(&feature);
    features.push_back(nullptr);
}

bool Lv2FileHost::connectPorts()
{
    const auto count = lilv_plugin_get_num_ports(plugin);
    std::vector<float> minimums(count), maximums(count), defaults(count);
    lilv_plugin_get_port_ranges_float(plugin, minimums.data(), maximums.data(), defaults.data());
    controls.assign(count, 0.0f);
    for (uint32_t i = 0; i < count; ++i)
    {
        const auto* port = lilv_plugin_get_port_by_index(plugin, i);
        const bool input = portIs(plugin, port, world, LV2_CORE__InputPort);
        if (portIs(plugin, port, world, LV2_CORE__AudioPort))
            (input ? audioIn : audioOut).push_back(i);
        else if (portIs(plugin, port, world, LV2_CORE__ControlPort))
        {
            controls[i] = std::isnan(defaults[i]) ? 0.0f : defaults[i];
            lilv_instance_connect_port(instance, i, &controls[i]);
        }
        else if (portIs(plugin, port, world, LV2_ATOM__AtomPort))
            atoms.push_back({ i, input, std::vector<uint64_t>(atomCapacityBytes / sizeof(uint64_t)) });
        else
        {
            problem = "port " + std::to_string(i) + " has a type this host does not know";
            return false;
        }
    }
    for (auto& atom : atoms)
        lilv_instance_connect_port(instance, atom.index, atom.buffer.data());
    inBuffers.assign(audioIn.size(), std::vector<float>(static_cast<size_t>(maxBlock)));
    outBuffers.assign(audioOut.size(), std::vector<float>(static_cast<size_t>(maxBlock)));
    for (size_t c = 0; c < audioIn.size(); ++c)
        lilv_instance_connect_port(instance, audioIn[c], inBuffers[c].data());
    for (size_t c = 0; c < audioOut.size(); ++c)
        lilv_instance_connect_port(instance, audioOut[c], outBuffers[c].data());
    return true;
}

// Inputs carry an empty sequence; outputs offer their whole capacity, as the atom rules ask.
void Lv2FileHost::resetAtoms()
{
    for (auto& atom : atoms)
    {
        auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(atom.buffer.data());
        if (atom.input)
        {
            sequence->atom.type = map(LV2_ATOM__Sequence);
            sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
            sequence->body.unit = 0;
            sequence->body.pad = 0;
        }
        else
        {
            sequence->atom.type = map(LV2_ATOM__Chunk);
            sequence->atom.size = static_cast<uint32_t>(atomCapacityBytes - sizeof(LV2_Atom));
        }
    }
}

std::vector<float> Lv2FileHost::process(const std::vector<float>& interleaved, int64_t frames)
{
    std::vector<float> out(static_cast<size_t>(frames) * audioOut.size());
    if (!problem.empty())
        return out;
    for (int64_t start = 0; start < frames; start += maxBlock)
        runBlock(interleaved, out, start, static_cast<int>(std::min<int64_t>(maxBlock, frames - start)));
    return out;
}

void Lv2FileHost::runBlock(const std::vector<float>& interleaved, std::vector<float>& out, int64_t start, int frames)
{
    const auto inWidth = audioIn.size(), outWidth = audioOut.size();
    for (int i = 0; i < frames; ++i)
        for (size_t c = 0; c < inWidth; ++c)
            inBuffers[c][static_cast<size_t>(i)] = interleaved[static_cast<size_t>(start + i) * inWidth + c];
    resetAtoms();
    lilv_instance_run(instance, static_cast<uint32_t>(frames));
    for (int i = 0; i < frames; ++i)
        for (size_t c = 0; c < outWidth; ++c)
            out[static_cast<size_t>(start + i) * outWidth + c] = outBuffers[c][static_cast<size_t>(i)];
}
