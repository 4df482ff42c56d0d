#include "platform/EngineWaveOut.h"

#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

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

TEST_F(EngineWaveOutTest, TheLevelReachesTheOutputWithinOnePeriod) {
    ASSERT_TRUE(TestTitles::get().ok);
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().wav48, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    waveOut.setVolume(0xFFFFu); // left full, right silent
    std::vector<float> out(2 * AudioEngine::kPeriodFrames);
    engine.render(out.data(), AudioEngine::kPeriodFrames);
    const auto src = TestSignal::stereo16(48000, 0, AudioEngine::kPeriodFrames);
    for (int i = AudioEngine::kPeriodFrames / 2; i < AudioEngine::kPeriodFrames; ++i) {
        ASSERT_EQ(out[2 * i], src[2 * i]) << i;
        ASSERT_EQ(out[2 * i + 1], 0.0f) << i;
    }
}

} // namespace
