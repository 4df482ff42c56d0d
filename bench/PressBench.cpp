// A button press on the main console through Command1_Click to the first sample of the title taken by the
// output callback (SDL's dummy driver, 256-frame periods): an MP3 started at 12.5 s, as in a match. No head is
// prepared here, so this is the cost of a title whose head is not ready yet; DeepStartBench times the desk with
// its heads.
#include "BenchRig.h"
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "settings/IniAccess.h"
#include "support/TestTitles.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

using bench::percentile;

void BM_PressToFirstSample(benchmark::State& state) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    bench::EngineDesk rig;
    DeskFixture& desk = rig.desk;
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
        const std::int64_t t0 = rig.clock.nowUs();
        w->Command1_Click(61);
        ms.push_back(rig.firstSampleMs(t0));
        state.SetIterationTime(ms.back() / 1000.0);
        bench::unevenPause(seed);
    }
    state.counters["median_ms"] = percentile(ms, 0.5);
    state.counters["p99_ms"] = percentile(ms, 0.99);
}
BENCHMARK(BM_PressToFirstSample)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
