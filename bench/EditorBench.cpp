// Opening the start-time editor for the first time on a full board of 108 titles (aim: under 50 ms).
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "editor/Form2.h"
#include "support/DeskFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <benchmark/benchmark.h>
#include <map>

namespace {

void unloadEditors() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The editor's own load: building the window and Form_Load with its board load.
void BM_EditorFormLoad(benchmark::State& state) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
    auto main = desk.startMain(); // the main console has seeded every offset, as on the desk
    for (auto _ : state) {
        auto* editor = new Form2(desk.services, desk.about);
        const bool loaded = editor->Form_Load();
        benchmark::DoNotOptimize(loaded);
        state.PauseTiming();
        delete editor;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorFormLoad)->Unit(benchmark::kMillisecond);

// What the operator waits for after "&Startzeit setzen": load, show and the first frame painted.
void BM_EditorOpenFirstTime(benchmark::State& state) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
    auto main = desk.startMain();
    main->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        main->mnu_Set_Start_Click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        main->editor()->close();
        unloadEditors();
        desk.media.commands.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpenFirstTime)->Unit(benchmark::kMillisecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
