// Start-up and board load of the main console on a full board of 108 titles.
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "library/Categories.h"
#include "support/DeskFixture.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// From nothing to the main window shown, offsets present.
void BM_StartToWindowShown(benchmark::State& state) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
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
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
    auto w = desk.startMain();
    for (auto _ : state)
        benchmark::DoNotOptimize(w->LoadBoard());
}
BENCHMARK(BM_LoadBoardOffsetsPresent)->Unit(benchmark::kMillisecond);

// The first board load of a new team: all 108 titles are seeded.
void BM_LoadBoardSeedingAll(benchmark::State& state) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
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

KLANGWART_QT_BENCHMARK_MAIN()
