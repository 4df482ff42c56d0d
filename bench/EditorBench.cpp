// Opening the start-time editor for the first time on a full board of 108 titles (aim: under 50 ms).
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

QStringList numbered(int n) {
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("%1Titel %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(i);
    return names;
}

// Every run full: 15 + 8 + 5 + 8 + 65 + 5 titles and the two single ones, 108 in all.
std::map<QString, QStringList> fullBoard() {
    return {{QStringLiteral("7 Meter"), numbered(15)},
            {QStringLiteral("Torwart"), numbered(8)},
            {QStringLiteral("Team Timeout"), numbered(5)},
            {QStringLiteral("Auszeit"), numbered(8)},
            {QStringLiteral("Tormusik"), numbered(65)},
            {QStringLiteral("2 Minuten"), numbered(5)},
            {QStringLiteral("Einlaufen"), {QStringLiteral("01Einzug.mp3")}},
            {QStringLiteral("Wischen"), {QStringLiteral("01Wischen.mp3")}}};
}

void unloadEditors() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The editor's own load: building the window and Form_Load with its board load.
void BM_EditorFormLoad(benchmark::State& state) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), fullBoard());
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
    desk.makeTeam(QStringLiteral("Damen"), fullBoard());
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    FontSubstitutes::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
