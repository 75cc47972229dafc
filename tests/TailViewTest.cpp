#include "engine/CharacterVoicing.h"
#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"
#include "support/ShippedUi.h"
#include "ui/views/InstrumentWindow.h"
#include "ui/views/TailInputReader.h"
#include "ui/shell/ValueNoise.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
using Inputs = ui::TailGraphInputs;

struct InputChange
{
    const char* name;
    float Inputs::*field;
    float value;
};

class TailView : public testing::Test
{
protected:
    TailView() { view.setBounds(ui.layout.scaledRect("stage.window", 1.0f)); }

    void refreshAt(double ms, float peak, const Inputs& inputs = {})
    {
        now = ms;
        view.refresh(inputs, peak, peak * 0.5f);
    }

    ShippedUi ui;
    double now = 0.0;
    bool reducedMotion = false;
    int motionQuestions = 0;
    ui::InstrumentWindow view { ui.context, [this] { return now; },
                                [this] {
                                    ++motionQuestions;
                                    return reducedMotion;
                                } };
};

bool sameRidges(const ui::TailGraph& a, const ui::TailGraph& b)
{
    for (int r = 0; r < ui::TailGraph::ridgeCount; ++r)
        if (a.ridge(r).x != b.ridge(r).x || a.ridge(r).y != b.ridge(r).y)
            return false;
    return true;
}

class TailInputs : public TailView, public testing::WithParamInterface<InputChange>
{
};

TEST_P(TailInputs, GraphFollowsEachInputAndNothingElse)
{
    const auto before = view.getGraph();
    view.refresh(Inputs {}, 0.0f, 0.0f);
    EXPECT_EQ(view.graphCount(), 1);

    Inputs changed;
    changed.*(GetParam().field) = GetParam().value;
    view.refresh(changed, 0.0f, 0.0f);
    EXPECT_EQ(view.graphCount(), 2);
    EXPECT_FALSE(sameRidges(before, view.getGraph()));

    view.refresh(changed, 0.0f, 0.0f);
    EXPECT_EQ(view.graphCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    TenInputs, TailInputs,
    testing::Values(InputChange { "size", &Inputs::size, 0.8f }, InputChange { "width", &Inputs::width, 0.3f },
                    InputChange { "erWeight", &Inputs::erWeight, 0.9f },
                    InputChange { "erOrderThreshold", &Inputs::erOrderThreshold, 0.5f },
                    InputChange { "erLowPass", &Inputs::erLowPassHz, 3000.0f },
                    InputChange { "voiceLowPass", &Inputs::voiceLowPassHz, 4000.0f },
                    InputChange { "decay", &Inputs::decaySeconds, 6.0f },
                    InputChange { "brightness", &Inputs::brightness, 0.1f },
                    InputChange { "highDecayMult", &Inputs::highDecayMult, 0.5f },
                    InputChange { "lowCut", &Inputs::lowCutHz, 600.0f }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TailView, FrontRidgeSpansThePlotAndTheBackRidgeIsNarrower)
{
    const auto& g = view.getGraph();
    const auto& front = g.ridge(0);
    const auto& back = g.ridge(ui::TailGraph::ridgeCount - 1);
    EXPECT_FLOAT_EQ(front.x.front(), 58.0f);
    EXPECT_FLOAT_EQ(front.x.back(), 58.0f + g.plotWidth());
    EXPECT_NEAR(back.x.back() - back.x.front(), 0.75f * g.plotWidth(), 1e-3f);
    EXPECT_NEAR(g.timeAxis().getEnd().x, back.x.front() - 0.5f, 1e-3f);
}

TEST_F(TailView, FrontRidgeIsWholeAndRidgesBehindItLoseTheirCoveredParts)
{
    const auto countOf = [](const juce::Path& path) {
        std::pair<int, int> counts { 0, 0 };
        for (juce::Path::Iterator it(path); it.next();)
            ++(it.elementType == juce::Path::Iterator::startNewSubPath ? counts.first : counts.second);
        return counts;
    };
    const auto& g = view.getGraph();
    EXPECT_EQ(countOf(g.ridge(0).visiblePath), std::make_pair(1, ui::TailGraph::pointCount - 1));

    auto covered = 0;
    for (int r = 1; r < ui::TailGraph::ridgeCount; ++r)
    {
        const auto [pieces, segments] = countOf(g.ridge(r).visiblePath);
        covered += pieces > 1 || segments < ui::TailGraph::pointCount - 1 ? 1 : 0;
    }
    EXPECT_GT(covered, 0);
    EXPECT_LT(covered, ui::TailGraph::ridgeCount - 1);
}

TEST_F(TailView, TimeGridTicksStayFourteenUnitsApart)
{
    for (const auto decay : { 0.1f, 0.4f, 2.0f, 7.3f, 20.0f })
    {
        Inputs inputs;
        inputs.decaySeconds = decay;
        view.refresh(inputs, 0.0f, 0.0f);
        const auto& g = view.getGraph();
        ASSERT_FALSE(g.timeTicks().empty()) << decay;
        auto lastY = g.axisPoint(0.0f).y;
        for (const auto tick : g.timeTicks())
        {
            EXPECT_LE(tick, decay * 1.0001f);
            EXPECT_GE(lastY - g.axisPoint(tick).y, 14.0f - 1e-3f) << decay << " s, tick " << tick;
            lastY = g.axisPoint(tick).y;
        }
    }
    Inputs two;
    two.decaySeconds = 2.0f;
    view.refresh(two, 0.0f, 0.0f);
    EXPECT_EQ(view.getGraph().timeTicks().front(), 0.5f);
    EXPECT_EQ(view.getGraph().tickDecimals(), 1);
}

TEST_F(TailView, PulseStartsOnAnOnsetWhenAnimationsAreAllowed)
{
    refreshAt(0.0, 0.001f);
    refreshAt(33.0, 0.5f);
    EXPECT_EQ(view.getPulse().onsetCount(), 1);
    EXPECT_EQ(motionQuestions, 1);
    EXPECT_TRUE(view.getPulse().running());
    EXPECT_FLOAT_EQ(view.getPulse().position(), -4.0f);

    refreshAt(633.0, 0.0f);
    EXPECT_FLOAT_EQ(view.getPulse().position(), 16.0f);
    refreshAt(1233.0, 0.0f);
    EXPECT_FALSE(view.getPulse().running());
    EXPECT_EQ(view.getPulse().position(), ui::OnsetPulse::none);
}

TEST_F(TailView, NoPulseWhenTheDesktopPrefersReducedMotion)
{
    reducedMotion = true;
    refreshAt(0.0, 0.001f);
    refreshAt(33.0, 0.5f);
    EXPECT_EQ(view.getPulse().onsetCount(), 1);
    EXPECT_EQ(motionQuestions, 1);
    EXPECT_FALSE(view.getPulse().running());
}

TEST_F(TailView, OnsetsNeedAJumpAboveTheFloorAndFourHundredMillisecondsApart)
{
    refreshAt(0.0, 0.0001f);
    refreshAt(33.0, 0.003f); // -50 dB: below the floor
    EXPECT_EQ(view.getPulse().onsetCount(), 0);
    refreshAt(66.0, 0.0001f);
    refreshAt(400.0, 0.0001f);
    refreshAt(433.0, 0.5f);
    EXPECT_EQ(view.getPulse().onsetCount(), 1);
    refreshAt(466.0, 0.0001f);
    refreshAt(800.0, 1.0f); // 367 ms after the onset
    EXPECT_EQ(view.getPulse().onsetCount(), 1);
    refreshAt(1000.0, 0.0001f);
    refreshAt(1300.0, 0.0001f);
    refreshAt(1333.0, 1.0f);
    EXPECT_EQ(view.getPulse().onsetCount(), 2);
    EXPECT_EQ(motionQuestions, 2);
}

TEST(TailInputReader, TakesTheEffectiveDecayAndTheVoicingOfTheEffectiveCharacter)
{
    ProcessorHarness harness;
    // Choosing a Character sets its suggested values, so it comes first.
    ASSERT_TRUE(harness.processor().chooseCharacter(4));
    harness.set(pid::decayUnit, 1.0f);
    harness.set(pid::decayBeats, 8.0f);
    harness.set(pid::erTrim, -48.0f);
    harness.set(pid::width, 1.5f);
    harness.set(pid::lowcut, 250.0f);

    const auto in = ui::TailInputReader(harness.processor()).read();
    EXPECT_FLOAT_EQ(in.decaySeconds, 4.0f); // 8 beats at the 120 BPM used without a host tempo
    EXPECT_EQ(in.erWeight, 0.0f);
    EXPECT_FLOAT_EQ(in.width, 1.5f);
    EXPECT_FLOAT_EQ(in.lowCutHz, 250.0f);
    const auto& voicing = voicingFor(Character::plate);
    EXPECT_EQ(in.highDecayMult, voicing.highDecayMult);
    EXPECT_EQ(in.voiceLowPassHz, voicing.voiceLowPassHz);
    EXPECT_EQ(in.erLowPassHz, voicing.erLowPassHz);
    EXPECT_EQ(in.erOrderThreshold, voicing.erOrderThreshold);
}

TEST(ValueNoise, LatticePointsAreTheHashAndCellsJoinSmoothly)
{
    EXPECT_EQ(ui::ValueNoise::at(0.0, 0.0), 0.0f);
    const std::uint32_t a = 374761393u;
    const std::uint32_t b = (a ^ (a >> 13)) * 1274126177u;
    EXPECT_FLOAT_EQ(ui::ValueNoise::at(1.0, 0.0), static_cast<float>((b ^ (b >> 16)) / 4294967296.0));
    EXPECT_NEAR(ui::ValueNoise::at(2.999999, 5.5), ui::ValueNoise::at(3.0, 5.5), 1e-4f);
    for (double x = 0.0; x < 40.0; x += 0.37)
    {
        const auto v = ui::ValueNoise::at(x, 11.7);
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 1.0f);
    }
}
} // namespace
} // namespace zq6::test
