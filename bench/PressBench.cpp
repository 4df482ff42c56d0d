// A button press on the main console through Command1_Click to the first sample of the title taken by the
// output callback (SDL's dummy driver, 256-frame periods): an MP3 started at 12.5 s, as in a match.
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/TestTitles.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>

namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1
                     : v[std::min(v.size() - 1,
                                  static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5))];
}

void BM_PressToFirstSample(benchmark::State& state) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    DeskFixture desk;
    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    EngineWaveOut waveOut(engine);
    desk.media.forward = &media;
    desk.waveOut.forward = &waveOut;
    desk.makeTeam(QStringLiteral("Damen"));
    const QString title =
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), "01Tor für uns.mp3");
    QFile::copy(TestTitles::get().mp344, title);
    auto w = desk.startMain();
    Ini_Write(desk.startOffsetFile(QStringLiteral("Damen")), title, QStringLiteral("Zeit_01"),
              QStringLiteral("12500"));
    std::vector<double> ms;
    unsigned seed = 7;
    for (auto _ : state) {
        const std::int64_t t0 = clock.nowUs();
        w->Command1_Click(61);
        const int voice = media.voiceOf(QStringLiteral("MyAlias"));
        while (engine.firstSampleUs(voice) < 0 && clock.nowUs() < t0 + 2000000)
            std::this_thread::yield();
        const double latency = static_cast<double>(engine.firstSampleUs(voice) - t0) / 1000.0;
        ms.push_back(latency);
        state.SetIterationTime(latency / 1000.0);
        seed = seed * 1103515245u + 12345u; // presses land at every phase of the device period
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + (seed >> 8) % 6000));
    }
    state.counters["median_ms"] = percentile(ms, 0.5);
    state.counters["p99_ms"] = percentile(ms, 0.99);
}
BENCHMARK(BM_PressToFirstSample)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
