// What is heard of what a decoder delivers: nothing beyond full scale, NaN and infinities as silence, the
// rest untouched, at the packed level of each channel (left in the low word, right in the high word). The
// level acts on the cut signal, so that a fade or an announcement tames a damaged title as well.
#include "audio/EngineWaveOut.h"

#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"

#include <QDataStream>
#include <QTemporaryDir>
#include <cmath>

TEST(EngineWaveOut, EachChannelIsHeardAtItsLevelCutToFullScale) {
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
    QTemporaryDir dir;
    ASSERT_TRUE(TestAudioFiles::writeBytes(dir.filePath("schaden.wav"), wav));
    PullEngine pull;
    EngineWaveOut waveOut(pull.engine);
    pull.play(dir.filePath("schaden.wav"), 0);
    for (const std::uint32_t packed : {0xFFFFFFFFu, 0x40008000u, 0u, 0x0000FFFFu}) {
        EXPECT_EQ(waveOut.setVolume(packed), 0);
        const float gain[2] = {(packed & 0xFFFF) / 65535.0f, (packed >> 16) / 65535.0f};
        pull.render(4096); // past the gain ramp, and on to the start of the pattern
        const std::vector<float> got = pull.render(4);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], cut[i] * gain[i % 2]) << "sample " << i << " at level " << std::hex << packed;
    }
}
