// The engine on a real output: SDL's dummy driver (set for every test run) and the silent clock when no
// driver can be had. These wait for real time to pass, in short polls with a deadline.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestTitles.h"

#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

class EngineOutput : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok); }
    void TearDown() override { qputenv("SDL_AUDIODRIVER", driver); }

    // Polls cond every 2 ms for up to 3 s; true as soon as it holds.
    bool eventually(const std::function<bool()>& cond) {
        for (const std::int64_t deadline = clock.nowUs() + 3000000; !cond();) {
            if (clock.nowUs() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    // Opens a title and starts it at ms.
    AudioEngine::VoiceId start(AudioEngine& engine, const QString& path, std::int64_t ms) {
        AudioEngine::VoiceId id = -1;
        EXPECT_EQ(engine.open(path, id), AudioError::None);
        EXPECT_EQ(engine.playFrom(id, ms), AudioError::None);
        return id;
    }

    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    SteadyClock clock;
};

TEST_F(EngineOutput, PlaysPausesAndEndsThroughTheDummyDriver) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    AudioEngine engine(clock);
    ASSERT_TRUE(engine.hasDevice());
    const std::int64_t pressed = clock.nowUs();
    const AudioEngine::VoiceId id = start(engine, TestTitles::get().wav48, 12500);
    ASSERT_TRUE(eventually([&] { return engine.positionFrames(id) >= 600000 + 4800; }));
    EXPECT_GE(engine.firstSampleUs(id), pressed);
    ASSERT_EQ(engine.pause(id), AudioError::None);
    const std::int64_t held = engine.positionFrames(id);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(engine.positionFrames(id), held);
    ASSERT_EQ(engine.resume(id), AudioError::None);
    // The decoder thread keeps the ring topped up far beyond the first samples.
    EXPECT_TRUE(eventually([&] { return engine.bufferedFrames(id) > 48000; }));
    EXPECT_FALSE(engine.takeNoDeviceNotice());
    const AudioEngine::VoiceId end = start(engine, TestTitles::get().mp348, 19900);
    EXPECT_TRUE(eventually([&] { return engine.state(end) == VoiceState::Finished; }));
    EXPECT_EQ(engine.state(id), VoiceState::Playing);
}

TEST_F(EngineOutput, WithoutAnyDriverTheSilentClockRunsInRealTime) {
    qputenv("SDL_AUDIODRIVER", "klangwart-no-such-driver");
    AudioEngine engine(clock);
    EXPECT_FALSE(engine.hasDevice());
    EXPECT_TRUE(engine.takeNoDeviceNotice());
    EXPECT_FALSE(engine.takeNoDeviceNotice()) << "the operator is told once";
    const std::int64_t started = clock.nowUs();
    const AudioEngine::VoiceId id = start(engine, TestTitles::get().flac48, 0);
    ASSERT_TRUE(eventually([&] { return engine.positionFrames(id) >= 4800; }));
    // Paced, not racing: no more frames than the time that passed (plus a period of slack).
    const std::int64_t played = engine.positionFrames(id);
    EXPECT_LE(played, (clock.nowUs() - started) * 48 / 1000 + AudioEngine::kPeriodFrames * 2);
    ASSERT_EQ(engine.playFrom(id, 19950), AudioError::None);
    EXPECT_TRUE(eventually([&] { return engine.state(id) == VoiceState::Finished; }));
}

} // namespace
