#include "engine/LearnCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace zq6::test
{
namespace
{
std::vector<float> drain(LearnCapture& capture)
{
    std::vector<float> out(static_cast<size_t>(capture.capacity()));
    const quil::SpinLock::ScopedLock scoped(capture.lock);
    out.resize(static_cast<size_t>(capture.read(out.data(), static_cast<int>(out.size()))));
    return out;
}
} // namespace

TEST(LearnCapture, CapacityFollowsTheRate)
{
    LearnCapture capture;
    capture.prepare(48000.0);
    EXPECT_EQ(capture.capacity(), 96000);
    capture.prepare(1000.0);
    EXPECT_EQ(capture.capacity(), 4096);
}

TEST(LearnCapture, WritesTheLargestMagnitudeWithItsSignAndTheLowerChannelOnATie)
{
    LearnCapture capture;
    capture.prepare(48000.0);
    const float left[] = { 0.5f, -0.5f, 0.1f, 0.0f };
    const float right[] = { -0.7f, 0.5f, 0.2f, -0.0f };
    const float* channels[] = { left, right };

    capture.write(channels, 2, 4);
    EXPECT_TRUE(drain(capture).empty()) << "nothing is captured while off";

    capture.state.store(LearnCapture::restart);
    capture.write(channels, 2, 4);
    EXPECT_EQ(capture.state.load(), LearnCapture::capturing);
    EXPECT_EQ(drain(capture), (std::vector<float> { -0.7f, -0.5f, 0.2f, 0.0f }));
}

TEST(LearnCapture, DropsAndCountsTheSurplusOfAFullRing)
{
    LearnCapture capture;
    capture.prepare(2048.0); // capacity 4096, room for 4095
    capture.state.store(LearnCapture::restart);
    std::vector<float> block(3000, 0.25f);
    const float* channels[] = { block.data() };
    capture.write(channels, 1, 3000);
    capture.write(channels, 1, 3000);
    EXPECT_EQ(capture.dropped.load(), 6000 - 4095);
    EXPECT_EQ(drain(capture).size(), 4095u);
}

TEST(LearnCapture, ARateChangeStopsTheCaptureAndReportsIt)
{
    LearnCapture capture;
    EXPECT_TRUE(capture.prepare(48000.0));
    capture.state.store(LearnCapture::capturing);
    EXPECT_FALSE(capture.prepare(48000.0)) << "a repeated prepare at the same rate keeps capturing";
    EXPECT_EQ(capture.state.load(), LearnCapture::capturing);
    EXPECT_TRUE(capture.prepare(44100.0));
    EXPECT_EQ(capture.state.load(), LearnCapture::off);
}
} // namespace zq6::test
