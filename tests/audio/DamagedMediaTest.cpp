// Damaged titles in every format the desk plays, played through the engine's pull function: no crash, no
// hang, and whatever the decoders make of them, nothing beyond full scale reaches the output.
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr int kMutantsPerFormat = 100;

// A short title in each format, made once per test program.
struct Originals {
    QTemporaryDir dir;
    std::vector<std::pair<QString, QByteArray>> files; // extension, bytes
    Originals() {
        const QString wav = dir.filePath(QStringLiteral("quelle.wav"));
        if (!TestAudioFiles::writeWav(wav, 48000, 1.0))
            return;
        const std::vector<std::pair<QString, QStringList>> formats = {
            {"wav", {"-c:a", "pcm_s16le"}},           {"flac", {"-c:a", "flac"}},
            {"mp3", {"-c:a", "libmp3lame"}},          {"ogg", {"-c:a", "libvorbis"}},
            {"m4a", {"-c:a", "aac", "-b:a", "128k"}}, {"wma", {"-c:a", "wmav2", "-b:a", "128k"}}};
        for (const auto& [ext, args] : formats) {
            const QString out = dir.filePath(QStringLiteral("kurz.") + ext);
            QFile f(out);
            if (TestAudioFiles::encode(wav, out, args) && f.open(QIODevice::ReadOnly))
                files.emplace_back(ext, f.readAll());
        }
    }
};

// One deterministic mutant: bits flipped, runs overwritten (often in the headers), extreme size and length
// fields, chunks cut out or doubled, the end cut off.
QByteArray mutant(QByteArray bytes, std::mt19937& rng) {
    const auto at = [&](qsizetype limit) {
        return static_cast<qsizetype>(rng() % std::max<qsizetype>(1, limit));
    };
    for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0 && !bytes.isEmpty(); --edits) {
        const qsizetype size = bytes.size();
        switch (rng() % 6) {
        case 0:
            for (int n = 1 + static_cast<int>(rng() % 32); n > 0; --n) {
                const qsizetype p = at(size);
                bytes[p] = static_cast<char>(bytes[p] ^ (1 << (rng() % 8)));
            }
            break;
        case 1: // a run of noise, in the first 512 bytes half of the time
            for (qsizetype p = rng() % 2 ? at(std::min<qsizetype>(size, 512)) : at(size), n = 1 + at(64);
                 n > 0 && p < size; --n, ++p)
                bytes[p] = static_cast<char>(rng());
            break;
        case 2: { // a size, length or rate field at its most extreme
            const char extreme[4] = {'\x7F', '\xFF', '\xFF', '\xFF'};
            const qsizetype p = at(std::min<qsizetype>(size, 256));
            for (int i = 0; i < 4 && p + i < size; ++i)
                bytes[p + i] = rng() % 2 ? extreme[i] : extreme[3 - i];
            break;
        }
        case 3: {
            const qsizetype p = at(size);
            bytes.remove(p, at(4096));
            break;
        }
        case 4: {
            const qsizetype p = at(size);
            bytes.insert(p, bytes.mid(p, at(4096)));
            break;
        }
        default:
            bytes.truncate(at(size));
        }
    }
    return bytes;
}

// A 32-bit float WAV, 48000 Hz stereo, of the given samples (interleaved).
QByteArray floatWav(const std::vector<float>& samples) {
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    const auto dataBytes = static_cast<quint32>(samples.size() * 4);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(3) << quint16(2) << quint32(48000) << quint32(48000 * 8) << quint16(8)
        << quint16(32);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (const float x : samples)
        out << x;
    return wav;
}

class DamagedMedia : public ::testing::Test, public PullEngine {
  protected:
    QTemporaryDir tmp;
};

// A WMA whose header claims 1.8 * 10^15 ms (57,000 years): the length is believed, but no start position
// that far is taken, and the arithmetic of the start never overflows.
TEST_F(DamagedMedia, AnAbsurdLengthIsRefusedAsAStartButPlaysWhatIsThere) {
    static const Originals originals;
    ASSERT_EQ(originals.files.size(), 6u);
    QByteArray wma = originals.files.back().second;
    // The file properties object: its play and send durations, in 100 ns.
    const QByteArray fileProperties = QByteArray::fromHex("A1DCAB8C47A9CF118EE400C00C205365");
    const qsizetype at = wma.indexOf(fileProperties);
    ASSERT_GT(at, 0);
    for (int field = 0; field < 2; ++field)
        qToLittleEndian<quint64>(18000000000000000000ULL, wma.data() + at + 24 + 16 + 24 + 8 * field);
    const QString file = tmp.filePath(QStringLiteral("ewig.wma"));
    ASSERT_TRUE(TestAudioFiles::writeBytes(file, wma));
    const AudioEngine::VoiceId id = open(file);
    ASSERT_GT(engine.durationMs(id), 1000000000000000LL);
    EXPECT_EQ(engine.playFrom(id, 1700000000000000LL), AudioError::OutOfRange);
    EXPECT_EQ(engine.playFrom(id, AudioEngine::kMaxPositionMs + 1), AudioError::OutOfRange);
    ASSERT_EQ(engine.playFrom(id, 500), AudioError::None);
    for (int n = 0; n < 20 && engine.state(id) == VoiceState::Playing; ++n)
        render(4096);
    EXPECT_EQ(engine.state(id), VoiceState::Finished);
}

// What a decoder may deliver against what is heard, at full level and at half (the level acts on the cut
// signal, so a fade or an announcement tames a damaged title too).
TEST_F(DamagedMedia, BeyondFullScaleIsCutNanAndInfinityAreSilenceTheRestIsUntouched) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> decoded = {std::nanf(""), inf, -inf, 12745.0f, -3.0f, 1.0f, -1.0f, 0.4999f};
    const std::vector<float> heard = {0.0f, 0.0f, 0.0f, 1.0f, -1.0f, 1.0f, -1.0f, 0.4999f};
    std::vector<float> title;
    for (int i = 0; i < 48000 / 4; ++i)
        title.insert(title.end(), decoded.begin(), decoded.end());
    const QString file = tmp.filePath(QStringLiteral("schaden.wav"));
    ASSERT_TRUE(TestAudioFiles::writeBytes(file, floatWav(title)));
    const AudioEngine::VoiceId id = open(file);
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    for (const float gain : {1.0f, 0.5f}) {
        engine.setGain(gain, gain);
        render(4096); // past the gain ramp
        const std::vector<float> got = render(4);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], heard[i] * gain) << "sample " << i << " at gain " << gain;
    }
}

TEST_F(DamagedMedia, NoMutantCrashesHangsOrGoesBeyondFullScale) {
    static const Originals originals;
    ASSERT_EQ(originals.files.size(), 6u);
    int played = 0;
    int opened = 0;
    float peak = 0.0f;
    for (std::size_t format = 0; format < originals.files.size(); ++format) {
        const auto& [ext, bytes] = originals.files[format];
        for (int i = 0; i < kMutantsPerFormat; ++i) {
            std::mt19937 rng(static_cast<unsigned>(format * 100003 + i));
            const QString file = tmp.filePath(QStringLiteral("%1.%2").arg(i).arg(ext));
            ASSERT_TRUE(TestAudioFiles::writeBytes(file, mutant(bytes, rng)));
            SCOPED_TRACE(QStringLiteral("mutant %1 of %2").arg(i).arg(ext).toStdString());
            const std::int64_t began = clock.nowUs();
            ++played;
            AudioEngine::VoiceId id = -1;
            if (engine.open(file, id) != AudioError::None)
                continue;
            ++opened;
            const std::int64_t from = rng() % 3 == 0 ? static_cast<std::int64_t>(rng() % 1500) : 0;
            if (engine.playFrom(id, from) == AudioError::None) {
                // At most a minute of output: a damaged header may claim a longer title than there is.
                for (int n = 0; n < 700 && engine.state(id) == VoiceState::Playing; ++n) {
                    for (const float x : render(4096)) {
                        ASSERT_FALSE(std::isnan(x));
                        peak = std::max(peak, std::fabs(x));
                    }
                    ASSERT_LT(clock.nowUs() - began, 2000000) << "hangs";
                }
            }
            ASSERT_EQ(engine.close(id), AudioError::None);
            ASSERT_LT(clock.nowUs() - began, 2000000) << "hangs";
            QFile::remove(file);
        }
    }
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(opened, played / 4) << "the mutants should mostly still be titles";
    std::cout << "[ mutants  ] " << played << " played, " << opened << " opened, largest sample " << peak
              << std::endl;
}

} // namespace
