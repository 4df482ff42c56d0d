// The engine on a real output: SDL's dummy driver (set for every test run), and the silent clock when no
// driver can be had, which the operator is told once. Either way a title runs in real time, neither racing
// nor stalling, to its end. These wait for real time to pass, in short polls with a deadline.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestTitles.h"

#include <QTest>
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
