// No file may hang or crash the engine: each one is refused at open, or plays to a clean end.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kPeriod = AudioEngine::kPeriodFrames;

class BadFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestTitles::get().ok);
        ASSERT_TRUE(tmp.isValid());
    }

    QString path(const QString& name) const { return tmp.path() + QLatin1Char('/') + name; }

    QByteArray bytesOf(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Renders until the voice finishes; false when it is still playing after maxSeconds of output.
    bool playsToTheEnd(AudioEngine::VoiceId id, double maxSeconds) {
        std::vector<float> buf(kPeriod * 2);
        const auto periods = static_cast<int>(maxSeconds * 48000 / kPeriod);
        for (int i = 0; i < periods && engine.state(id) == VoiceState::Playing; ++i) {
            engine.render(buf.data(), kPeriod);
        }
        return engine.state(id) == VoiceState::Finished;
    }

    // The file is refused at open, or it opens and a play from the start ends cleanly.
    void expectRefusedOrCleanEnd(const QString& file) {
        SCOPED_TRACE(file.toStdString());
        AudioEngine::VoiceId id = -1;
        const AudioError opened = engine.open(file, id);
        if (opened != AudioError::None) {
            EXPECT_TRUE(opened == AudioError::InvalidFile || opened == AudioError::FileNotFound);
            return;
        }
        EXPECT_EQ(engine.playFrom(id, 0), AudioError::None);
        EXPECT_TRUE(playsToTheEnd(id, 30.0));
        EXPECT_EQ(engine.close(id), AudioError::None);
    }

    QTemporaryDir tmp;
    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
};

TEST_F(BadFiles, MissingFileIsNotFound) {
    AudioEngine::VoiceId id = -1;
    EXPECT_EQ(engine.open(path(QStringLiteral("nichts.mp3")), id), AudioError::FileNotFound);
}

TEST_F(BadFiles, AFolderIsRefused) {
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("ordner.mp3")));
    AudioEngine::VoiceId id = -1;
    EXPECT_EQ(engine.open(path(QStringLiteral("ordner.mp3")), id), AudioError::InvalidFile);
}

TEST_F(BadFiles, ZeroBytesAreRefused) {
    ASSERT_TRUE(TestAudioFiles::writeBytes(path(QStringLiteral("leer.mp3")), QByteArray()));
    AudioEngine::VoiceId id = -1;
    EXPECT_EQ(engine.open(path(QStringLiteral("leer.mp3")), id), AudioError::InvalidFile);
}

TEST_F(BadFiles, AThousandBytesOfAnMp3) {
    const QByteArray head = bytesOf(TestTitles::get().mp348).left(1000);
    ASSERT_EQ(head.size(), 1000);
    ASSERT_TRUE(TestAudioFiles::writeBytes(path(QStringLiteral("kurz.mp3")), head));
    expectRefusedOrCleanEnd(path(QStringLiteral("kurz.mp3")));
}

TEST_F(BadFiles, TextRenamedToMp3) {
    QByteArray text;
    for (int i = 0; i < 200; ++i) {
        text += "Das ist kein Lied, sondern ein Einkaufszettel: Brot, Milch, Harz.\n";
    }
    ASSERT_TRUE(TestAudioFiles::writeBytes(path(QStringLiteral("text.mp3")), text));
    expectRefusedOrCleanEnd(path(QStringLiteral("text.mp3")));
}

TEST_F(BadFiles, RandomBytes) {
    QByteArray noise(65536, '\0');
    unsigned seed = 7;
    for (char& c : noise) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    ASSERT_TRUE(TestAudioFiles::writeBytes(path(QStringLiteral("rauschen.mp3")), noise));
    expectRefusedOrCleanEnd(path(QStringLiteral("rauschen.mp3")));
}

TEST_F(BadFiles, TruncatedMp3PlaysWhatIsThereAndEndsCleanlyPastTheRealEnd) {
    const QByteArray whole = bytesOf(TestTitles::get().mp348);
    const QString cut = path(QStringLiteral("halb.mp3"));
    ASSERT_TRUE(TestAudioFiles::writeBytes(cut, whole.left(whole.size() / 2)));
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(cut, id), AudioError::None);
    EXPECT_GT(engine.durationMs(id), 15000); // the header still tells the full length
    // Past the real end (about 10 s) but inside the told length: accepted, silent, finished.
    ASSERT_EQ(engine.playFrom(id, 15000), AudioError::None);
    EXPECT_TRUE(playsToTheEnd(id, 1.0));
    // Before the real end: the sound is in place, then the title ends cleanly.
    ASSERT_EQ(engine.playFrom(id, 5000), AudioError::None);
    std::vector<float> got(4096 * 2);
    engine.render(got.data(), 4096);
    const auto source = TestSignal::stereo(48000, 0, 6 * 48000);
    EXPECT_EQ(TestSignal::bestLag(source, 5 * 48000, got, 4096, 200), 0);
    EXPECT_TRUE(playsToTheEnd(id, 8.0));
    EXPECT_LT(engine.positionFrames(id), 11 * 48000);
}

TEST_F(BadFiles, TruncatedWavEndsCleanly) {
    const QByteArray whole = bytesOf(TestTitles::get().wav48);
    const QString cut = path(QStringLiteral("halb.wav"));
    ASSERT_TRUE(TestAudioFiles::writeBytes(cut, whole.left(whole.size() / 2 + 1))); // a torn sample, too
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(cut, id), AudioError::None);
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 10000.0, 1.0); // WAV tells its real length
    EXPECT_EQ(engine.playFrom(id, 15000), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 9900), AudioError::None);
    EXPECT_TRUE(playsToTheEnd(id, 1.0));
}

TEST_F(BadFiles, ATwoHourTitleOpensAndStartsNearItsEnd) {
    // Two hours of MP3 without a length header: one minute encoded, then laid end to end.
    const QString minuteWav = path(QStringLiteral("minute.wav"));
    const QString minute = path(QStringLiteral("minute.mp3"));
    ASSERT_TRUE(TestAudioFiles::writeWav(minuteWav, 8000, 60.0, 1));
    ASSERT_TRUE(
        TestAudioFiles::encode(minuteWav, minute,
                               {QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-b:a"),
                                QStringLiteral("8k"), QStringLiteral("-write_xing"), QStringLiteral("0"),
                                QStringLiteral("-id3v2_version"), QStringLiteral("0")}));
    const QByteArray one = bytesOf(minute);
    ASSERT_FALSE(one.isEmpty());
    QFile longFile(path(QStringLiteral("zwei Stunden.mp3")));
    ASSERT_TRUE(longFile.open(QIODevice::WriteOnly));
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(longFile.write(one), one.size());
    }
    longFile.close();

    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(longFile.fileName(), id), AudioError::None);
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 7200000.0, 36000.0);
    EXPECT_EQ(engine.playFrom(id, 7300000), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 7150000), AudioError::None);
    std::vector<float> got(4096 * 2);
    engine.render(got.data(), 4096);
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](float v) { return std::fabs(v) > 0.01f; }))
        << static_cast<int>(engine.state(id)) << " " << engine.bufferedFrames(id) << " " << got[4000];
    EXPECT_EQ(engine.positionFrames(id), 7150000LL * 48 + 4096);
    EXPECT_TRUE(playsToTheEnd(id, 120.0));
}

} // namespace
