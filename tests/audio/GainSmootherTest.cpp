#include "audio/GainSmoother.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Runs frames of a constant 1.0 through the smoother: what comes out is the gain of each sample.
std::vector<float> gains(GainSmoother& g, int frames) {
    std::vector<float> buf(static_cast<std::size_t>(frames) * 2, 1.0f);
    g.process(buf.data(), frames);
    return buf;
}

TEST(GainSmoother, StartsAtUnityAndLeavesTheSoundAlone) {
    GainSmoother g;
    for (float v : gains(g, 256)) {
        ASSERT_EQ(v, 1.0f);
    }
}

TEST(GainSmoother, ReachesTheLevelExactlyWithinTheRampAndStaysThere) {
    GainSmoother g;
    g.setTarget(0.5f, 0.25f);
    const auto out = gains(g, 256);
    const int ramp = g.rampFrames();
    ASSERT_LT(ramp, 256);
    EXPECT_GT(out[0], 0.5f); // moving, not jumping
    for (int i = ramp - 1; i < 256; ++i) {
        ASSERT_EQ(out[2 * i], 0.5f) << i;
        ASSERT_EQ(out[2 * i + 1], 0.25f) << i;
    }
    for (float v : gains(g, 64)) {
        ASSERT_TRUE(v == 0.5f || v == 0.25f);
    }
}

TEST(GainSmoother, NoStepLargerThanTheRampAllows) {
    GainSmoother g;
    g.setTarget(0.0f, 0.0f);
    const auto out = gains(g, 256);
    const float allowed = 1.0f / static_cast<float>(g.rampFrames()) + 1e-6f;
    float previous = 1.0f;
    for (int i = 0; i < 256; ++i) {
        ASSERT_LE(std::fabs(out[2 * i] - previous), allowed) << i;
        previous = out[2 * i];
    }
    EXPECT_EQ(previous, 0.0f);
}

TEST(GainSmoother, AThousandChangesASecondStaySmoothAndEndAtTheLastLevel) {
    GainSmoother g;
    const float allowed = 1.0f / static_cast<float>(g.rampFrames()) + 1e-6f;
    float previous = 1.0f;
    // A fade from 1 to 0 in 1000 steps of one millisecond (48 frames each), rendered in 48-frame slices.
    for (int step = 1; step <= 1000; ++step) {
        const float level = 1.0f - static_cast<float>(step) / 1000.0f;
        g.setTarget(level, level);
        const auto out = gains(g, 48);
        for (int i = 0; i < 48; ++i) {
            ASSERT_LE(std::fabs(out[2 * i] - previous), allowed) << step;
            ASSERT_EQ(out[2 * i], out[2 * i + 1]);
            previous = out[2 * i];
        }
        ASSERT_NEAR(previous, level, 0.01f) << "the heard level lags behind at step " << step;
    }
    const auto tail = gains(g, 256);
    EXPECT_EQ(tail[510], 0.0f);
}

TEST(GainSmoother, TargetsAreReadBack) {
    GainSmoother g;
    g.setTarget(0.125f, 0.75f);
    EXPECT_EQ(g.targetLeft(), 0.125f);
    EXPECT_EQ(g.targetRight(), 0.75f);
}

} // namespace
