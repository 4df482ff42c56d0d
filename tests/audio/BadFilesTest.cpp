// No file may hang or crash the engine: each one is refused at open, or plays to a clean end.
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class BadFiles : public ::testing::Test, public PullEngine {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok && tmp.isValid()); }

    QString path(const QString& name) const { return tmp.path() + '/' + name; }
    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A file of the given bytes in the test folder.
    QString made(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(TestAudioFiles::writeBytes(path(name), bytes));
        return path(name);
    }
    // Renders until the voice finishes; false when it is still playing after maxSeconds of output.
    bool playsToTheEnd(AudioEngine::VoiceId id, double maxSeconds) {
        for (int i = 0; i < maxSeconds * 48000 / 4096 && engine.state(id) == VoiceState::Playing; ++i) {
            render(4096);
        }
        return engine.state(id) == VoiceState::Finished;
    }

    QTemporaryDir tmp;
};

TEST_F(BadFiles, NothingPlayableIsRefusedOrEndsCleanly) {
    ASSERT_TRUE(QDir(tmp.path()).mkdir("ordner.mp3"));
    AudioEngine::VoiceId id = -1;
    EXPECT_EQ(engine.open(path("nichts.mp3"), id), AudioError::FileNotFound);
    EXPECT_EQ(engine.open(path("ordner.mp3"), id), AudioError::InvalidFile);
    EXPECT_EQ(engine.open(made("leer.mp3", {}), id), AudioError::InvalidFile);
    for (const QString& file :
         {made("kurz.mp3", bytesOf(TestTitles::get().mp348).left(1000)),
          made("text.mp3", QByteArray("Kein Lied: Brot, Milch, Harz.\n").repeated(400)),
          made("tags.mp3", QByteArray("ID3\x03\0\0\0\0\0\0", 10).repeated(10))}) { // a chain of empty tags
        SCOPED_TRACE(file.toStdString());
        const AudioError opened = engine.open(file, id);
        if (opened != AudioError::None) {
            EXPECT_EQ(opened, AudioError::InvalidFile);
            continue;
        }
        EXPECT_EQ(engine.playFrom(id, 0), AudioError::None);
        EXPECT_TRUE(playsToTheEnd(id, 30.0));
        EXPECT_EQ(engine.close(id), AudioError::None);
    }
}

TEST_F(BadFiles, TruncatedTitlesPlayWhatIsThereAndEndCleanly) {
    const QByteArray mp3 = bytesOf(TestTitles::get().mp348);
    AudioEngine::VoiceId id = open(made("halb.mp3", mp3.left(mp3.size() / 2)));
    EXPECT_GT(engine.durationMs(id), 15000); // the header still tells the full length
    // Past the real end (about 10 s) but inside the told length: accepted, silent, finished.
    ASSERT_EQ(engine.playFrom(id, 15000), AudioError::None);
    EXPECT_TRUE(playsToTheEnd(id, 1.0));
    // Before the real end: the sound is in place, then the title ends cleanly.
    ASSERT_EQ(engine.playFrom(id, 5000), AudioError::None);
    EXPECT_EQ(
        TestSignal::bestLag(TestSignal::stereo(48000, 0, 6 * 48000), 5 * 48000, render(4096), 4096, 200), 0);
    EXPECT_TRUE(playsToTheEnd(id, 8.0));
    EXPECT_LT(engine.positionFrames(id), 11 * 48000);
    // A WAV tells its real length; the torn last sample is no harm.
    const QByteArray wav = bytesOf(TestTitles::get().wav48);
    id = open(made("halb.wav", wav.left(wav.size() / 2 + 1)));
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 10000.0, 1.0);
    EXPECT_EQ(engine.playFrom(id, 15000), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 9900), AudioError::None);
    EXPECT_TRUE(playsToTheEnd(id, 1.0));
}

TEST_F(BadFiles, ATwoHourTitleOpensAndStartsNearItsEnd) {
    // Two hours of MP3 without a length header: one minute encoded, then laid end to end.
    ASSERT_TRUE(TestAudioFiles::writeWav(path("minute.wav"), 8000, 60.0, 1));
    ASSERT_TRUE(TestAudioFiles::encode(
        path("minute.wav"), path("minute.mp3"),
        {"-c:a", "libmp3lame", "-b:a", "8k", "-write_xing", "0", "-id3v2_version", "0"}));
    const AudioEngine::VoiceId id = open(made("zwei Stunden.mp3", bytesOf(path("minute.mp3")).repeated(120)));
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 7200000.0, 36000.0);
    EXPECT_EQ(engine.playFrom(id, 7300000), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 7150000), AudioError::None);
    const auto got = render(4096);
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](float v) { return std::fabs(v) > 0.01f; }));
    EXPECT_EQ(engine.positionFrames(id), 7150000LL * 48 + 4096);
    EXPECT_TRUE(playsToTheEnd(id, 120.0));
}

} // namespace
