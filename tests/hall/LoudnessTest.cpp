// Loudness matching: the EBU reference tone measures as it should, and with matching switched on for the team
// two titles 20 dB apart play within a decibel of each other, measured once and kept in Lautheit.ini.
#include "audio/LoudnessMatcher.h"
#include "audio/LoudnessMeter.h"
#include "console/NoticeLine.h"
#include "support/Desk.h"
#include "support/EngineRig.h"
#include "support/TestAudioFiles.h"

#include <QMenu>

namespace {

// A 1 kHz sine in both channels at the given peak level, 16-bit stereo at 48 kHz.
QByteArray sineWav(double dbfs, double seconds) {
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    return TestAudioFiles::wav(48000, 2, static_cast<std::int64_t>(seconds * 48000),
                               [&](std::int64_t i, int) { return amplitude * std::sin(2.0 * M_PI * 1000 * double(i) / 48000); });
}

double rmsDb(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return 10.0 * std::log10(sum / double(to - from));
}

class Loudness : public Desk {
  protected:
    void SetUp() override {
        fx.services.loudness = &matcher;
        start({{"7 Meter", {"01Laut.wav", "02Leise.wav"}}});
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Laut.wav"), sineWav(-6, 5));
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("02Leise.wav"), sineWav(-26, 5));
    }
    // The level heard over half a second of the button's title.
    double heard(int button) {
        press(button);
        const std::size_t from = rig.left.size();
        rig.render(24000);
        return rmsDb(rig.left, from + 4800, rig.left.size());
    }
    void waitMeasured() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return matcher.idle(); }, 20000));
        QCoreApplication::processEvents(); // the gains take effect on the UI thread
    }

    EngineRig rig{fx};
    LoudnessMatcher matcher{rig.engine, fx.dir()};
};

TEST(LoudnessMeter, TheReferenceToneReadsMinus23Lufs) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ref.wav"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sineWav(-23, 20));
    f.close();
    const auto r = LoudnessMeter::measure(file, 0);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->lufs, -23.0, 0.1);
    EXPECT_NEAR(r->truePeakDb, -23.0, 0.1);
    // Boosts stop at +12 dB and at -1 dBTP; a cut is never deepened for the peak a title has.
    EXPECT_DOUBLE_EQ(LoudnessMeter::gainDb({-40, -30}, -16), 12.0);
    EXPECT_DOUBLE_EQ(LoudnessMeter::gainDb({-20, -2}, -16), 1.0);
    EXPECT_DOUBLE_EQ(LoudnessMeter::gainDb({-10, 0.5}, -16), -6.0);
    EXPECT_DOUBLE_EQ(LoudnessMeter::gainDb({-70, -90}, -16), 0.0);
}

TEST_F(Loudness, MatchedTitlesTwentyDecibelsApartPlayWithinOneOfEachOther) {
    const double loudOff = heard(0);
    const double quietOff = heard(1);
    EXPECT_NEAR(loudOff - quietOff, 20.0, 0.2) << "off: each title as it is";
    EXPECT_FALSE(QFile::exists(matcher.cacheFile())) << "off: nothing measured";

    Operator::menu(main.get(), QStringLiteral("mnuLautheit"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Lautheit"), QStringLiteral("Damen")), QStringLiteral("1"));
    waitMeasured();
    const double loud = heard(0);
    const double quiet = heard(1);
    EXPECT_NEAR(loud, quiet, 1.0);
    EXPECT_NEAR(loud, loudOff - 10.0, 0.5) << "to the target of -16 LUFS";

    // The editor tells the loudness and the gain; a restarted desk measures nothing again.
    ASSERT_TRUE(openEditor());
    press(1, editor);
    EXPECT_EQ(editor->notice().notices().filter(QStringLiteral("Lautheit: ")).value(0),
              QStringLiteral("Lautheit: −26,0 LUFS, Spitze −26,0 dBTP; gespielt mit +10,0 dB."));
    const QByteArray cache = [&] {
        QFile f(matcher.cacheFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_EQ(cache.count("7 Meter/0"), 2);
    LoudnessMatcher again(rig.engine, fx.dir());
    again.setBoard({{path("7 Meter", QStringLiteral("01Laut.wav")), 0}}, true, -16);
    EXPECT_TRUE(again.idle());
}

} // namespace
