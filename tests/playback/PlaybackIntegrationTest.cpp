// The main console driving the real media command stand-in and audio engine (pulled, no device): odd file
// names play and keep their own start offsets, and what the operator hears follows the presses.
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "support/Desk.h"
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"

#include <QFile>

namespace {

constexpr int kRate = 48000;

class PlaybackIntegration : public Desk {
  protected:
    void SetUp() override {
        fx.media.forward = &interpreter;
        fx.waveOut.forward = &waveOut;
        fx.makeTeam(QStringLiteral("Damen"));
        for (const QString& name : names)
            ASSERT_TRUE(TestAudioFiles::writeWav(path("Tormusik", name), kRate, 3.0));
    }
    static double peak(const std::vector<float>& v) {
        double p = 0;
        for (float x : v)
            p = std::max(p, static_cast<double>(std::fabs(x)));
        return p;
    }
    void pressTitle(int i) { press(61 + i); }

    // In name order: a leading dash, an ampersand, umlauts, quotes, and two names that differ only in
    // characters Windows-1252 cannot hold.
    const QStringList names{QStringLiteral("--Minus vorn.wav"),  QStringLiteral("01Rock & Roll.wav"),
                            QStringLiteral("02Tor für uns.wav"), QStringLiteral("03Sag \"Hallo\".wav"),
                            QStringLiteral("04Tor 进球.wav"),    QStringLiteral("05Tor 得分.wav")};
    PullEngine pull;
    MediaCommandInterpreter interpreter{pull.engine};
    EngineWaveOut waveOut{pull.engine};
};

TEST_F(PlaybackIntegration, OddNamesPlayAndKeepTheirOwnStartOffsets) {
    start();
    EXPECT_EQ(stored(path("Tormusik", names[4])), QStringLiteral("0"));
    store(path("Tormusik", names[4]), QStringLiteral("1000"));
    store(path("Tormusik", names[5]), QStringLiteral("2000"));
    EXPECT_EQ(stored(path("Tormusik", names[4])), QStringLiteral("1000"));
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        pressTitle(i);
        EXPECT_TRUE(status().endsWith(QStringLiteral("** PLAY **"))) << status().toStdString();
        EXPECT_GT(peak(pull.render(2048)), 0.05);
    }
    // The second of the two look-alike names started at its own offset, two seconds in.
    EXPECT_EQ(TestSignal::bestLag(TestSignal::stereo16(kRate, 0, 4 * kRate), 2 * kRate + 2048,
                                  pull.render(1024), 1024, 64),
              0);
}

TEST_F(PlaybackIntegration, PausedTitleResumesWhereItWasAndStopSilences) {
    start();
    pressTitle(1);
    pull.render(kRate / 2);
    click("cmd5");
    EXPECT_TRUE(PullEngine::silent(pull.render(4096)));
    click("cmd6");
    pull.expectSignalFrom(kRate / 2, 1024);
    click("cmd2_0");
    EXPECT_TRUE(PullEngine::silent(pull.render(4096)));
    EXPECT_EQ(interpreter.voiceOf(QStringLiteral("MyAlias")), -1);
}

TEST_F(PlaybackIntegration, FilesThatCannotPlayAreToldAndTheDeskGoesOn) {
    TestAudioFiles::writeBytes(path("7 Meter", "01Leer.mp3"), {});
    TestAudioFiles::writeBytes(path("7 Meter", "02Text.mp3"),
                               QByteArray("Keine Musik, nur Text.\n").repeated(50));
    QFile::link(path("Tormusik", names[1]), path("7 Meter", "03Verweis.wav"));
    start();
    for (int i : {0, 1}) {
        press(i);
        EXPECT_TRUE(status().endsWith(QStringLiteral("** FEHLER **")));
        EXPECT_TRUE(PullEngine::silent(pull.render(2048)));
    }
    // A link to a title plays that title.
    press(2);
    EXPECT_EQ(status(), QStringLiteral("Verweis   ** PLAY **"));
    EXPECT_GT(peak(pull.render(2048)), 0.05);
    // A title deleted after the board load is told, and the next press plays again.
    QFile::remove(path("Tormusik", names[2]));
    pressTitle(2);
    EXPECT_TRUE(status().endsWith(QStringLiteral("** FEHLER **")));
    pressTitle(3);
    EXPECT_TRUE(status().endsWith(QStringLiteral("** PLAY **")));
    EXPECT_GT(peak(pull.render(2048)), 0.05);
}

} // namespace
