// Press to sound deep inside long titles: from the press to the first sample of the title taken by the
// output callback (SDL's dummy driver, 256-frame periods), for every format at 0, 12.5 s, 3:00, 5:00 and
// 9:00, once through the media commands and once through a sound button of the main console right after a
// board load. Median and 99th percentile in milliseconds as counters; cmd_ms is the press itself (what
// the UI thread spends), the rest is the wait for the output's next period.
#include "BenchRig.h"
#include "LongTitles.h"
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "settings/IniAccess.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

using bench::firstSampleMs;
using bench::percentile;
using bench::unevenPause;

constexpr std::int64_t kOffsets[] = {0, 12500, 180000, 300000, 540000};

struct Figures {
    std::vector<double> press, cmd;
    void report(benchmark::State& state) const {
        state.counters["median_ms"] = percentile(press, 0.5);
        state.counters["p99_ms"] = percentile(press, 0.99);
        state.counters["max_ms"] = percentile(press, 1.0);
        state.counters["cmd_median_ms"] = percentile(cmd, 0.5);
        state.counters["cmd_p99_ms"] = percentile(cmd, 0.99);
        std::vector<double> wait; // from the command back to the first sample out: the period wait
        for (std::size_t i = 0; i < press.size(); ++i)
            wait.push_back(std::max(0.0, press[i] - cmd[i]));
        state.counters["wait_median_ms"] = percentile(wait, 0.5);
    }
};

// open + play from, as a press sends them, on an engine with the (dummy) device.
void BM_DeepPress(benchmark::State& state, int format) {
    const LongTitles& titles = LongTitles::get();
    if (!titles.ok) {
        state.SkipWithError("long titles could not be made");
        return;
    }
    const QString path = titles.all[static_cast<std::size_t>(format)].path;
    const QString from = QString::number(kOffsets[state.range(0)]);
    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    HeadPreparer preparer(engine.heads());
    preparer.checkBoard(&preparer, {{0, path, from}});
    preparer.waitUntilIdle(60000);
    Figures f;
    unsigned seed = 99;
    for (auto _ : state) {
        const std::int64_t t0 = clock.nowUs();
        if (media.send(QStringLiteral("open \"%1\" type MPEGVideo alias MyAlias").arg(path)) != 0 ||
            media.send(QStringLiteral("play MyAlias from ") + from) != 0) {
            state.SkipWithError("the title did not start");
            return;
        }
        f.cmd.push_back(static_cast<double>(clock.nowUs() - t0) / 1000.0);
        f.press.push_back(firstSampleMs(engine, clock, media.voiceOf(QStringLiteral("MyAlias")), t0));
        state.SetIterationTime(f.press.back() / 1000.0);
        media.send(QStringLiteral("stop MyAlias"));
        media.send(QStringLiteral("close MyAlias"));
        unevenPause(seed);
    }
    f.report(state);
}

// A sound button of the main console right after "CL Screen": the board holds the six long titles in
// "Tormusik", every one stored at the offset under test; each iteration reloads the board and presses the
// next title.
void BM_DeskFirstPress(benchmark::State& state) {
    const LongTitles& titles = LongTitles::get();
    if (!titles.ok) {
        state.SkipWithError("long titles could not be made");
        return;
    }
    bench::EngineDesk rig;
    DeskFixture& desk = rig.desk;
    HeadPreparer preparer(rig.engine.heads());
    desk.services.mediaStatus = &rig.media;
    desk.services.titleCheck = &preparer;
    desk.makeTeam(QStringLiteral("Damen"));
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    for (std::size_t i = 0; i < titles.all.size(); ++i) {
        const QString name =
            QStringLiteral("%1Lang.%2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(titles.all[i].format);
        const QString link = desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), name);
        if (::link(QFile::encodeName(titles.all[i].path).constData(), QFile::encodeName(link).constData()) !=
            0)
            QFile::copy(titles.all[i].path, link);
        Ini_Write(offsets, link, QStringLiteral("Zeit_01"), QString::number(kOffsets[state.range(0)]));
    }
    auto w = desk.startMain();
    preparer.waitUntilIdle(60000); // the first board load of the day
    Figures f;
    unsigned seed = 7;
    int next = 0;
    for (auto _ : state) {
        w->Command5_Click();
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the operator's hand moves
        const std::int64_t t0 = rig.clock.nowUs();
        w->Command1_Click(61 + next);
        f.cmd.push_back(static_cast<double>(rig.clock.nowUs() - t0) / 1000.0);
        f.press.push_back(rig.firstSampleMs(t0));
        state.SetIterationTime(f.press.back() / 1000.0);
        next = (next + 1) % static_cast<int>(titles.all.size());
        unevenPause(seed);
    }
    f.report(state);
}

// A full board of 108 long titles (the six formats in turn, stored at the five offsets in turn): from the
// board handed over to every head ready, the memory the heads take, and the same board handed over again
// ("CL Screen", nothing changed).
void BM_PrepareFullBoard(benchmark::State& state) {
    const LongTitles& titles = LongTitles::get();
    if (!titles.ok) {
        state.SkipWithError("long titles could not be made");
        return;
    }
    QTemporaryDir dir;
    std::vector<TitleCheck::Title> board;
    for (int i = 0; i < 108; ++i) {
        const LongTitles::Title& t = titles.all[static_cast<std::size_t>(i) % titles.all.size()];
        const QString link = dir.filePath(QStringLiteral("%1.%2").arg(i).arg(t.format));
        if (::link(QFile::encodeName(t.path).constData(), QFile::encodeName(link).constData()) != 0)
            QFile::copy(t.path, link);
        board.push_back({i, link, QString::number(kOffsets[i % 5])});
    }
    SteadyClock clock;
    double again = 0;
    for (auto _ : state) {
        AudioEngine engine(clock, AudioEngine::Output::Pull);
        HeadPreparer preparer(engine.heads());
        std::int64_t t0 = clock.nowUs();
        preparer.checkBoard(&board, board);
        preparer.waitUntilIdle(600000);
        state.SetIterationTime(static_cast<double>(clock.nowUs() - t0) / 1e6);
        state.counters["heads"] = static_cast<double>(engine.heads().count());
        state.counters["heads_MB"] = static_cast<double>(engine.heads().bytes()) / 1e6;
        t0 = clock.nowUs();
        preparer.checkBoard(&board, board);
        preparer.waitUntilIdle(600000);
        again = static_cast<double>(clock.nowUs() - t0) / 1000.0;
    }
    state.counters["again_ms"] = again;
}
BENCHMARK(BM_PrepareFullBoard)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

#define KW_DEEP(name, format)                                                                                \
    BENCHMARK_CAPTURE(BM_DeepPress, name, format)                                                            \
        ->DenseRange(0, 4)                                                                                   \
        ->UseManualTime()                                                                                    \
        ->Iterations(100)                                                                                    \
        ->Unit(benchmark::kMillisecond)
KW_DEEP(mp3, 0);
KW_DEEP(wav, 1);
KW_DEEP(flac, 2);
KW_DEEP(ogg, 3);
KW_DEEP(m4a, 4);
KW_DEEP(wma, 5);
BENCHMARK(BM_DeskFirstPress)
    ->DenseRange(0, 4)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
