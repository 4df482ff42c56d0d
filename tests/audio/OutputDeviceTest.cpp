// The engine on a real output: SDL's dummy driver (set for every test run), the silent clock when no
// driver can be had, and the reopening of a device that went away. These wait for real time to pass,
// in short polls with a deadline.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestTitles.h"

#include <QByteArray>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Polls cond every 2 ms for up to timeoutMs; true as soon as it holds.
bool eventually(const std::function<bool()>& cond, int timeoutMs = 3000) {
    SteadyClock clock;
    const std::int64_t deadline = clock.nowUs() + static_cast<std::int64_t>(timeoutMs) * 1000;
    while (!cond()) {
        if (clock.nowUs() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class EngineOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestTitles::get().ok);
        driver = qgetenv("SDL_AUDIODRIVER");
    }
    void TearDown() override { qputenv("SDL_AUDIODRIVER", driver); }

    QByteArray driver;
    SteadyClock clock;
};

TEST_F(EngineOutput, PlaysThroughTheDummyDriver) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    AudioEngine engine(clock);
    ASSERT_TRUE(engine.hasDevice());
    EXPECT_FALSE(engine.takeNoDeviceNotice());
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().wav48, id), AudioError::None);
    const std::int64_t pressed = clock.nowUs();
    ASSERT_EQ(engine.playFrom(id, 12500), AudioError::None);
    ASSERT_TRUE(eventually([&] { return engine.positionFrames(id) >= 600000 + 4800; }));
    EXPECT_GE(engine.firstSampleUs(id), pressed);

    ASSERT_EQ(engine.pause(id), AudioError::None);
    const std::int64_t held = engine.positionFrames(id);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(engine.positionFrames(id), held);
    ASSERT_EQ(engine.resume(id), AudioError::None);
    EXPECT_TRUE(eventually([&] { return engine.positionFrames(id) > held + 2400; }));

    // The decoder thread keeps the ring topped up far beyond the first samples.
    EXPECT_TRUE(eventually([&] { return engine.bufferedFrames(id) > 48000; }));
    EXPECT_EQ(engine.close(id), AudioError::None);
}

TEST_F(EngineOutput, ATitleRunsToItsEndOnTheDevice) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    AudioEngine engine(clock);
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().mp348, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 19900), AudioError::None);
    EXPECT_TRUE(eventually([&] { return engine.state(id) == VoiceState::Finished; }));
}

TEST_F(EngineOutput, WithoutAnyDriverTheSilentClockRunsInRealTime) {
    qputenv("SDL_AUDIODRIVER", "klangwart-no-such-driver");
    AudioEngine engine(clock);
    EXPECT_FALSE(engine.hasDevice());
    EXPECT_TRUE(engine.takeNoDeviceNotice());
    EXPECT_FALSE(engine.takeNoDeviceNotice()) << "the operator is told once";

    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().flac48, id), AudioError::None);
    const std::int64_t started = clock.nowUs();
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    ASSERT_TRUE(eventually([&] { return engine.positionFrames(id) >= 4800; }));
    // Paced, not racing: no more frames than the time that passed (plus a period of slack).
    const std::int64_t elapsedUs = clock.nowUs() - started;
    EXPECT_LE(engine.positionFrames(id), elapsedUs * 48 / 1000 + AudioEngine::kPeriodFrames * 2);
    EXPECT_EQ(engine.state(id), VoiceState::Playing);
    ASSERT_EQ(engine.playFrom(id, 19950), AudioError::None);
    EXPECT_TRUE(eventually([&] { return engine.state(id) == VoiceState::Finished; }));
}

TEST_F(EngineOutput, ALostDeviceIsReopenedAndTheTitleGoesOn) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    AudioEngine engine(clock);
    ASSERT_TRUE(engine.hasDevice());
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().wav48, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 2000), AudioError::None);
    ASSERT_TRUE(eventually([&] { return engine.positionFrames(id) > 96000 + 2400; }));
    engine.simulateDeviceLoss();
    ASSERT_TRUE(eventually([&] { return engine.deviceReopenCount() == 1; }));
    const std::int64_t after = engine.positionFrames(id);
    EXPECT_TRUE(eventually([&] { return engine.positionFrames(id) > after + 4800; }));
    EXPECT_TRUE(engine.hasDevice());
    EXPECT_FALSE(engine.takeNoDeviceNotice());
    EXPECT_EQ(engine.state(id), VoiceState::Playing);
}

} // namespace
