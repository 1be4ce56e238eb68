#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

// Runs the registered benchmarks inside a Qt application of type App
// (QCoreApplication, QGuiApplication or QApplication), on the offscreen
// platform unless another one is set.
template <class App> int RunBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
