// The engine on a real output: SDL's dummy driver (set for every test run), and the silent clock when no
// driver can be had, which the operator is told once. Either way a title runs in real time, neither racing
// nor stalling, to its end. And an output that rests while nobody is at the desk. These wait for real time to
// pass, in short polls with a deadline.
#include "audio/OutputDevice.h"
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/StandInOutput.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

TEST(EngineOutput, ATitleRunsInRealTimeThroughTheDummyDriverAndWithoutAnyDriver) {
    ASSERT_TRUE(TestTitles::get().ok);
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    for (const bool dummy : {true, false}) {
        SCOPED_TRACE(dummy ? "dummy driver" : "no driver");
        qputenv("SDL_AUDIODRIVER", dummy ? "dummy" : "klangwart-no-such-driver");
        SteadyClock clock;
        AudioEngine engine(clock);
        EXPECT_EQ(engine.hasDevice(), dummy);
        EXPECT_EQ(engine.takeNoDeviceNotice(), !dummy);
        EXPECT_FALSE(engine.takeNoDeviceNotice()) << "the operator is told once";
        AudioEngine::VoiceId id = -1;
        ASSERT_EQ(engine.open(TestTitles::get().flac48, id), AudioError::None);
        const std::int64_t started = clock.nowUs();
        ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
        ASSERT_TRUE(QTest::qWaitFor([&] { return engine.positionFrames(id) >= 4800; }, 3000));
        // Paced, not racing: no more frames than the time that passed (plus a period of slack).
        const std::int64_t played = engine.positionFrames(id);
        EXPECT_LE(played, (clock.nowUs() - started) * 48 / 1000 + 2 * AudioEngine::kPeriodFrames);
        ASSERT_EQ(engine.playFrom(id, 19950), AudioError::None);
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.state(id) == VoiceState::Finished; }, 3000));
    }
    qputenv("SDL_AUDIODRIVER", driver);
}

namespace {
// A clock the test sets, read by the engine's threads.
class SetClock : public Clock {
  public:
    std::int64_t nowUs() override { return now.load(); }
    void sleepUntilUs(std::int64_t deadlineUs) override {
        while (now.load() < deadlineUs)
            QThread::msleep(1);
    }
    std::atomic<std::int64_t> now{1000000};
};
} // namespace

TEST(EngineOutput, AnIdleOutputRestsUntilTheOperatorComesBackOrATitleStartsAndNeverWhileOneWaits) {
    ASSERT_TRUE(TestTitles::get().ok);
    SetClock clock;
    auto device = std::make_unique<StandInOutput>();
    StandInOutput& card = *device;
    AudioEngine engine(clock, std::move(device));
    std::vector<float> period(2 * AudioEngine::kPeriodFrames);
    const auto restsAfterIdle = [&] {
        clock.now += OutputDevice::kRestAfterUs;
        return QTest::qWaitFor([&] { return engine.outputResting(); }, 3000);
    };
    ASSERT_TRUE(restsAfterIdle());
    EXPECT_FALSE(card.pull(period.data(), AudioEngine::kPeriodFrames)) << "a resting output is closed";
    EXPECT_EQ(engine.hasDevice(), true) << "resting is not a lost output";
    engine.operatorActive();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.outputResting(); }, 3000));
    EXPECT_TRUE(card.pull(period.data(), AudioEngine::kPeriodFrames));
    // A title started without warning: the output opens and nothing of the title is lost meanwhile.
    ASSERT_TRUE(restsAfterIdle());
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().wav48, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    ASSERT_TRUE(QTest::qWaitFor([&] { return card.pull(period.data(), AudioEngine::kPeriodFrames); }, 3000));
    const auto want = TestSignal::stereo16(AudioEngine::kSampleRate, 0, AudioEngine::kPeriodFrames);
    EXPECT_EQ(TestSignal::maxError(want, 0, period, AudioEngine::kPeriodFrames), 0.0);
    // A title that waits keeps the output open, however long.
    ASSERT_EQ(engine.pause(id), AudioError::None);
    clock.now += 10 * OutputDevice::kRestAfterUs;
    QTest::qWait(1200);
    EXPECT_FALSE(engine.outputResting());
}

TEST(EngineOutput, AChosenDeviceMissingPlaysOnTheDefaultAndTakesOverWhenItReturns) {
    SteadyClock clock;
    auto device = std::make_unique<StandInOutput>();
    StandInOutput& card = *device;
    AudioEngine engine(clock, std::move(device));
    card.preferredThere = false;
    engine.preferOutput("USB", true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.outputStandingIn(); }, 3000));
    EXPECT_TRUE(engine.hasDevice());
    card.preferredThere = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !engine.outputStandingIn() && engine.hasDevice(); }, 5000));
}
