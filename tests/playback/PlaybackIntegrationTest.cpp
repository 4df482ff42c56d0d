// The main console driving the real media command stand-in and audio engine (pulled, no device): odd
// file names play and keep their own start offsets, and what the operator hears follows the presses.
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "console/BoardWidgets.h"
#include "widgets/ClickLabel.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"

#include <QFile>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int kRate = 48000;

class PlaybackIntegration : public ::testing::Test {
  protected:
    void SetUp() override {
        desk.media.forward = &interpreter;
        desk.waveOut.forward = &waveOut;
        desk.makeTeam(QStringLiteral("Damen"));
        for (const QString& name : names)
            ASSERT_TRUE(TestAudioFiles::writeWav(
                desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), name), kRate, 3.0));
    }

    std::vector<float> render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        for (int done = 0; done < frames; done += AudioEngine::kPeriodFrames)
            engine.render(out.data() + static_cast<std::size_t>(done) * 2,
                          std::min(AudioEngine::kPeriodFrames, frames - done));
        return out;
    }
    static double peak(const std::vector<float>& v) {
        double p = 0;
        for (float x : v)
            p = std::max(p, static_cast<double>(std::fabs(x)));
        return p;
    }
    int buttonOf(const QString& name) { return 61 + static_cast<int>(w->File[4].indexOf(name)); }
    QString offsetFile() { return desk.startOffsetFile(QStringLiteral("Damen")); }

    // In name order: quotes, a leading dash, blanks, an ampersand, umlauts, and two names that differ only in
    // characters Windows-1252 cannot hold.
    const QStringList names{QStringLiteral("--Minus vorn.wav"),  QStringLiteral("01Rock & Roll.wav"),
                            QStringLiteral("02Tor für uns.wav"), QStringLiteral("03Sag \"Hallo\".wav"),
                            QStringLiteral("04Tor 进球.wav"),    QStringLiteral("05Tor 得分.wav")};
    DeskFixture desk;
    AudioEngine engine{desk.clock, AudioEngine::Output::Pull};
    MediaCommandInterpreter interpreter{engine};
    EngineWaveOut waveOut{engine};
    std::unique_ptr<Form1> w;
};

} // namespace

TEST_F(PlaybackIntegration, OddNamesPlayAndKeepTheirOwnStartOffsets) {
    w = desk.startMain();
    w->show();
    ASSERT_EQ(w->File[4].size(), names.size());
    const QString a = desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), names[4]);
    const QString b = desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), names[5]);
    EXPECT_EQ(Ini_Read(offsetFile(), a, QStringLiteral("Zeit_01")), QStringLiteral("0"));
    Ini_Write(offsetFile(), a, QStringLiteral("Zeit_01"), QStringLiteral("1000"));
    Ini_Write(offsetFile(), b, QStringLiteral("Zeit_01"), QStringLiteral("2000"));
    EXPECT_EQ(Ini_Read(offsetFile(), a, QStringLiteral("Zeit_01")), QStringLiteral("1000"));
    EXPECT_EQ(Ini_Read(offsetFile(), b, QStringLiteral("Zeit_01")), QStringLiteral("2000"));

    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QTest::mouseClick(w->board->button(buttonOf(name)), Qt::LeftButton);
        EXPECT_TRUE(w->Label17->text().endsWith(QStringLiteral("** PLAY **")))
            << w->Label17->text().toStdString();
        const auto out = render(2048);
        EXPECT_GT(peak(out), 0.05);
    }
    // The second of the two look-alike names started at its own offset, two seconds in.
    const auto got = render(1024);
    const std::int64_t expectFrame = 2 * kRate + 2048;
    EXPECT_EQ(TestSignal::bestLag(TestSignal::stereo16(kRate, 0, 4 * kRate), expectFrame, got, 1024, 64), 0);
}

TEST_F(PlaybackIntegration, PausedTitleResumesWhereItWasAndStopSilences) {
    w = desk.startMain();
    w->show();
    QTest::mouseClick(w->board->button(buttonOf(names[1])), Qt::LeftButton);
    render(kRate / 2);
    QTest::mouseClick(w->transport->cmd5, Qt::LeftButton);
    EXPECT_EQ(peak(render(4096)), 0.0);
    QTest::mouseClick(w->transport->cmd6, Qt::LeftButton);
    const auto got = render(1024);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, kRate / 2, 1024), 0, got, 1024), 0.0);
    QTest::mouseClick(w->transport->cmd2, Qt::LeftButton);
    EXPECT_EQ(peak(render(4096)), 0.0);
    EXPECT_EQ(interpreter.voiceOf(QStringLiteral("MyAlias")), -1);
}

TEST_F(PlaybackIntegration, FilesThatCannotPlayAreToldAndTheDeskGoesOn) {
    TestAudioFiles::writeBytes(
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), "01Leer.mp3"), {});
    TestAudioFiles::writeBytes(
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), "02Text.mp3"),
        QByteArray("Dies ist keine Musik, sondern Text.\n").repeated(50));
    QFile::link(desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), names[1]),
                desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), "03Verweis.wav"));
    w = desk.startMain();
    w->show();
    for (int i : {0, 1}) {
        QTest::mouseClick(w->board->button(i), Qt::LeftButton);
        EXPECT_TRUE(w->Label17->text().endsWith(QStringLiteral("** FEHLER **")));
        EXPECT_EQ(peak(render(2048)), 0.0);
    }
    // A link to a title plays that title.
    QTest::mouseClick(w->board->button(2), Qt::LeftButton);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Verweis   ** PLAY **"));
    EXPECT_GT(peak(render(2048)), 0.05);
    // A title deleted after the board load is told, and the next press plays again.
    QFile::remove(desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), names[2]));
    QTest::mouseClick(w->board->button(buttonOf(names[2])), Qt::LeftButton);
    EXPECT_TRUE(w->Label17->text().endsWith(QStringLiteral("** FEHLER **")));
    QTest::mouseClick(w->board->button(buttonOf(names[3])), Qt::LeftButton);
    EXPECT_TRUE(w->Label17->text().endsWith(QStringLiteral("** PLAY **")));
    EXPECT_GT(peak(render(2048)), 0.05);
}
