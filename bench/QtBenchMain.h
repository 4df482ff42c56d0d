#pragma once
// The main() of the benchmarks that need the widgets: an offscreen QApplication around Google Benchmark.
#include "appearance/FontSubstitutes.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#define KLANGWART_QT_BENCHMARK_MAIN()                                                                        \
    int main(int argc, char** argv) {                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))                                                  \
            qputenv("SDL_AUDIODRIVER", "dummy");                                                             \
        QApplication app(argc, argv);                                                                        \
        QApplication::setStyle(QStringLiteral("Fusion"));                                                    \
        FontSubstitutes::install();                                                                          \
        benchmark::Initialize(&argc, argv);                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }
