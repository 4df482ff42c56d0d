// Press to sound: from the open/play commands to the first sample of the title handed to the output
// callback (SDL's dummy driver, 256-frame periods), per format and start offset. Reports the median
// and the 99th percentile in milliseconds as counters.
#include "BenchRig.h"
#include "audio/AudioEngine.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "support/TestAudioFiles.h"
#include "support/TestTitles.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using bench::firstSampleMs;
using bench::percentile;
using bench::unevenPause;

// CPU time of the calling thread: what the commands themselves cost, whatever the machine's load.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Latencies {
    std::vector<double> pressMs; // open + play from, as a button press sends them
    std::vector<double> playMs;  // play from alone, on a title already open
    std::vector<double> cpuMs;   // CPU time of open + play from on the calling thread
};

void measureOnce(benchmark::State& state, AudioEngine& engine, MediaCommandInterpreter& media,
                 SteadyClock& clock, const QString& path, const QString& from, Latencies& out,
                 unsigned& seed) {
    const QString open = QStringLiteral("open \"%1\" type MPEGVideo alias MyAlias").arg(path);
    const QString play = QStringLiteral("play MyAlias from ") + from;
    std::int64_t t0 = clock.nowUs();
    const double cpu0 = threadCpuMs();
    if (media.send(open) != 0 || media.send(play) != 0) {
        state.SkipWithError("the title did not start");
        return;
    }
    out.cpuMs.push_back(threadCpuMs() - cpu0);
    const double press = firstSampleMs(engine, clock, media.voiceOf(QStringLiteral("MyAlias")), t0);
    media.send(QStringLiteral("stop MyAlias"));
    unevenPause(seed);
    t0 = clock.nowUs();
    media.send(play);
    const double replay = firstSampleMs(engine, clock, media.voiceOf(QStringLiteral("MyAlias")), t0);
    media.send(QStringLiteral("stop MyAlias"));
    media.send(QStringLiteral("close MyAlias"));
    out.pressMs.push_back(press);
    out.playMs.push_back(replay);
    state.SetIterationTime(press / 1000.0);
}

// The 48 kHz MP3 again, with a cover picture in its tag as bought music has.
QString withCover() {
    static QString path;
    if (path.isEmpty()) {
        const QString tagged = TestTitles::get().dir + QStringLiteral("/mit Bild.mp3");
        if (TestAudioFiles::addCoverPicture(TestTitles::get().mp348, tagged)) {
            path = tagged;
        }
    }
    return path;
}

void BM_PressToSound(benchmark::State& state, QString TestTitles::*title, const char* from) {
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    const TestTitles& titles = TestTitles::get();
    if (!titles.ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    const QString path = title ? titles.*title : withCover();
    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    Latencies lat;
    unsigned seed = 12345;
    for (auto _ : state) {
        measureOnce(state, engine, media, clock, path, QString::fromLatin1(from), lat, seed);
        unevenPause(seed);
    }
    state.counters["press_median_ms"] = percentile(lat.pressMs, 0.5);
    state.counters["press_p99_ms"] = percentile(lat.pressMs, 0.99);
    state.counters["play_median_ms"] = percentile(lat.playMs, 0.5);
    state.counters["play_p99_ms"] = percentile(lat.playMs, 0.99);
    state.counters["cmd_cpu_median_ms"] = percentile(lat.cpuMs, 0.5);
    state.counters["device"] = engine.hasDevice() ? 1 : 0;
}

#define KW_LATENCY(name, member, from)                                                                       \
    BENCHMARK_CAPTURE(BM_PressToSound, name, &TestTitles::member, from)                                      \
        ->UseManualTime()                                                                                    \
        ->Iterations(200)                                                                                    \
        ->Unit(benchmark::kMillisecond)

KW_LATENCY(mp3_0, mp348, "0");
KW_LATENCY(mp3_12500, mp348, "12500");
KW_LATENCY(mp3_44k_12500, mp344, "12500");
BENCHMARK_CAPTURE(BM_PressToSound, mp3_cover_12500, nullptr, "12500")
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
KW_LATENCY(flac_0, flac48, "0");
KW_LATENCY(flac_12500, flac48, "12500");
KW_LATENCY(ogg_0, ogg48, "0");
KW_LATENCY(ogg_12500, ogg48, "12500");
KW_LATENCY(m4a_0, m4a48, "0");
KW_LATENCY(m4a_12500, m4a48, "12500");
KW_LATENCY(wav_0, wav48, "0");
KW_LATENCY(wav_12500, wav48, "12500");

// The commands' own work without any device: open, exact start with the first samples in the ring,
// close. Timed per iteration, so it is the CPU cost a press adds before the output takes over.
void BM_OpenAndStart(benchmark::State& state, QString TestTitles::*title, std::int64_t fromMs) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    const QString path = title ? TestTitles::get().*title : withCover();
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    for (auto _ : state) {
        AudioEngine::VoiceId id = -1;
        engine.open(path, id);
        engine.playFrom(id, fromMs);
        state.PauseTiming();
        engine.close(id);
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_OpenAndStart, mp3_12500, &TestTitles::mp348, 12500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenAndStart, mp3_cover_12500, nullptr, 12500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenAndStart, flac_12500, &TestTitles::flac48, 12500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenAndStart, ogg_12500, &TestTitles::ogg48, 12500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenAndStart, m4a_12500, &TestTitles::m4a48, 12500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenAndStart, wav_12500, &TestTitles::wav48, 12500)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
