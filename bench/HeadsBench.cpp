// Title heads on a busy machine and across team switches. Under load: four processes spin on the two cores
// while a full board of 108 long titles (six formats, five offsets up to 9:00) is prepared; measured are the
// time until every head is ready and the output callbacks that came more than two periods after the one before,
// in the first 1.9 s, with the preparation running and without. Team switches: three teams with full boards,
// 200 switches round the three, each until the heads are settled; the CPU time of 40 switches and the
// resident memory after 20, 100 and 200 switches.
#include "LongTitles.h"
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "audio/SdlOutput.h"
#include "library/Categories.h"
#include "platform/SteadyClock.h"
#include "support/DeskFixture.h"
#include "support/TestTitles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <csignal>
#include <thread>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The SDL device with every callback's moment kept, to count the late ones. Device thread: a store per call.
class TimedOutput : public OutputBackend {
  public:
    static constexpr int kMax = 4096;
    bool open(Render render, void* context) override {
        render_ = render;
        context_ = context;
        return sdl_.open(&TimedOutput::timed, this);
    }
    void start() override { sdl_.start(); }
    bool lost() override { return sdl_.lost(); }
    void close() override { sdl_.close(); }
    long renderThread() const override { return sdl_.renderThread(); }
    // Callbacks later than twice the period after the one before, from index `from` on.
    int lateSince(int from) const {
        const int n = std::min(count_.load(), kMax);
        int late = 0;
        for (int i = std::max(from, 1); i < n; ++i)
            late += at_[i] - at_[i - 1] > 2 * OutputFormat::PeriodFrames * 1000000LL / OutputFormat::SampleRate;
        return late;
    }
    int count() const { return std::min(count_.load(), kMax); }

  private:
    static void timed(void* self, float* out, int frames) {
        auto* t = static_cast<TimedOutput*>(self);
        const int i = t->count_.load(std::memory_order_relaxed);
        if (i < kMax)
            t->at_[i] = t->clock_.nowUs();
        t->count_.store(i + 1, std::memory_order_release);
        t->render_(t->context_, out, frames);
    }
    SdlOutput sdl_;
    SteadyClock clock_;
    Render render_ = nullptr;
    void* context_ = nullptr;
    std::int64_t at_[kMax] = {};
    std::atomic<int> count_{0};
};

// Processes that spin until they are killed.
struct Busy {
    explicit Busy(int n) {
        for (int i = 0; i < n; ++i)
            if (const pid_t pid = fork(); pid == 0)
                for (;;) {
                }
            else
                pids.push_back(pid);
    }
    ~Busy() {
        for (pid_t p : pids) {
            kill(p, SIGKILL);
            waitpid(p, nullptr, 0);
        }
    }
    std::vector<pid_t> pids;
};

void BM_HeadsUnderLoad(benchmark::State& state) {
    const LongTitles& titles = LongTitles::get();
    if (!titles.ok) {
        state.SkipWithError("long titles could not be made");
        return;
    }
    const bool prepare = state.range(0) != 0;
    QTemporaryDir dir;
    std::vector<TitleCheck::Title> board;
    const std::int64_t offsets[] = {0, 12500, 180000, 300000, 540000};
    for (int i = 0; i < 108; ++i) {
        const LongTitles::Title& t = titles.all[static_cast<std::size_t>(i) % titles.all.size()];
        const QString link = dir.filePath(QStringLiteral("%1.%2").arg(i).arg(t.format));
        if (::link(QFile::encodeName(t.path).constData(), QFile::encodeName(link).constData()) != 0)
            QFile::copy(t.path, link);
        board.push_back({i, link, QString::number(offsets[i % 5])});
    }
    SteadyClock clock;
    for (auto _ : state) {
        auto device = std::make_unique<TimedOutput>();
        TimedOutput& output = *device;
        AudioEngine engine(clock, std::move(device));
        HeadPreparer preparer(engine.heads());
        QThread::msleep(700); // the device runs, and its thread is made real-time where that is granted
        const Busy busy(4);
        const int from = output.count();
        const std::int64_t t0 = clock.nowUs();
        std::int64_t readyUs = 0;
        std::thread ready;
        if (prepare) {
            preparer.checkBoard(&board, board);
            ready = std::thread([&] {
                preparer.waitUntilIdle(600000);
                readyUs = clock.nowUs() - t0;
            });
        }
        QThread::msleep(1900);
        state.counters["late_first_1.9s"] = output.lateSince(from);
        state.counters["callbacks_first_1.9s"] = output.count() - from;
        if (prepare) {
            ready.join();
            state.counters["heads_ready_s"] = static_cast<double>(readyUs) / 1e6;
            state.counters["heads"] = static_cast<double>(engine.heads().count());
        }
        state.counters["realtime"] = engine.realtimeOutput();
        state.SetIterationTime(static_cast<double>(clock.nowUs() - t0) / 1e6);
    }
}
BENCHMARK(BM_HeadsUnderLoad)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double residentMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void BM_TeamSwitches(benchmark::State& state) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    MediaCommandInterpreter media(engine);
    HeadPreparer preparer(engine.heads());
    DeskFixture desk;
    desk.services.titleCheck = &preparer;
    desk.services.mediaStatus = &media;
    const char* teams[] = {"Damen", "Männer", "Jugend"};
    for (const char* team : teams) {
        const QString t = QString::fromUtf8(team);
        desk.makeTeam(t);
        for (const auto& [category, names] : DeskFixture::fullBoard())
            for (const QString& name : names) {
                const QString link = desk.titlePath(t, category, QString(name).replace(".mp3", ".wav"));
                if (::link(QFile::encodeName(TestTitles::get().wav48).constData(),
                           QFile::encodeName(link).constData()) != 0)
                    QFile::copy(TestTitles::get().wav48, link);
            }
    }
    auto w = desk.startMain();
    preparer.waitUntilIdle(600000);
    void (Form1::*menus[])() = {&Form1::mnu_Männer_Click, &Form1::mnu_Jugend_Click, &Form1::mnu_Damen_Click};
    for (auto _ : state) {
        double cpuAt20 = 0, cpu40 = 0;
        for (int i = 1; i <= 200; ++i) {
            const double before = cpuSeconds();
            (w.get()->*menus[i % 3])();
            preparer.waitUntilIdle(600000);
            if (i > 20 && i <= 60)
                cpu40 += cpuSeconds() - before;
            if (i == 20)
                cpuAt20 = residentMB();
            if (i == 100)
                state.counters["rss_MB_100"] = residentMB();
        }
        state.counters["cpu_s_per_40"] = cpu40;
        state.counters["rss_MB_20"] = cpuAt20;
        state.counters["rss_MB_200"] = residentMB();
        state.counters["heads_MB"] = static_cast<double>(engine.heads().bytes()) / 1e6;
    }
}
BENCHMARK(BM_TeamSwitches)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
