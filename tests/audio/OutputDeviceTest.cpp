// The engine on a real output: SDL's dummy driver (set for every test run), and the silent clock when no
// driver can be had, which the operator is told once. Either way titles run in real time, neither racing nor
// stalling, side by side and to their ends. These wait for real time to pass, in short polls with a deadline.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestTitles.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(EngineOutput, TitlesRunInRealTimeThroughTheDummyDriverAndWithoutAnyDriver) {
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
        const auto start = [&](const QString& path, std::int64_t ms) {
            AudioEngine::VoiceId id = -1;
            EXPECT_EQ(engine.open(path, id), AudioError::None);
            EXPECT_EQ(engine.playFrom(id, ms), AudioError::None);
            return id;
        };
        const std::int64_t started = clock.nowUs();
        const AudioEngine::VoiceId id = start(TestTitles::get().flac48, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return engine.positionFrames(id) >= 4800; }, 3000));
        // Paced, not racing: no more frames than the time that passed (plus a period of slack).
        EXPECT_LE(engine.positionFrames(id),
                  (clock.nowUs() - started) * 48 / 1000 + 2 * AudioEngine::kPeriodFrames);
        // The decoder thread keeps the ring topped up far beyond the first samples.
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.bufferedFrames(id) > 48000; }, 3000));
        const AudioEngine::VoiceId end = start(TestTitles::get().mp348, 19900);
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.state(end) == VoiceState::Finished; }, 3000));
        EXPECT_EQ(engine.state(id), VoiceState::Playing);
    }
    qputenv("SDL_AUDIODRIVER", driver);
}
