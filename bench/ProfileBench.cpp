// Profile access on a start-offset file of realistic size: one read (every button press), one write (an
// editor save), the seeding of a full board (every board load), and a 10 MB file for scale.
#include "platform/Cp1252.h"
#include "settings/IniAccess.h"
#include "settings/StartOffsetStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString titlePath(const QString& programDir, int i) {
    static const char* const categories[] = {"7 Meter",  "Torwart",   "Team Timeout", "Auszeit",
                                             "Tormusik", "Einlaufen", "Wischen",      "2 Minuten"};
    return QStringLiteral("%1/Damen/%2/%3Titel Nummer %4 für die Halle.mp3")
        .arg(programDir, QString::fromLatin1(categories[i % 8]))
        .arg(i % 100, 2, 10, QLatin1Char('0'))
        .arg(i);
}

// A start-offset file with the given number of sections, CRLF, Windows-1252, as the desk writes it.
QByteArray offsetFile(const QString& programDir, int sections) {
    QByteArray bytes;
    for (int i = 0; i < sections; ++i)
        bytes += '[' + Cp1252::encode(titlePath(programDir, i)) +
                 "]\r\nZeit_01=" + QByteArray::number(i * 250) + "\r\n";
    return bytes;
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

void BM_IniRead_1000Sections(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Damen.ini"));
    writeRaw(file, offsetFile(dir.path(), 1000));
    const QString section = titlePath(dir.path(), 777);
    for (auto _ : state) {
        QString value = Ini_Read(file, section, QStringLiteral("Zeit_01"));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_IniRead_1000Sections)->Unit(benchmark::kMicrosecond);

// Includes the fsync of the temporary file and of the folder: the write is on disk when the call returns.
void BM_IniWrite_1000Sections(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Damen.ini"));
    writeRaw(file, offsetFile(dir.path(), 1000));
    const QString section = titlePath(dir.path(), 777);
    int i = 0;
    for (auto _ : state) {
        const long ok = Ini_Write(file, section, QStringLiteral("Zeit_01"), QString::number(++i));
        if (!ok)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_IniWrite_1000Sections)->Unit(benchmark::kMicrosecond)->UseRealTime();

QStringList boardTitles(const QString& programDir, int firstIndex) {
    QStringList titles;
    for (int i = firstIndex; i < firstIndex + 108; ++i)
        titles << titlePath(programDir, i);
    return titles;
}

// A board load with every offset present: one read of the file, no write.
void BM_SeedMissing_108_AllPresent(benchmark::State& state) {
    QTemporaryDir dir;
    const StartOffsetStore store(dir.path(), QStringLiteral("Damen"));
    writeRaw(store.filePath(), offsetFile(dir.path(), 1000));
    const QStringList titles = boardTitles(dir.path(), 300);
    for (auto _ : state) {
        if (store.seedMissing(titles) != 0)
            state.SkipWithError("seeded a present title");
    }
}
BENCHMARK(BM_SeedMissing_108_AllPresent)->Unit(benchmark::kMicrosecond);

// The first board load of a team: 108 new sections added to a file of 1,000, one write.
void BM_SeedMissing_108_NonePresent(benchmark::State& state) {
    QTemporaryDir dir;
    const StartOffsetStore store(dir.path(), QStringLiteral("Damen"));
    const QByteArray before = offsetFile(dir.path(), 1000);
    const QStringList titles = boardTitles(dir.path(), 5000);
    for (auto _ : state) {
        state.PauseTiming();
        writeRaw(store.filePath(), before);
        state.ResumeTiming();
        if (store.seedMissing(titles) != 108)
            state.SkipWithError("seeding failed");
    }
}
BENCHMARK(BM_SeedMissing_108_NonePresent)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_IniRead_10MB(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Damen.ini"));
    const QByteArray bytes = offsetFile(dir.path(), 120000);
    writeRaw(file, bytes);
    const QString section = titlePath(dir.path(), 119999);
    for (auto _ : state) {
        QString value = Ini_Read(file, section, QStringLiteral("Zeit_01"));
        benchmark::DoNotOptimize(value);
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_IniRead_10MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
