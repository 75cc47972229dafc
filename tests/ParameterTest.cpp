#include "params/EffectiveTimes.h"
#include "params/ParameterIds.h"
#include "processor/ParameterLayout.h"
#include "processor/ZQ6AudioProcessor.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
struct Row
{
    const char* id;
    const char* name;
    float start, end, defaultValue;
    const char* label;
};

// The float parameters in host order, with their ranges, defaults and unit labels.
const Row floatRows[] = {
    { "size", "Size", 0, 1, 0.5f, "%" },
    { "decay", "Decay", 0.1f, 20, 2, "s" },
    { "decay_beats", "Decay Beats", 0.25f, 32, 4, "beats" },
    { "predelay", "Pre-delay", 0, 500, 20, "ms" },
    { "attack", "Attack", 0, 250, 0, "ms" },
    { "brightness", "Brightness", 0, 1, 0.5f, "%" },
    { "lowcut", "Low Cut", 20, 1000, 100, "Hz" },
    { "width", "Width", 0, 2, 1, "%" },
    { "clean_unmask", "Clean Unmask", 0, 1, 0, "%" },
    { "clean_shaping", "Clean Shaping", 0, 1, 0, "%" },
    { "mix", "Mix", 0, 1, 0.3f, "%" },
    { "output", "Output", -24, 12, 0, "dB" },
    { "decay_mult_low", "Decay Low Multiplier", 0.25f, 4, 1, "x" },
    { "er_trim", "ER Level", -48, 12, 0, "dB" },
    { "motion", "Motion", 0, 1, 0.3f, "%" },
    { "diffusion", "Diffusion", 0, 1, 0.7f, "%" },
    { "shape_sibilance", "Shape Sibilance", 0, 1, 1, "%" },
    { "shape_breath", "Shape Breath", 0, 1, 1, "%" },
    { "shape_attack", "Shape Transient", 0, 1, 1, "%" },
    { "eq1_freq", "EQ1 Freq", 20, 20000, 180, "Hz" },
    { "eq1_gain", "EQ1 Gain", -12, 12, 0, "dB" },
    { "eq1_q", "EQ1 Q", 0.3f, 8, 0.71f, "" },
    { "eq2_freq", "EQ2 Freq", 20, 20000, 400, "Hz" },
    { "eq3_freq", "EQ3 Freq", 20, 20000, 3000, "Hz" },
    { "eq4_freq", "EQ4 Freq", 20, 20000, 8000, "Hz" },
    { "eq4_q", "EQ4 Q", 0.3f, 8, 0.71f, "" },
    { "eq_lp", "EQ Low-pass", 1000, 20000, 20000, "Hz" },
};

class Parameters : public testing::Test
{
protected:
    juce::RangedAudioParameter& param(const char* id)
    {
        auto* p = processor.getValueTreeState().getParameter(id);
        EXPECT_NE(p, nullptr) << id;
        return *p;
    }

    juce::String textAt(const char* id, float value)
    {
        auto& p = param(id);
        return p.getText(p.convertTo0to1(value), 64);
    }

    float valueOf(const char* id, const juce::String& text)
    {
        auto& p = param(id);
        return p.convertFrom0to1(p.getValueForText(text));
    }

    ZQ6AudioProcessor processor;
};
} // namespace

TEST_F(Parameters, HostListsAllFortyThreeInTableOrder)
{
    const char* expected[] = { "size", "decay", "decay_beats", "decay_unit", "predelay", "predelay_note", "predelay_unit",
                               "attack", "brightness", "lowcut", "width", "clean_unmask", "clean_shaping",
                               "delta_unmask", "delta_shaping", "mix", "output", "bypass", "decay_mult_low", "er_trim",
                               "motion", "diffusion", "unmask_speed", "shape_sibilance", "shape_breath",
                               "shape_attack", "eq1_type", "eq1_freq", "eq1_gain", "eq1_q", "eq2_type", "eq2_freq",
                               "eq2_gain", "eq2_q", "eq3_type", "eq3_freq", "eq3_gain", "eq3_q", "eq4_type",
                               "eq4_freq", "eq4_gain", "eq4_q", "eq_lp" };
    const auto& params = processor.getParameters();
    ASSERT_EQ(params.size(), 43);
    for (int i = 0; i < 43; ++i)
    {
        auto* p = dynamic_cast<juce::RangedAudioParameter*>(params[i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->getParameterID(), expected[i]);
        EXPECT_EQ(p->getVersionHint(), 1);
        EXPECT_TRUE(p->isAutomatable());
        EXPECT_FALSE(p->isMetaParameter());
    }
}

TEST_F(Parameters, RangesDefaultsNamesAndLabels)
{
    for (const auto& row : floatRows)
    {
        auto& p = param(row.id);
        SCOPED_TRACE(row.id);
        EXPECT_EQ(p.getName(64), row.name);
        EXPECT_FLOAT_EQ(p.getNormalisableRange().start, row.start);
        EXPECT_FLOAT_EQ(p.getNormalisableRange().end, row.end);
        EXPECT_NEAR(p.convertFrom0to1(p.getDefaultValue()), row.defaultValue, 1e-4f * (row.end - row.start));
        EXPECT_EQ(p.getLabel(), row.label);
    }
}

TEST_F(Parameters, CentresSitAtTheMiddleOfTheTravel)
{
    const std::pair<const char*, float> centres[] = { { "decay", 2.0f }, { "decay_beats", 4.0f }, { "predelay", 60.0f },
                                                      { "attack", 60.0f }, { "lowcut", 150.0f },
                                                      { "decay_mult_low", 1.0f }, { "er_trim", 0.0f },
                                                      { "eq2_freq", 1000.0f }, { "eq3_q", 1.0f }, { "eq_lp", 5000.0f } };
    for (const auto& [id, centre] : centres)
        EXPECT_NEAR(param(id).getNormalisableRange().convertFrom0to1(0.5f), centre, centre * 1e-4f + 1e-4f) << id;
    EXPECT_FLOAT_EQ(param("size").getNormalisableRange().skew, 1.0f);
}

TEST_F(Parameters, ChoicesAndSwitches)
{
    const auto choices = [&](const char* id) -> juce::AudioParameterChoice& { return dynamic_cast<juce::AudioParameterChoice&>(param(id)); };
    EXPECT_EQ(choices("predelay_note").choices.joinIntoString(","), "1/32,1/16T,1/16,1/8T,1/8,1/4T,1/4,1/2");
    EXPECT_EQ(choices("predelay_note").getIndex(), 4);
    EXPECT_EQ(choices("unmask_speed").choices.joinIntoString(","), "Fast,Med,Slow");
    EXPECT_EQ(choices("unmask_speed").getIndex(), 1);
    EXPECT_EQ(choices("eq1_type").choices.joinIntoString(","), "Low Shelf,Bell");
    EXPECT_EQ(choices("eq2_type").choices.joinIntoString(","), "Bell,Low Shelf");
    EXPECT_EQ(choices("eq3_type").choices.joinIntoString(","), "Bell,High Shelf");
    EXPECT_EQ(choices("eq4_type").choices.joinIntoString(","), "High Shelf,Bell");
    EXPECT_EQ(choices("decay_unit").choices.joinIntoString(","), "Seconds,Beats");
    EXPECT_EQ(choices("predelay_unit").choices.joinIntoString(","), "Ms,Note");
    for (auto* id : { "delta_unmask", "delta_shaping", "bypass" })
        EXPECT_FALSE(dynamic_cast<juce::AudioParameterBool&>(param(id)).get()) << id;
}

struct TextCase
{
    const char* id;
    float value;
    const char* text;
};

class ValueToText : public Parameters, public testing::WithParamInterface<TextCase>
{
};

TEST_P(ValueToText, ShowsTheFamilyText)
{
    const auto c = GetParam();
    EXPECT_EQ(textAt(c.id, c.value), c.text) << c.id << " at " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Families, ValueToText,
                         testing::Values(TextCase { "er_trim", -48.0f, "-inf" }, TextCase { "er_trim", -47.9f, "-47.9" },
                                         TextCase { "er_trim", 0.04f, "0.0" }, TextCase { "er_trim", -0.04f, "0.0" },
                                         TextCase { "er_trim", 6.5f, "6.5" }, TextCase { "eq_lp", 20000.0f, "Off" },
                                         TextCase { "eq_lp", 19999.4f, "19999" }, TextCase { "width", 1.0f, "100" },
                                         TextCase { "width", 2.0f, "200" }, TextCase { "decay", 2.0f, "2.00" },
                                         TextCase { "output", -3.25f, "-3.3" }, TextCase { "output", 0.0f, "0.0" },
                                         TextCase { "predelay", 20.4f, "20" }, TextCase { "eq1_freq", 180.0f, "180" },
                                         TextCase { "eq1_q", 0.71f, "0.71" }, TextCase { "decay_mult_low", 1.0f, "1.00" }));

class TextToValue : public Parameters, public testing::WithParamInterface<TextCase>
{
};

TEST_P(TextToValue, ParsesTheTypedText)
{
    const auto c = GetParam();
    auto& p = param(c.id);
    EXPECT_NEAR(valueOf(c.id, c.text), c.value, 1e-3f * (p.getNormalisableRange().end - p.getNormalisableRange().start))
        << c.id << " from \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Families, TextToValue,
                         testing::Values(TextCase { "eq_lp", 20000.0f, "off" }, TextCase { "eq_lp", 20000.0f, "OFF " },
                                         TextCase { "eq_lp", 2500.0f, "2.5khz" }, TextCase { "eq1_freq", 1200.0f, "1.2k" },
                                         TextCase { "eq1_freq", 20000.0f, "20 khz" }, TextCase { "eq1_freq", 2000.0f, "2 kHz" },
                                         TextCase { "eq1_freq", 800.0f, "800 Hz" }, TextCase { "eq1_freq", 20.0f, "k" },
                                         TextCase { "er_trim", -48.0f, "-inf" }, TextCase { "er_trim", -48.0f, "inf" },
                                         TextCase { "er_trim", 12.0f, "+inf" }, TextCase { "er_trim", -6.5f, " -6.5 dB" },
                                         TextCase { "size", 0.42f, "42" }, TextCase { "width", 1.5f, "150%" },
                                         TextCase { "decay", 3.5f, "3.5 s" }, TextCase { "decay", 0.1f, "abc" },
                                         TextCase { "output", 12.0f, "99" }, TextCase { "lowcut", 500.0f, "0.5k" },
                                         TextCase { "lowcut", 250.0f, "0.25 kHz" }, TextCase { "lowcut", 300.0f, "300 Hz" }));

struct TempoCase
{
    float unit, seconds, beats;
    double tempo;
    float expected;
};

class EffectiveDecay : public testing::TestWithParam<TempoCase>
{
};

TEST_P(EffectiveDecay, FollowsUnitAndTempo)
{
    const auto c = GetParam();
    EXPECT_NEAR(effectiveDecaySeconds(c.unit, c.seconds, c.beats, c.tempo), c.expected, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Cases, EffectiveDecay,
                         testing::Values(TempoCase { 0, 3.0f, 8.0f, 60.0, 3.0f }, TempoCase { 1, 3.0f, 8.0f, 60.0, 8.0f },
                                         TempoCase { 1, 3.0f, 8.0f, 15.0, 20.0f }, TempoCase { 1, 3.0f, 0.25f, 200.0, 0.1f },
                                         TempoCase { 1, 3.0f, 4.0f, 0.0, 2.0f }, TempoCase { 1, 3.0f, 4.0f, 1.0, 2.0f }));

TEST(EffectivePreDelay, NotesConvertAtTheHostTempoOr120)
{
    EXPECT_FLOAT_EQ(effectivePreDelayMs(0, 35.0f, 4.0f, 90.0), 35.0f);
    EXPECT_FLOAT_EQ(effectivePreDelayMs(1, 35.0f, 4.0f, 0.0), 250.0f);
    EXPECT_FLOAT_EQ(effectivePreDelayMs(1, 35.0f, 7.0f, 0.0), 500.0f) << "1/2 is 1000 ms before the clamp";
    EXPECT_NEAR(effectivePreDelayMs(1, 35.0f, 1.0f, 100.0), 100.0f, 1e-4f) << "1/16T at 100 bpm";
    EXPECT_FLOAT_EQ(effectivePreDelayMs(1, 35.0f, 12.0f, 120.0), 1000.0f / 2.0f) << "index clamps to 1/2";
}

TEST_F(Parameters, SwitchingUnitsKeepsBothValuesOfThePair)
{
    param("decay").setValueNotifyingHost(param("decay").convertTo0to1(5.0f));
    param("decay_beats").setValueNotifyingHost(param("decay_beats").convertTo0to1(8.0f));
    param("decay_unit").setValueNotifyingHost(1.0f);
    param("decay_unit").setValueNotifyingHost(0.0f);
    EXPECT_NEAR(param("decay").convertFrom0to1(param("decay").getValue()), 5.0f, 1e-4f);
    EXPECT_NEAR(param("decay_beats").convertFrom0to1(param("decay_beats").getValue()), 8.0f, 1e-4f);
}
} // namespace zq6::test
