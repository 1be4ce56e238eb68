// The PDF of a whole generated menu as the user gets it: one run of
// `menolux --export-pdf` per iteration, start-up, reading, layout, drawing
// and writing included.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "GeneratedMenuFile.h"

namespace {

// A generated menu of `products` products saved in a folder of its own.
struct SavedMenu {
    QTemporaryDir dir;
    QString menu;
    QString pdf;
    explicit SavedMenu(int products) {
        menu = dir.filePath(QStringLiteral("menu.mnx"));
        pdf = dir.filePath(QStringLiteral("menu.pdf"));
        if (!SaveGeneratedMenu(products, menu))
            menu.clear();
    }
};

void BM_PdfProcess(benchmark::State& state) {
    static std::map<int64_t, std::unique_ptr<SavedMenu>> menus;
    auto& menu = menus[state.range(0)];
    if (!menu)
        menu = std::make_unique<SavedMenu>(int(state.range(0)));
    if (menu->menu.isEmpty()) {
        state.SkipWithError("cannot write the menu");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(MENOLUX_PROGRAM),
                      {QStringLiteral("--export-pdf"), menu->pdf, menu->menu});
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            state.SkipWithError("menolux --export-pdf failed");
            return;
        }
    }
    state.counters["products"] = double(state.range(0));
    state.counters["pdf_bytes"] = double(QFileInfo(menu->pdf).size());
}

BENCHMARK(BM_PdfProcess)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
