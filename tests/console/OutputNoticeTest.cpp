// The sound output goes away in the middle of a title and comes back: the title plays on, and the operator
// reads it at the foot of the console without a box to click away.
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

namespace {

TEST(OutputNotice, ALostOutputIsToldWhileItLastsAndItsReturnForAWhile) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    ASSERT_TRUE(TestAudioFiles::writeWav(
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Anwurf.wav")),
        48000, 10.0));
    SteadyClock steady;
    auto device = std::make_unique<StandInOutput>();
    StandInOutput& card = *device;
    AudioEngine engine(steady, std::move(device));
    MediaCommandInterpreter media(engine);
    EngineWaveOut waveOut(engine);
    desk.media.forward = &media;
    desk.waveOut.forward = &waveOut;
    const auto w = desk.startMain();
    const QLabel* notice = Operator::find<QLabel>(w.get(), QStringLiteral("Hinweis"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QString());

    Operator::press(w.get(), 0);
    const int voice = media.voiceOf(QStringLiteral("MyAlias"));
    std::vector<float> heard(1024);
    const auto expectHeardFrom = [&](std::int64_t frame) {
        ASSERT_TRUE(card.pull(heard.data(), 512));
        EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(48000, frame, 512), 0, heard, 512), 0.0);
    };
    expectHeardFrom(0);
    card.plug(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->text() == NoticeLine::NoOutput; }, 3000));
    EXPECT_TRUE(Operator::shown(w.get(), QStringLiteral("Label17"))) << "the title is still shown as playing";
    card.plug(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->text() == NoticeLine::OutputBack; }, 3000));
    // On from where the silent clock carried the title.
    const std::int64_t at = engine.positionFrames(voice);
    EXPECT_GT(at, 512);
    expectHeardFrom(at);
    // Good news is told for a while, then the line is empty again.
    desk.clock.now += NoticeLine::kBackShownUs;
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->text().isEmpty(); }, 3000));
}

} // namespace
