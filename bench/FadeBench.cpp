// How long the fade and the announcement ramps really take on the machine's clock and Qt's timers, against
// their nominal times, with the event loop running; and how smooth a fade is at the output (largest gain step
// between two successive samples).
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "platform/QtTickSource.h"
#include "platform/SteadyClock.h"
#include "support/DeskFixture.h"
#include "support/EngineRig.h"
#include "support/Operator.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <functional>

namespace {

const QString Damen = QStringLiteral("Damen");

// A desk on a fixture's program directory, paced by the machine's monotonic clock and real timers.
struct RealTimeDesk {
    RealTimeDesk(const QString& zeit, const QString& vol)
        : services{fx.media, fx.waveOut, fx.dialogs, fx.launcher, clock, ticks, fx.services.programDir} {
        fx.makeTeam(Damen, {{QStringLiteral("7 Meter"), {QStringLiteral("01Anwurf.mp3")}}});
        fx.writeTeamSettings(Damen, QStringLiteral("12632256"), zeit, vol);
        form = std::make_unique<Form1>(services, fx.about);
        form->Form_Load();
        form->show();
        QApplication::processEvents();
    }
    // Runs the click, then the event loop until done holds: the seconds that took.
    double secondsUntil(const std::function<void()>& click, const std::function<bool()>& done) {
        const std::int64_t t0 = clock.nowUs();
        click();
        while (!done() && clock.nowUs() < t0 + 10000000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return static_cast<double>(clock.nowUs() - t0) / 1e6;
    }
    bool shown(const char* name) const { return Operator::shown(form.get(), QString::fromLatin1(name)); }
    bool enabled(const char* name) const {
        return Operator::find(form.get(), QString::fromLatin1(name))->isEnabled();
    }

    DeskFixture fx;
    SteadyClock clock;
    QtTickSourceFactory ticks;
    Services services;
    std::unique_ptr<Form1> form;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void report(benchmark::State& state, const char* name, const std::vector<double>& runs, double nominal) {
    const double m = median(runs);
    double worst = 0;
    for (double r : runs)
        worst = std::max(worst, std::abs(r - nominal) / nominal);
    state.counters[std::string(name) + "_median_s"] = m;
    state.counters[std::string(name) + "_error_pct"] = 100.0 * (m - nominal) / nominal;
    state.counters[std::string(name) + "_worst_pct"] = 100.0 * worst;
}

void BM_FadeDuration(benchmark::State& state) {
    const auto seconds = static_cast<int>(state.range(0));
    RealTimeDesk desk(QString::number(seconds), QStringLiteral("25"));
    std::vector<double> runs;
    for (auto _ : state) {
        desk.form->Command1_Click(0);
        const double took =
            desk.secondsUntil([&] { desk.form->Command2_Click(); }, [&] { return !desk.shown("cmd2_0"); });
        state.SetIterationTime(took);
        runs.push_back(took);
    }
    report(state, "fade", runs, seconds);
}
BENCHMARK(BM_FadeDuration)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_DuckAndRestore(benchmark::State& state) {
    const auto percent = static_cast<int>(state.range(0));
    RealTimeDesk desk(QStringLiteral("2"), QString::number(percent));
    const int rest = percent * 100;
    const double duckNominal = ((10000 - rest) / 10 + 1) * 0.0012;
    const double restoreNominal = ((10000 - rest) / 15 + 1) * 0.0012;
    std::vector<double> ducks;
    std::vector<double> restores;
    const auto ansage = [&] { desk.form->cmdAnsage_Click(); };
    const auto ended = [&] { return desk.enabled("cmdAnsage"); };
    for (auto _ : state) {
        desk.form->Command1_Click(0);
        ducks.push_back(desk.secondsUntil(ansage, ended));
        restores.push_back(desk.secondsUntil(ansage, ended));
        state.SetIterationTime(ducks.back() + restores.back());
    }
    report(state, "duck", ducks, duckNominal);
    report(state, "restore", restores, restoreNominal);
}
BENCHMARK(BM_DuckAndRestore)->Arg(5)->Arg(30)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// The fade as heard: the engine's pull function renders exactly the frames of the time that passes.
void BM_FadeLargestGainStep(benchmark::State& state) {
    const auto seconds = static_cast<int>(state.range(0));
    double largest = 0;
    for (auto _ : state) {
        DeskFixture fx;
        EngineRig rig(fx);
        fx.makeTeam(Damen);
        fx.addFile(Damen, QStringLiteral("7 Meter"), QStringLiteral("01Probe.wav"),
                   EngineRig::probeWav(seconds + 1.0));
        fx.writeTeamSettings(Damen, QStringLiteral("12632256"), QString::number(seconds),
                             QStringLiteral("25"));
        auto form = fx.startMain();
        form->Command1_Click(0);
        rig.render(480);
        const std::size_t from = rig.left.size();
        rig.followClock();
        form->Command2_Click();
        fx.ticks.advance(seconds * 1000000 - 2000); // up to the last pass, before the stop
        fx.clock.onAdvance = nullptr;
        for (std::size_t i = from + 1; i < rig.left.size(); ++i)
            largest = std::max(largest, std::abs(rig.gainAt(i) - rig.gainAt(i - 1)));
    }
    state.counters["largest_step"] = largest;
    state.counters["one_pass_step"] = (seconds == 1 ? 12 : seconds == 2 ? 8 : 4) * 6.5535 / 65535.0;
}
BENCHMARK(BM_FadeLargestGainStep)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
