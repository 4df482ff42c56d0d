#include "support/TestAudioFiles.h"

#include "support/TestSignal.h"

#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <cmath>
#include <cstring>

namespace {
// Runs ffmpeg (the one ctest names, else the system's) and gives its standard output; false on failure.
bool runFfmpeg(const QStringList& args, QByteArray* output = nullptr) {
    QProcess process;
    process.start(qEnvironmentVariable("KLANGWART_TEST_FFMPEG", QStringLiteral("/usr/bin/ffmpeg")),
                  QStringList{"-nostdin", "-v", "error"} + args);
    const bool ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (ok && output)
        *output = process.readAllStandardOutput();
    return ok;
}
} // namespace

QByteArray TestAudioFiles::wav(int rate, int channels, std::int64_t frames,
                               const std::function<double(std::int64_t, int)>& sample) {
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto dataBytes = static_cast<quint32>(frames * channels * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(channels) << quint32(rate) << quint32(rate * channels * 2)
        << quint16(channels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (std::int64_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            out << static_cast<qint16>(std::lround(sample(f, c) * 32767.0));
    return wav;
}

bool TestAudioFiles::writeWav(const QString& path, int rate, double seconds, int channels) {
    const auto frames = static_cast<std::int64_t>(std::llround(seconds * rate));
    const std::vector<float> signal = TestSignal::stereo(rate, 0, frames);
    // mono: the left channel
    return writeBytes(path, wav(rate, channels, frames, [&](std::int64_t f, int c) { return signal[2 * f + c]; }));
}

bool TestAudioFiles::encode(const QString& input, const QString& output, const QStringList& codecArgs,
                            const QString& inputFormat) {
    const QStringList format = inputFormat.isEmpty() ? QStringList() : QStringList{"-f", inputFormat};
    return runFfmpeg(QStringList{"-y"} + format + QStringList{"-i", input} + codecArgs + QStringList{output});
}

std::vector<float> TestAudioFiles::decode(const QString& path) {
    QByteArray raw;
    if (!runFfmpeg({"-i", path, "-f", "f32le", "-ac", "2", "-ar", "48000", "-"}, &raw))
        return {};
    std::vector<float> out(static_cast<std::size_t>(raw.size()) / sizeof(float));
    std::memcpy(out.data(), raw.constData(), out.size() * sizeof(float));
    return out;
}

bool TestAudioFiles::writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool TestAudioFiles::addCoverPicture(const QString& mp3, const QString& output) {
    const QString picture = output + QStringLiteral(".png");
    const bool ok =
        encode("testsrc2=size=800x800:rate=1", picture, {"-frames:v", "1"}, "lavfi") &&
        encode(mp3, output,
               {"-i", picture, "-map", "0:a", "-map", "1:v", "-c", "copy", "-id3v2_version", "3"});
    QFile::remove(picture);
    return ok;
}
