#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

// The menu sizes of the growth figures (50 to 10,000 products), each in five
// repetitions, in milliseconds: BENCHMARK(...)->Apply(GrowthSizes).
inline void GrowthSizes(benchmark::internal::Benchmark* b) {
    b->Arg(50)
        ->Arg(500)
        ->Arg(5000)
        ->Arg(10000)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->DisplayAggregatesOnly(true);
}

// Runs the registered benchmarks inside a Qt application of type App
// (QCoreApplication, QGuiApplication or QApplication), on the offscreen
// platform unless another one is set. What a window keeps per user (its
// form storage, its data folder) goes into a folder of the run's own.
template <class App> int RunBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
