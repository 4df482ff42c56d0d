#include "support/TestAudioFiles.h"

#include "support/TestSignal.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {
void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray wavHeader(int rate, int channels, quint32 dataBytes) {
    QByteArray h("RIFF");
    put32(h, 36 + dataBytes);
    h.append("WAVEfmt ");
    put32(h, 16);
    put16(h, 1); // PCM
    put16(h, static_cast<quint16>(channels));
    put32(h, static_cast<quint32>(rate));
    put32(h, static_cast<quint32>(rate * channels * 2));
    put16(h, static_cast<quint16>(channels * 2));
    put16(h, 16);
    h.append("data");
    put32(h, dataBytes);
    return h;
}
} // namespace

QString TestAudioFiles::ffmpeg() {
    const QString configured = qEnvironmentVariable("KLANGWART_TEST_FFMPEG");
    return configured.isEmpty() ? QStringLiteral("/usr/bin/ffmpeg") : configured;
}

bool TestAudioFiles::writeWav(const QString& path, int rate, double seconds, int channels) {
    const auto frames = static_cast<std::int64_t>(std::llround(seconds * rate));
    const std::vector<float> signal = TestSignal::stereo(rate, 0, frames);
    QByteArray data;
    data.reserve(static_cast<int>(frames * channels * 2));
    for (std::int64_t i = 0; i < frames; ++i) {
        for (int ch = 0; ch < channels; ++ch) {
            const double v = signal[static_cast<std::size_t>(2 * i + ch)];
            put16(data, static_cast<quint16>(static_cast<qint16>(std::lround(v * 32767.0))));
        }
    }
    return writeBytes(path, wavHeader(rate, channels, static_cast<quint32>(data.size())) + data);
}

bool TestAudioFiles::encode(const QString& input, const QString& output, const QStringList& codecArgs,
                            const QString& inputFormat) {
    QProcess process;
    QStringList args{QStringLiteral("-y"), QStringLiteral("-nostdin"), QStringLiteral("-v"),
                     QStringLiteral("error")};
    if (!inputFormat.isEmpty()) {
        args << QStringLiteral("-f") << inputFormat;
    }
    args << QStringLiteral("-i") << input << codecArgs << output;
    process.start(ffmpeg(), args);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

std::vector<float> TestAudioFiles::decode(const QString& path) {
    QProcess process;
    process.start(ffmpeg(), {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                             QStringLiteral("-i"), path, QStringLiteral("-f"), QStringLiteral("f32le"),
                             QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-ar"),
                             QStringLiteral("48000"), QStringLiteral("-")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        return {};
    }
    const QByteArray raw = process.readAllStandardOutput();
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
    const bool ok = encode(QStringLiteral("testsrc2=size=800x800:rate=1"), picture,
                           {QStringLiteral("-frames:v"), QStringLiteral("1")}, QStringLiteral("lavfi")) &&
                    encode(mp3, output,
                           {QStringLiteral("-i"), picture, QStringLiteral("-map"), QStringLiteral("0:a"),
                            QStringLiteral("-map"), QStringLiteral("1:v"), QStringLiteral("-c"),
                            QStringLiteral("copy"), QStringLiteral("-id3v2_version"), QStringLiteral("3")});
    QFile::remove(picture);
    return ok;
}
