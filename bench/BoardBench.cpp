// Start-up and board load of the main console on a full board of 108 titles.
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "library/Categories.h"
#include "support/DeskFixture.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

void fillFullBoard(DeskFixture& desk) {
    std::map<QString, QStringList> files;
    for (const Category& c : Categories::all()) {
        const int n = c.firstEntryOnly() ? 1 : c.limit;
        for (int i = 1; i <= n; ++i)
            files[QString::fromUtf8(c.folder)] << QStringLiteral("%1Titel Nummer %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(i);
    }
    desk.makeTeam(QStringLiteral("Damen"), files);
}

// From nothing to the main window shown, offsets present.
void BM_StartToWindowShown(benchmark::State& state) {
    DeskFixture desk;
    fillFullBoard(desk);
    desk.startMain(); // seeds the offsets once
    for (auto _ : state) {
        Form1 w(desk.services, desk.about);
        w.Form_Load();
        w.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.isVisible());
    }
}
BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond);

// The board load alone ("CL Screen"), every offset already stored.
void BM_LoadBoardOffsetsPresent(benchmark::State& state) {
    DeskFixture desk;
    fillFullBoard(desk);
    auto w = desk.startMain();
    for (auto _ : state)
        benchmark::DoNotOptimize(w->LoadBoard());
}
BENCHMARK(BM_LoadBoardOffsetsPresent)->Unit(benchmark::kMillisecond);

// The first board load of a new team: all 108 titles are seeded.
void BM_LoadBoardSeedingAll(benchmark::State& state) {
    DeskFixture desk;
    fillFullBoard(desk);
    auto w = desk.startMain();
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(offsets);
        state.ResumeTiming();
        benchmark::DoNotOptimize(w->LoadBoard());
    }
}
BENCHMARK(BM_LoadBoardSeedingAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    FontSubstitutes::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
