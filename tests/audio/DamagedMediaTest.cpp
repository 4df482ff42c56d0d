// Damaged titles in every format the desk plays, through the engine's pull function: no crash, no hang, and
// whatever the decoders make of them, nothing beyond full scale reaches the output.
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <random>

namespace {

class DamagedMedia : public ::testing::Test, public PullEngine {
  protected:
    // A second of the test signal in each format, made once per test program: extension and bytes.
    static const std::vector<std::pair<QString, QByteArray>>& titles() {
        static QTemporaryDir dir;
        static std::vector<std::pair<QString, QByteArray>> made;
        const QString wav = dir.filePath(QStringLiteral("quelle.wav"));
        if (made.empty() && TestAudioFiles::writeWav(wav, 48000, 1.0)) {
            for (const auto& [ext, codec] : std::vector<std::pair<QString, QString>>{{"wav", "pcm_s16le"},
                                                                                     {"flac", "flac"},
                                                                                     {"mp3", "libmp3lame"},
                                                                                     {"ogg", "libvorbis"},
                                                                                     {"m4a", "aac"},
                                                                                     {"wma", "wmav2"}}) {
                QFile f(dir.filePath(QStringLiteral("kurz.") + ext));
                if (TestAudioFiles::encode(wav, f.fileName(), {"-c:a", codec}) && f.open(QIODevice::ReadOnly))
                    made.emplace_back(ext, f.readAll());
            }
        }
        return made;
    }
    QString made(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(TestAudioFiles::writeBytes(tmp.filePath(name), bytes));
        return tmp.filePath(name);
    }
    QTemporaryDir tmp;
};

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

TEST_F(DamagedMedia, NoMutantCrashesHangsOrGoesBeyondFullScale) {
    ASSERT_EQ(titles().size(), 6u);
    int played = 0, opened = 0;
    float peak = 0.0f;
    for (const auto& [ext, bytes] : titles()) {
        for (int i = 0; i < 100; ++i, ++played) {
            std::mt19937 rng(static_cast<unsigned>(played));
            const QString file = made(QStringLiteral("%1.%2").arg(i).arg(ext), mutant(bytes, rng));
            const std::int64_t began = clock.nowUs();
            AudioEngine::VoiceId id = -1;
            if (engine.open(file, id) != AudioError::None)
                continue;
            ++opened;
            // At most a minute of output: a damaged header may claim a longer title than there is.
            if (engine.playFrom(id, rng() % 3 ? 0 : rng() % 1500) == AudioError::None) {
                for (int n = 0; n < 700 && engine.state(id) == VoiceState::Playing; ++n) {
                    for (const float x : render(4096))
                        peak = std::isnan(x) ? INFINITY : std::max(peak, std::fabs(x));
                }
            }
            engine.close(id);
            ASSERT_LT(clock.nowUs() - began, 2000000) << "hangs: mutant " << i << " of " << ext.toStdString();
        }
    }
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(opened, played / 4) << "the mutants should mostly still be titles";
    std::cout << "[ mutants  ] " << played << " played, " << opened << " opened, largest sample " << peak
              << '\n';
}

// What a decoder may deliver against what is heard, at full level and at half: the level acts on the cut
// signal, so a fade or an announcement tames a damaged title as well.
TEST_F(DamagedMedia, BeyondFullScaleIsCutNanAndInfinityAreSilenceTheRestIsUntouched) {
    const std::vector<float> decoded = {NAN, INFINITY, -INFINITY, 12745.0f, -3.0f, 1.0f, -1.0f, 0.4999f};
    const std::vector<float> heard = {0.0f, 0.0f, 0.0f, 1.0f, -1.0f, 1.0f, -1.0f, 0.4999f};
    QByteArray wav; // 32-bit float WAV, 48000 Hz stereo: the pattern over and over for a quarter second
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
    const AudioEngine::VoiceId id = open(made(QStringLiteral("schaden.wav"), wav));
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    for (const float gain : {1.0f, 0.5f}) {
        engine.setGain(gain, gain);
        render(4096); // past the gain ramp, and on to the start of the pattern
        const std::vector<float> got = render(4);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], heard[i] * gain) << "sample " << i << " at gain " << gain;
    }
}

// A WMA whose header claims 1.8 * 10^15 ms: the length is believed, but no start that far is taken, and the
// arithmetic of a start never overflows.
TEST_F(DamagedMedia, AnAbsurdLengthIsRefusedAsAStartButPlaysWhatIsThere) {
    ASSERT_EQ(titles().size(), 6u);
    QByteArray wma = titles().back().second;
    const qsizetype at = wma.indexOf(QByteArray::fromHex("A1DCAB8C47A9CF118EE400C00C205365"));
    ASSERT_GT(at, 0); // the file properties object; its play and send durations in 100 ns follow
    for (int field = 0; field < 2; ++field)
        qToLittleEndian<quint64>(18000000000000000000ULL, wma.data() + at + 64 + 8 * field);
    const AudioEngine::VoiceId id = open(made(QStringLiteral("ewig.wma"), wma));
    ASSERT_GT(engine.durationMs(id), 1000000000000000LL);
    EXPECT_EQ(engine.playFrom(id, 1700000000000000LL), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 500), AudioError::None);
    for (int n = 0; n < 20 && engine.state(id) == VoiceState::Playing; ++n)
        render(4096);
    EXPECT_EQ(engine.state(id), VoiceState::Finished);
}

} // namespace
