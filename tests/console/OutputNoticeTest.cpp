// The sound card is missing when the desk starts, comes, and goes away in the middle of a title: the title
// plays on from where the silent clock carried it, and the operator reads it in the notice line at the foot
// of the console, without a box to click away.
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "console/NoticeLine.h"
#include "platform/SteadyClock.h"
#include "support/Fakes.h"
#include "support/StandInOutput.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(OutputNotice, ALostOutputIsToldWhileItLastsItsReturnForAWhileAndTheTitleGoesOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(TestAudioFiles::writeWav(dir.filePath("Anwurf.wav"), 48000, 10.0));
    SteadyClock steady;
    auto device = std::make_unique<StandInOutput>();
    StandInOutput& card = *device;
    card.plugged = false;
    AudioEngine engine(steady, std::move(device));
    EngineWaveOut waveOut(engine);
    FakeClock clock;
    MediaCommandInterpreter media(engine);
    NoticeLine notice(waveOut, clock, &media, QStringLiteral("MyAlias"), nullptr);
    const auto noticeBecomes = [&](const QString& text) {
        return QTest::qWaitFor([&] { return notice.text() == text; }, 3000);
    };
    std::vector<float> heard(1024);
    const auto expectHeardFrom = [&](std::int64_t frame) {
        ASSERT_TRUE(card.pull(heard.data(), 512));
        EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(48000, frame, 512), 0, heard, 512), 0.0) << frame;
    };
    EXPECT_EQ(notice.text(), NoticeLine::NoOutput);
    card.plugged = true;
    EXPECT_TRUE(noticeBecomes(NoticeLine::OutputBack));

    ASSERT_EQ(media.send("open " + dir.filePath("Anwurf.wav") + " type MPEGVideo alias MyAlias"), 0);
    ASSERT_EQ(media.send("play MyAlias from 0"), 0);
    const int voice = media.voiceOf(QStringLiteral("MyAlias"));
    expectHeardFrom(0);
    card.plugged = false;
    EXPECT_TRUE(noticeBecomes(NoticeLine::NoOutput));
    // Paused, the title waits rather than running on.
    media.send(QStringLiteral("pause MyAlias"));
    EXPECT_TRUE(noticeBecomes(NoticeLine::NoOutputPaused));
    media.send(QStringLiteral("play MyAlias"));
    EXPECT_TRUE(noticeBecomes(NoticeLine::NoOutput));
    const std::int64_t lostAt = engine.positionFrames(voice);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.positionFrames(voice) > lostAt + 9600; }, 3000));
    card.plugged = true;
    EXPECT_TRUE(noticeBecomes(NoticeLine::OutputBack));
    // Neither back to where the card went nor to the start: on from where the silent clock got to.
    const std::int64_t backAt = engine.positionFrames(voice);
    expectHeardFrom(backAt);
    clock.now += NoticeLine::kBackShownUs;
    EXPECT_TRUE(noticeBecomes(QString()));
    media.send(QStringLiteral("close MyAlias"));
}
