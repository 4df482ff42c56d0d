// No file may hang or crash the engine: each one is refused at open, or plays to a clean end; and whatever
// the decoders make of a damaged title, nothing beyond full scale reaches the output, at the level of each
// channel.
#include "audio/EngineWaveOut.h"
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"
#include "support/TestTitles.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <random>

namespace {

class BadFiles : public ::testing::Test, public PullEngine {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok && tmp.isValid()); }

    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A file of the given bytes in the test folder.
    QString made(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(TestAudioFiles::writeBytes(tmp.filePath(name), bytes));
        return tmp.filePath(name);
    }
    // The first second of a test title, in its format.
    QByteArray firstSecond(const QString& title) {
        const QString file = tmp.filePath("erste Sekunde." + QFileInfo(title).suffix());
        EXPECT_TRUE(TestAudioFiles::encode(title, file, {"-t", "1", "-c", "copy"}));
        return bytesOf(file);
    }
    // Renders until the voice finishes; false when it is still playing after maxSeconds of output. The
    // largest sample heard goes to peak, NaN as infinite.
    bool playsToTheEnd(AudioEngine::VoiceId id, double maxSeconds, float* peak = nullptr) {
        for (int i = 0; i < maxSeconds * 48000 / 4096 && engine.state(id) == VoiceState::Playing; ++i) {
            for (const float x : render(4096))
                if (peak)
                    *peak = std::isnan(x) ? INFINITY : std::max(*peak, std::fabs(x));
        }
        return engine.state(id) == VoiceState::Finished;
    }

    QTemporaryDir tmp;
};

TEST_F(BadFiles, ATwoHourTitleOpensAndStartsNearItsEnd) {
    // Two hours of MP3 without a length header: one minute encoded, then laid end to end.
    ASSERT_TRUE(TestAudioFiles::encode(
        "sine=frequency=440:sample_rate=8000:duration=60", tmp.filePath("minute.mp3"),
        {"-c:a", "libmp3lame", "-b:a", "8k", "-write_xing", "0", "-id3v2_version", "0"}, "lavfi"));
    const AudioEngine::VoiceId id =
        open(made("zwei Stunden.mp3", bytesOf(tmp.filePath("minute.mp3")).repeated(120)));
    EXPECT_EQ(engine.durationMs(id), -1); // FFmpeg only guesses it from the bit rate
    EXPECT_EQ(engine.playFrom(id, 7300000), AudioError::OutOfRange); // the start itself finds the end
    ASSERT_EQ(engine.playFrom(id, 7150000), AudioError::None);
    const auto got = render(4096);
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](float v) { return std::fabs(v) > 0.01f; }));
    EXPECT_EQ(engine.positionFrames(id), 7150000LL * 48 + 4096);
    EXPECT_TRUE(playsToTheEnd(id, 120.0));
}

// Bits flipped, runs of noise (often in the headers), size and length fields at their extremes, chunks cut
// out or doubled, the end cut off; each random draw in a statement of its own, so every build makes the same.
QByteArray mutant(QByteArray bytes, std::mt19937& rng) {
    const auto at = [&](qsizetype limit) {
        return static_cast<qsizetype>(rng() % std::max<qsizetype>(1, limit));
    };
    for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0 && !bytes.isEmpty(); --edits) {
        const qsizetype size = bytes.size();
        const unsigned kind = rng() % 6;
        const qsizetype p = at(kind == 1 || kind == 2 ? std::min<qsizetype>(size, 512) : size);
        const qsizetype n = 1 + at(kind == 1 ? 64 : 4096);
        for (qsizetype i = 0; kind < 3 && i < (kind == 0 ? 32 : kind == 1 ? n : 4) && p + i < size; ++i)
            bytes[p + i] = kind == 0   ? static_cast<char>(bytes[p + i] ^ (1 << (rng() % 8)))
                           : kind == 1 ? static_cast<char>(rng())
                                       : (i == 0 ? '\x7F' : '\xFF');
        if (kind == 3)
            bytes.remove(p, n);
        else if (kind == 4)
            bytes.insert(p, bytes.mid(p, n));
        else if (kind == 5)
            bytes.truncate(p);
    }
    return bytes;
}

// Each file is refused at open as no title, or plays to its end: an empty one, one cut short, text, a chain
// of empty tags, and mutants of every format (among them titles cut short and started past their real end).
TEST_F(BadFiles, NoBadFileCrashesHangsOrGoesBeyondFullScale) {
    const TestTitles& t = TestTitles::get();
    std::vector<std::pair<QString, std::int64_t>> files = {
        {made("leer.mp3", {}), 0},
        {made("abgerissen.mp3", bytesOf(t.mp348).left(1000)), 0},
        {made("text.mp3", QByteArray("Kein Lied: Brot, Milch, Harz.\n").repeated(400)), 0},
        {made("tags.mp3", QByteArray("ID3\x03\0\0\0\0\0\0", 10).repeated(10)), 0}}; // a chain of empty tags
    for (const QString& title : {t.wav48, t.flac48, t.mp348, t.ogg48, t.m4a48, t.wma48}) {
        const QByteArray bytes = firstSecond(title);
        ASSERT_FALSE(bytes.isEmpty()) << title.toStdString();
        for (int i = 0; i < 100; ++i) {
            std::mt19937 rng(static_cast<unsigned>(files.size()));
            const QByteArray damaged = mutant(bytes, rng);
            const std::int64_t ms = rng() % 3 ? 0 : rng() % 1500;
            files.emplace_back(made(QStringLiteral("%1.%2").arg(i).arg(QFileInfo(title).suffix()), damaged),
                               ms);
        }
    }
    std::size_t opened = 0;
    float peak = 0.0f;
    for (const auto& [file, ms] : files) {
        SCOPED_TRACE(file.toStdString());
        const std::int64_t began = clock.nowUs();
        AudioEngine::VoiceId id = -1;
        const AudioError error = engine.open(file, id);
        if (error != AudioError::None) {
            EXPECT_EQ(error, AudioError::InvalidFile);
            continue;
        }
        ++opened;
        // At most a minute of output: a damaged header may claim a longer title than there is.
        if (engine.playFrom(id, ms) == AudioError::None) {
            EXPECT_TRUE(playsToTheEnd(id, 60.0, &peak));
        }
        engine.close(id);
        ASSERT_LT(clock.nowUs() - began, 2000000) << "hangs";
    }
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(opened, files.size() / 4) << "the mutants should mostly still be titles";
}

// What a decoder may deliver against what is heard, at the packed level of each channel (left in the low
// word, right in the high word): the level acts on the cut signal, so a fade or an announcement tames a
// damaged title as well.
TEST_F(BadFiles, BeyondFullScaleIsCutNanAndInfinityAreSilenceEachChannelAtItsLevel) {
    const std::vector<float> decoded = {NAN, INFINITY, -INFINITY, 12745.0f, -3.0f, 1.0f, -1.0f, 0.4999f};
    const std::vector<float> cut = {0.0f, 0.0f, 0.0f, 1.0f, -1.0f, 1.0f, -1.0f, 0.4999f};
    QByteArray wav; // 32-bit float WAV, 48000 Hz stereo: the pattern over and over for a second
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out.writeRawData("RIFF\0\0\0\0WAVEfmt ", 16);
    out << quint32(16) << quint16(3) << quint16(2) << quint32(48000) << quint32(384000) << quint16(8)
        << quint16(32);
    out.writeRawData("data", 4);
    out << quint32(12000 * 4 * decoded.size());
    for (int i = 0; i < 12000; ++i)
        for (const float x : decoded)
            out << x;
    EngineWaveOut waveOut(engine);
    play(made("schaden.wav", wav), 0);
    for (const std::uint32_t packed : {0xFFFFFFFFu, 0x40008000u, 0u, 0x0000FFFFu}) {
        waveOut.setVolume(packed);
        const float gain[2] = {(packed & 0xFFFF) / 65535.0f, (packed >> 16) / 65535.0f};
        render(4096); // past the gain ramp, and on to the start of the pattern
        const std::vector<float> got = render(4);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], cut[i] * gain[i % 2]) << "sample " << i << " at level " << std::hex << packed;
    }
}

// A WMA whose header claims 1.8 * 10^15 ms: the length is believed, but no start that far is taken, and the
// arithmetic of a start never overflows.
TEST_F(BadFiles, AnAbsurdLengthIsRefusedAsAStartButPlaysWhatIsThere) {
    QByteArray wma = firstSecond(TestTitles::get().wma48);
    const qsizetype at = wma.indexOf(QByteArray::fromHex("A1DCAB8C47A9CF118EE400C00C205365"));
    ASSERT_GT(at, 0); // the file properties object; its play and send durations in 100 ns follow
    for (int field = 0; field < 2; ++field)
        qToLittleEndian<quint64>(18000000000000000000ULL, wma.data() + at + 64 + 8 * field);
    const AudioEngine::VoiceId id = open(made(QStringLiteral("ewig.wma"), wma));
    ASSERT_GT(engine.durationMs(id), 1000000000000000LL);
    EXPECT_EQ(engine.playFrom(id, 1700000000000000LL), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 500), AudioError::None);
    EXPECT_TRUE(playsToTheEnd(id, 2.0));
}

} // namespace
