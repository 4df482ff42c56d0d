// libFuzzer target: any text as media command strings, one per line, carried out by the desk's interpreter on
// an engine without a device; "render N" lines pull output in between. Besides crashes and undefined
// behaviour it checks that no sample beyond full scale leaves the engine. The commands may name the short
// titles the target lays out at start: /tmp/klangwart-fuzz/a.wav, b.mp3 and "c d.wav".
#include "audio/AudioEngine.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A short title: a second of a 440 Hz tone, 16-bit stereo at 44100 Hz (so the resampler is part of it).
QByteArray toneWav() {
    constexpr int rate = 44100;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = rate * 4;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << quint32(rate) << quint32(rate * 4) << quint16(4)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (int i = 0; i < rate; ++i) {
        const auto v = static_cast<qint16>(12000 * std::sin(6.283185307179586 * 440.0 * i / rate));
        out << v << v;
    }
    return wav;
}

void layOutTitles() {
    const QString dir = QStringLiteral("/tmp/klangwart-fuzz");
    QDir().mkpath(dir);
    for (const char* name : {"a.wav", "c d.wav"}) {
        QFile f(dir + QLatin1Char('/') + QString::fromLatin1(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(toneWav());
    }
    if (!QFile::exists(dir + QStringLiteral("/b.mp3")))
        QProcess::execute(QStringLiteral("ffmpeg"),
                          {"-nostdin", "-v", "error", "-y", "-i", dir + "/a.wav", dir + "/b.mp3"});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    layOutTitles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    MediaCommandInterpreter media(engine);
    std::vector<float> out;
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < 64; ++i) {
        const QString& line = lines[i];
        if (!line.startsWith(QLatin1String("render "))) {
            media.send(line);
            continue;
        }
        const int frames = std::clamp(line.mid(7).toInt(), 0, 48000);
        out.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
        engine.render(out.data(), frames);
        for (const float x : out) {
            if (!(std::fabs(x) <= 1.0f))
                std::abort();
        }
    }
    return 0;
}
