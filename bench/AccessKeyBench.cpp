// What the operator feels at a match: an access key (Alt+W) to the press handler, and a press during a fade
// to the first sample of the new title taken by the output callback (SDL's dummy driver, 256-frame periods).
#include "BenchRig.h"
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "platform/QtTickSource.h"
#include "support/TestTitles.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

using bench::percentile;

void BM_AccessKeyToCommand1Click(benchmark::State& state) {
    DeskFixture fx;
    SteadyClock clock;
    fx.makeTeam(QStringLiteral("Damen"), {{QStringLiteral("Wischen"), {QStringLiteral("01Wischen.mp3")}}});
    auto form = fx.startMain();
    form->show();
    form->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(form.get()));
    std::int64_t reached = 0;
    // The press handler's first media command is the stop of whatever plays.
    fx.media.answer = [&](const QString& c) {
        if (!reached && c == QLatin1String("stop MyAlias"))
            reached = clock.nowUs();
        return 0;
    };
    std::vector<double> us;
    for (auto _ : state) {
        reached = 0;
        const std::int64_t t0 = clock.nowUs();
        QTest::keyClick(form.get(), Qt::Key_W, Qt::AltModifier);
        us.push_back(reached ? static_cast<double>(reached - t0) : 1e6);
        state.SetIterationTime(us.back() / 1e6);
        QApplication::processEvents(); // the pressed look ends later, between presses
    }
    state.counters["median_us"] = percentile(us, 0.5);
    state.counters["p99_us"] = percentile(us, 0.99);
}
BENCHMARK(BM_AccessKeyToCommand1Click)->UseManualTime()->Iterations(500)->Unit(benchmark::kMicrosecond);

void BM_PressDuringFadeToFirstSample(benchmark::State& state) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    bench::EngineDesk rig;
    DeskFixture& fx = rig.desk;
    SteadyClock& clock = rig.clock;
    QtTickSourceFactory ticks;
    Services services{fx.media, fx.waveOut, fx.dialogs, fx.launcher, clock, ticks, fx.services.programDir};
    fx.makeTeam(QStringLiteral("Damen"));
    fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("2"));
    for (const char* name : {"01Tor.mp3", "02Jubel.mp3"})
        QFile::copy(TestTitles::get().mp348,
                    fx.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), name));
    Form1 form(services, fx.about);
    form.Form_Load();
    form.show();
    std::vector<double> ms;
    unsigned seed = 11;
    for (auto _ : state) {
        form.Command1_Click(61);
        form.Command2_Click();
        seed = seed * 1103515245u + 12345u; // presses land at every phase of the fade and the device period
        const std::int64_t until = clock.nowUs() + 300000 + (seed >> 8) % 6000;
        while (clock.nowUs() < until)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
        const std::int64_t t0 = clock.nowUs();
        form.Command1_Click(62);
        ms.push_back(rig.firstSampleMs(t0));
        state.SetIterationTime(ms.back() / 1000.0);
    }
    state.counters["median_ms"] = percentile(ms, 0.5);
    state.counters["p99_ms"] = percentile(ms, 0.99);
    state.counters["level_after"] = form.level().value();
}
BENCHMARK(BM_PressDuringFadeToFirstSample)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
