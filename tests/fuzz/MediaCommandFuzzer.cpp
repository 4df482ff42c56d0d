// libFuzzer target: any text as media command strings, one per line, carried out by the desk's interpreter on
// an engine without a device; "render N" lines pull output in between. Besides crashes and undefined
// behaviour it checks that no sample beyond full scale leaves the engine. The commands may name the short
// titles the target lays out at start: /tmp/klangwart-fuzz/a.wav, b.mp3 and "c d.wav", a second of a 440 Hz
// tone at 44100 Hz (so the resampler is part of it).
#include "audio/AudioEngine.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QString dir = QStringLiteral("/tmp/klangwart-fuzz");
    QDir().mkpath(dir);
    for (const char* name : {"a.wav", "c d.wav", "b.mp3"}) {
        if (!QFile::exists(dir + '/' + name))
            QProcess::execute(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-f", "lavfi", "-i",
                                                         "sine=frequency=440:sample_rate=44100:duration=1",
                                                         "-ac", "2", dir + '/' + name});
    }
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
    for (const QString& line : lines.mid(0, 64)) {
        if (!line.startsWith(QLatin1String("render "))) {
            media.send(line);
            continue;
        }
        const int frames = std::clamp(line.mid(7).toInt(), 0, 48000);
        out.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
        engine.render(out.data(), frames);
        if (!std::all_of(out.begin(), out.end(), [](float x) { return std::fabs(x) <= 1.0f; }))
            std::abort();
    }
    return 0;
}
