// Scale of the settings files: a board load of the main console (108 titles) with a settings file of 1 MB
// and with 10,000 stale sections in the start-offset file, and the offset read a press makes on such a
// file (the file unchanged between presses, as in a match).
#include "QtBenchMain.h"
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "audio/HeadPreparer.h"
#include "platform/Cp1252.h"
#include "platform/SteadyClock.h"
#include "settings/IniAccess.h"
#include "settings/StartOffsetStore.h"
#include "support/DeskFixture.h"

#include <QFile>
#include <benchmark/benchmark.h>

// The desk's title check behind the board loads, where the code has one.
#ifndef KLANGWART_BENCH_TITLE_CHECK
#define KLANGWART_BENCH_TITLE_CHECK(desk)                                                                    \
    SteadyClock clock;                                                                                       \
    AudioEngine engine(clock, AudioEngine::Output::Pull);                                                    \
    HeadPreparer preparer(engine.heads());                                                                   \
    (desk).services.titleCheck = &preparer
#endif

namespace {

void prepend(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QByteArray old;
    if (f.open(QIODevice::ReadOnly))
        old = f.readAll();
    f.close();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes + old) != bytes.size() + old.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

// About 1 MB of sections other programs and old versions left in the settings file, in front of the
// desk's own.
QByteArray foreignSettings() {
    QByteArray bytes;
    for (int i = 0; bytes.size() < 1024 * 1024; ++i)
        bytes += "[Fremd_" + QByteArray::number(i) + "]\r\nSchluessel=Ein alter Wert Nummer " +
                 QByteArray::number(i) + "\r\nNoch_einer=" + QByteArray(20, 'x') + "\r\n";
    return bytes;
}

// 10,000 sections of titles from a program directory that has moved away since.
QByteArray staleOffsets() {
    QByteArray bytes;
    for (int i = 0; i < 10000; ++i)
        bytes +=
            '[' +
            Cp1252::encode(
                QStringLiteral("/alt/Klangwart/Damen/Tormusik/%1 Alter Titel für die Halle.mp3").arg(i)) +
            "]\r\nZeit_01=" + QByteArray::number(i * 10) + "\r\n";
    return bytes;
}

enum class Large { None, Settings, Offsets };

enum class Change { None, Desk, Hand };

// "CL Screen" on a full board. Desk: the large file was just written by the desk before each load (a team
// chosen, an offset saved); Hand: by another program, so that nothing kept from an earlier read can be used.
void BM_LoadBoard(benchmark::State& state, Large large, Change change) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
    desk.startMain(); // seeds the offsets
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    if (large == Large::Settings)
        prepend(desk.iniFile(), foreignSettings());
    if (large == Large::Offsets)
        prepend(offsets, staleOffsets());
    KLANGWART_BENCH_TITLE_CHECK(desk);
    auto w = desk.startMain();
    int i = 0;
    for (auto _ : state) {
        if (change == Change::Hand) {
            state.PauseTiming();
            const QString file = large == Large::Offsets ? offsets : desk.iniFile();
            QFile f(file);
            f.open(QIODevice::Append);
            f.write("; " + QByteArray::number(++i) + "\r\n");
            f.close();
            state.ResumeTiming();
        } else if (change == Change::Desk) {
            state.PauseTiming();
            if (large == Large::Offsets)
                Ini_Write(offsets,
                          QStringLiteral("/alt/Klangwart/Damen/Tormusik/5 Alter Titel für die Halle.mp3"),
                          QStringLiteral("Zeit_01"), QString::number(++i));
            else
                desk.setIni(QStringLiteral("Fremd_5"), QStringLiteral("Schluessel"), QString::number(++i));
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(w->LoadBoard());
    }
}
BENCHMARK_CAPTURE(BM_LoadBoard, plain, Large::None, Change::None)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, settings_1MB, Large::Settings, Change::None)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, settings_1MB_desk_wrote, Large::Settings, Change::Desk)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, settings_1MB_hand_edited, Large::Settings, Change::Hand)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, stale_offsets_10000, Large::Offsets, Change::None)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, stale_offsets_10000_desk_wrote, Large::Offsets, Change::Desk)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadBoard, stale_offsets_10000_hand_edited, Large::Offsets, Change::Hand)
    ->Unit(benchmark::kMillisecond);

// The read of a title's start offset that every press makes.
void BM_PressOffsetRead(benchmark::State& state, bool stale) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), DeskFixture::fullBoard());
    desk.startMain();
    if (stale)
        prepend(desk.startOffsetFile(QStringLiteral("Damen")), staleOffsets());
    auto w = desk.startMain();
    const StartOffsetStore store(desk.services.programDir, QStringLiteral("Damen"));
    const QString title =
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), DeskFixture::numbered(40).last());
    for (auto _ : state) {
        const QString value = store.read(title);
        if (value.isEmpty())
            state.SkipWithError("no offset");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK_CAPTURE(BM_PressOffsetRead, plain, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PressOffsetRead, stale_offsets_10000, true)->Unit(benchmark::kMicrosecond);

} // namespace

KLANGWART_QT_BENCHMARK_MAIN()
