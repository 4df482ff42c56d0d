// The sound card is missing when the desk starts, comes, and goes away in the middle of a title: the title
// plays on from where the silent clock carried it, and the operator reads it at the foot of the console,
// without a box to click away.
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "console/NoticeLine.h"
#include "platform/SteadyClock.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"
#include "support/StandInOutput.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"

#include <QLabel>

TEST(OutputNotice, ALostOutputIsToldWhileItLastsItsReturnForAWhileAndTheTitleGoesOn) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    ASSERT_TRUE(TestAudioFiles::writeWav(desk.titlePath("Damen", "7 Meter", "01Anwurf.wav"), 48000, 10.0));
    SteadyClock steady;
    auto device = std::make_unique<StandInOutput>();
    StandInOutput& card = *device;
    card.plug(false);
    AudioEngine engine(steady, std::move(device));
    MediaCommandInterpreter media(engine);
    EngineWaveOut waveOut(engine);
    desk.media.forward = &media;
    desk.waveOut.forward = &waveOut;
    const auto w = desk.startMain();
    const QLabel* notice = Operator::find<QLabel>(w.get(), QStringLiteral("Hinweis"));
    const auto noticeBecomes = [&](const QString& text) {
        return QTest::qWaitFor([&] { return notice->text() == text; }, 3000);
    };
    std::vector<float> heard(1024);
    const auto expectHeardFrom = [&](std::int64_t frame) {
        ASSERT_TRUE(card.pull(heard.data(), 512));
        EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(48000, frame, 512), 0, heard, 512), 0.0) << frame;
    };
    EXPECT_EQ(notice->text(), NoticeLine::NoOutput);
    ASSERT_TRUE(QTest::qWaitFor([&] { return card.opens() >= 3; }, 3000)) << "tried again and again";
    card.plug(true);
    EXPECT_TRUE(noticeBecomes(NoticeLine::OutputBack));

    Operator::press(w.get(), 0);
    expectHeardFrom(0);
    card.plug(false);
    EXPECT_TRUE(noticeBecomes(NoticeLine::NoOutput));
    const int voice = media.voiceOf(QStringLiteral("MyAlias"));
    const std::int64_t lostAt = engine.positionFrames(voice);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.positionFrames(voice) > lostAt + 9600; }, 3000));
    card.plug(true);
    EXPECT_TRUE(noticeBecomes(NoticeLine::OutputBack));
    // Neither back to where the card went nor to the start: on from where the silent clock got to.
    const std::int64_t backAt = engine.positionFrames(voice);
    EXPECT_GT(backAt, lostAt + 9600);
    expectHeardFrom(backAt);
    desk.clock.now += NoticeLine::kBackShownUs;
    EXPECT_TRUE(noticeBecomes(QString()));
}
