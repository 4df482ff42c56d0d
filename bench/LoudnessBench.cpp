// Loudness matching of a full board: 108 long titles (the six formats of LongTitles, 18 names each) measured
// from scratch by the background thread: the wall time and the process's CPU time until all are measured, and
// the press-to-first-sample latency of the main console while that runs, beside the same presses with matching
// off (SDL's dummy driver).
#include "BenchRig.h"
#include "LongTitles.h"
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "audio/LoudnessMatcher.h"
#include "settings/IniAccess.h"
#include "support/Operator.h"
#include "support/TestTitles.h"

#include <QFile>
#include <QThread>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using bench::percentile;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A full board of links to the long titles, and the 44.1 kHz MP3 the presses start, as PressBench does.
QString fillBoard(DeskFixture& desk) {
    desk.makeTeam(QStringLiteral("Damen"));
    int n = 0;
    for (const auto& [category, names] : DeskFixture::fullBoard())
        for (const QString& name : names) {
            const auto& source = LongTitles::get().all[static_cast<std::size_t>(n++) % 6];
            QFile::link(source.path, desk.titlePath(QStringLiteral("Damen"), category,
                                                    QFileInfo(name).completeBaseName() + QLatin1Char('.') +
                                                        QString::fromLatin1(source.format)));
        }
    const QString title = desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), "00Tor für uns.mp3");
    QFile::copy(TestTitles::get().mp344, title);
    return title;
}

void pressAndMeasure(benchmark::State& state, bool matching) {
    if (!TestTitles::get().ok || !LongTitles::get().ok) {
        state.SkipWithError("titles could not be made");
        return;
    }
    bench::EngineDesk rig;
    DeskFixture& desk = rig.desk;
    fillBoard(desk);
    LoudnessMatcher matcher(rig.engine, desk.dir());
    desk.services.loudness = &matcher;
    auto w = desk.startMain();
    const double cpu0 = cpuSeconds();
    const std::int64_t wall0 = rig.clock.nowUs();
    if (matching)
        Operator::menu(w.get(), QStringLiteral("mnuLautheit"));
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
    state.counters["measuring_during_presses"] = matching && !matcher.idle();
    if (matching) {
        while (!matcher.idle())
            QThread::msleep(20);
        state.counters["board_wall_s"] = double(rig.clock.nowUs() - wall0) / 1e6;
        state.counters["board_cpu_s"] = cpuSeconds() - cpu0;
    }
}

void BM_PressMatchingOff(benchmark::State& state) {
    pressAndMeasure(state, false);
}
void BM_PressWhileBoardIsMeasured(benchmark::State& state) {
    pressAndMeasure(state, true);
}
BENCHMARK(BM_PressMatchingOff)->UseManualTime()->Iterations(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressWhileBoardIsMeasured)->UseManualTime()->Iterations(150)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
