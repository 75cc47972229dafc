#include "../plugin-common/ParameterWatch.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace
{
// Three parameters outside any processor, and a watch over all of them that counts its calls.
struct WatchedParameters : ::testing::Test
{
    WatchedParameters()
    {
        for (size_t i = 0; i < parameters.size(); ++i)
        {
            parameters[i] = std::make_unique<juce::AudioParameterFloat>(
                juce::ParameterID { "p" + juce::String(static_cast<int>(i)), 1 }, "P", 0.0f, 1.0f, 0.0f);
            watch.watch(*parameters[i]);
        }
    }

    std::array<std::unique_ptr<juce::AudioParameterFloat>, 3> parameters;
    int calls = 0;
    quil::ParameterWatch watch { [this] { ++calls; } };
};

TEST_F(WatchedParameters, AnswersMessageThreadChangesAtOnce)
{
    parameters[0]->setValueNotifyingHost(0.25f);
    EXPECT_EQ(calls, 1);
    parameters[2]->setValueNotifyingHost(0.5f);
    EXPECT_EQ(calls, 2);
}

TEST_F(WatchedParameters, GathersChangesFromAnotherThreadIntoOneCall)
{
    std::thread automation([this] {
        for (int step = 1; step <= 100; ++step)
            for (auto& parameter : parameters)
                parameter->setValueNotifyingHost(static_cast<float>(step) / 100.0f);
    });
    automation.join();
    EXPECT_EQ(calls, 0);

    zq6::test::pumpMessages(50);
    EXPECT_EQ(calls, 1);
}

TEST_F(WatchedParameters, AMessageThreadChangeAnswersAPendingOneToo)
{
    std::thread([this] { parameters[1]->setValueNotifyingHost(0.75f); }).join();
    parameters[0]->setValueNotifyingHost(0.25f);
    EXPECT_EQ(calls, 1);

    zq6::test::pumpMessages(50);
    EXPECT_EQ(calls, 1);
}
} // namespace
