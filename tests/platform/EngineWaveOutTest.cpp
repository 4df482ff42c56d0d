#include "platform/EngineWaveOut.h"

#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"

#include <gtest/gtest.h>

namespace {

class EngineWaveOutTest : public ::testing::Test {
protected:
    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
    EngineWaveOut waveOut{engine};
};

TEST_F(EngineWaveOutTest, FullLevelIsUnityOnBothSides) {
    EXPECT_EQ(waveOut.setVolume(0xFFFFFFFFu), 0);
    EXPECT_EQ(engine.gainLeft(), 1.0f);
    EXPECT_EQ(engine.gainRight(), 1.0f);
}

TEST_F(EngineWaveOutTest, ZeroIsSilence) {
    waveOut.setVolume(0);
    EXPECT_EQ(engine.gainLeft(), 0.0f);
    EXPECT_EQ(engine.gainRight(), 0.0f);
}

TEST_F(EngineWaveOutTest, LowWordIsLeftHighWordIsRight) {
    waveOut.setVolume(0x8000u | (0x4000u << 16));
    EXPECT_FLOAT_EQ(engine.gainLeft(), 32768.0f / 65535.0f);
    EXPECT_FLOAT_EQ(engine.gainRight(), 16384.0f / 65535.0f);
}

TEST_F(EngineWaveOutTest, TheLevelReachesTheOutput) {
    waveOut.setVolume(0xFFFFu); // left full, right silent
    std::vector<float> out(512, 0.0f);
    engine.render(out.data(), 256); // nothing plays: silence, but the ramp runs
    EXPECT_EQ(engine.gainRight(), 0.0f);
    EXPECT_EQ(engine.gainLeft(), 1.0f);
}

} // namespace
