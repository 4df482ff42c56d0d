// What playing costs the machine: CPU share of one core while a title plays through SDL's dummy
// driver, and the resident memory while a 10-minute MP3 plays. Both are counters of one run.
#include "audio/AudioEngine.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "support/TestAudioFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>
#include <thread>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// VmRSS or VmHWM from /proc/self/status, in MiB.
double statusMiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1.0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(static_cast<int>(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return -1.0;
}

const QString& tenMinuteMp3(QTemporaryDir& dir) {
    static QString path;
    if (path.isEmpty()) {
        const QString wav = dir.path() + QStringLiteral("/zehn.wav");
        const QString mp3 = dir.path() + QStringLiteral("/zehn Minuten.mp3");
        if (TestAudioFiles::writeWav(wav, 44100, 600.0) &&
            TestAudioFiles::encode(wav, mp3,
                                   {QStringLiteral("-c:a"), QStringLiteral("libmp3lame"),
                                    QStringLiteral("-b:a"), QStringLiteral("192k")})) {
            path = mp3;
        }
        QFile::remove(wav);
    }
    return path;
}

void BM_PlayingLoad(benchmark::State& state) {
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    static QTemporaryDir dir;
    const QString& title = tenMinuteMp3(dir);
    if (title.isEmpty()) {
        state.SkipWithError("the 10-minute title could not be made");
        return;
    }
    const double rssBefore = statusMiB("VmRSS:");
    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    double cpu = 0.0;
    double wall = 0.0;
    double rssPlaying = 0.0;
    for (auto _ : state) {
        media.send(QStringLiteral("open \"") + title + QStringLiteral("\" type MPEGVideo alias MyAlias"));
        media.send(QStringLiteral("play MyAlias from 300000"));
        std::this_thread::sleep_for(std::chrono::milliseconds(500)); // the ring fills up
        const double cpu0 = cpuSeconds();
        const std::int64_t t0 = clock.nowUs();
        std::this_thread::sleep_for(std::chrono::seconds(5));
        cpu += cpuSeconds() - cpu0;
        wall += static_cast<double>(clock.nowUs() - t0) / 1e6;
        rssPlaying = statusMiB("VmRSS:");
        media.send(QStringLiteral("stop MyAlias"));
        media.send(QStringLiteral("close MyAlias"));
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["rss_playing_MiB"] = rssPlaying;
    state.counters["rss_engine_MiB"] = rssPlaying - rssBefore;
    state.counters["device"] = engine.hasDevice() ? 1 : 0;
}
BENCHMARK(BM_PlayingLoad)->Iterations(2)->Unit(benchmark::kSecond);

// The same while nothing plays: what an idle desk costs.
void BM_IdleLoad(benchmark::State& state) {
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    SteadyClock clock;
    AudioEngine engine(clock);
    double cpu = 0.0;
    double wall = 0.0;
    for (auto _ : state) {
        const double cpu0 = cpuSeconds();
        const std::int64_t t0 = clock.nowUs();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        cpu += cpuSeconds() - cpu0;
        wall += static_cast<double>(clock.nowUs() - t0) / 1e6;
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleLoad)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
