#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zq6::test
{
namespace
{
// A host flips one setting between two values every 40 blocks of 256 while a 200 Hz sine at 0.5
// plays with the mix at 100 %. A click is a step in the output, which the largest second difference
// shows in full while a sine barely has one; flipping must sound as smooth as holding either value.
constexpr int blockSize = 256;
constexpr int blocksPerValue = 40;
constexpr int blockCount = 5 * blocksPerValue;
constexpr float smoothLimit = 3.0f;
// A pre-delay change glides the delay and so shifts the pitch of what is in the line.
constexpr float glideLimit = 8.0f;

enum class Switch { parameter, mode, character, state };

struct Flip
{
    std::string name;
    Switch kind = Switch::parameter;
    Param param = Param::size;
    float values[2] {};
    std::vector<std::pair<Param, float>> context; // what makes the setting audible
    float limit = smoothLimit;
};

void PrintTo(const Flip& flip, std::ostream* os)
{
    *os << flip.name;
}

bool eqBandParameter(Param param, int band)
{
    return param == eqTypeParam(band) || param == eqFreqParam(band) || param == eqQParam(band);
}

// Settings that only sound when another one is set.
struct Dependency
{
    Param param, needs;
    float value;
};

constexpr Dependency dependencies[] = {
    { Param::decayBeats, Param::decayUnit, 1.0f },       { Param::predelayNote, Param::predelayUnit, 1.0f },
    { Param::shapeSibilance, Param::cleanShaping, 1.0f }, { Param::shapeBreath, Param::cleanShaping, 1.0f },
    { Param::shapeAttack, Param::cleanShaping, 1.0f },    { Param::deltaShaping, Param::cleanShaping, 1.0f },
    { Param::unmaskSpeed, Param::cleanUnmask, 1.0f },     { Param::deltaUnmask, Param::cleanUnmask, 1.0f },
};

std::vector<std::pair<Param, float>> contextFor(Param param)
{
    for (int band = 0; band < wetEqBandCount; ++band)
        if (eqBandParameter(param, band))
            return { { eqGainParam(band), 12.0f } };
    for (const auto& dependency : dependencies)
        if (dependency.param == param)
            return { { dependency.needs, dependency.value } };
    return {};
}

bool movesPreDelay(Param param)
{
    return param == Param::predelay || param == Param::predelayNote || param == Param::predelayUnit;
}

// Every parameter between the two ends of its range, then the switches that are not parameters.
std::vector<Flip> flips()
{
    std::vector<Flip> rows;
    for (const auto& spec : parameterTable)
    {
        Flip flip;
        flip.name = spec.id;
        flip.param = spec.param;
        flip.values[0] = spec.range.start;
        flip.values[1] = spec.range.end;
        flip.context = contextFor(spec.param);
        flip.limit = movesPreDelay(spec.param) ? glideLimit : smoothLimit;
        rows.push_back(flip);
    }
    rows.push_back({ "mode", Switch::mode, Param::size, { 0.0f, 1.0f }, { { Param::mix, 0.3f } } });
    rows.push_back({ "character", Switch::character, Param::size, { 1.0f, 4.0f }, {} });
    rows.push_back({ "state", Switch::state, Param::size, { 0.0f, 1.0f }, {} });
    return rows;
}

void setParameter(ProcessorHarness& harness, Param param, float value)
{
    harness.set(idOf(param), value);
}

// A saved state with the mix at 100 % and, for side 1, a different room.
juce::MemoryBlock stateFor(int side, double rate)
{
    ProcessorHarness source(rate);
    setParameter(source, Param::mix, 1.0f);
    if (side == 1)
        for (const auto& [param, value] : { std::pair { Param::size, 0.8f }, { Param::decay, 4.0f }, { Param::brightness, 0.8f },
                                            { Param::lowcut, 300.0f }, { Param::width, 1.6f }, { Param::motion, 0.8f },
                                            { Param::erTrim, -6.0f }, { Param::eq2Gain, 6.0f } })
            setParameter(source, param, value);
    juce::MemoryBlock state;
    source.processor().getStateInformation(state);
    return state;
}

class Switcher
{
public:
    Switcher(const Flip& row, double rate) : flip(row)
    {
        if (flip.kind == Switch::state)
            for (int side = 0; side < 2; ++side)
                states[side] = stateFor(side, rate);
    }

    void apply(ProcessorHarness& harness, int side) const
    {
        const auto value = flip.values[side];
        switch (flip.kind)
        {
            case Switch::parameter: setParameter(harness, flip.param, value); break;
            case Switch::mode: harness.processor().setMode(static_cast<int>(value)); break;
            case Switch::character: harness.processor().chooseCharacter(static_cast<int>(value)); break;
            case Switch::state:
                harness.processor().setStateInformation(states[side].getData(), static_cast<int>(states[side].getSize()));
                break;
        }
    }

private:
    const Flip& flip;
    juce::MemoryBlock states[2];
};

// From the first flip on, so that the reverb's onset counts in no run.
float largestSecondDifference(const juce::AudioBuffer<float>& buffer)
{
    float largest = 0.0f;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
    {
        const auto* y = buffer.getReadPointer(c);
        for (int i = blocksPerValue * blockSize; i < buffer.getNumSamples(); ++i)
            largest = std::max(largest, std::abs(y[i] - 2.0f * y[i - 1] + y[i - 2]));
    }
    return largest;
}

// The output's largest second difference; side -1 flips, 0 or 1 holds that value throughout.
float render(const Flip& flip, double rate, int side)
{
    ProcessorHarness harness(rate, blockSize);
    const Switcher switcher(flip, rate);
    setParameter(harness, Param::mix, 1.0f);
    for (const auto& [param, value] : flip.context)
        setParameter(harness, param, value);

    auto signal = makeSine(2, blockCount * blockSize, rate, 200.0, 0.5f);
    for (int block = 0; block < blockCount; ++block)
    {
        if (block % blocksPerValue == 0)
            switcher.apply(harness, side >= 0 ? side : (block / blocksPerValue) % 2);
        juce::AudioBuffer<float> view(signal.getArrayOfWritePointers(), 2, block * blockSize, blockSize);
        harness.process(view);
    }
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
    return largestSecondDifference(signal);
}

using FlipCase = std::tuple<Flip, double>;
} // namespace

class Clicks : public testing::TestWithParam<FlipCase>
{
};

TEST_P(Clicks, FlippingASettingIsAsSmoothAsHoldingIt)
{
    const auto& [flip, rate] = GetParam();
    const auto held = std::max(render(flip, rate, 0), render(flip, rate, 1));
    ASSERT_GT(held, 0.0f);
    const auto ratio = render(flip, rate, -1) / held;
    RecordProperty("ratio", std::to_string(ratio));
    EXPECT_LE(ratio, flip.limit) << flip.name << " at " << rate << " Hz";
}

INSTANTIATE_TEST_SUITE_P(EverySwitch, Clicks, testing::Combine(testing::ValuesIn(flips()), testing::Values(44100.0, 48000.0, 96000.0)),
                         [](const testing::TestParamInfo<FlipCase>& testInfo) {
                             return std::get<0>(testInfo.param).name + "_"
                                    + std::to_string(static_cast<int>(std::get<1>(testInfo.param)));
                         });
} // namespace zq6::test
