// Printing every page of a generated menu through Qt's print path, into a
// PDF file as "print to file" does: one pass of the layout, each page drawn
// on the printer as the pass reaches it. Also the page count that printing
// and the preview take first, and the same pages printed last page first,
// which keeps the pages of the pass before drawing them.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "common/GeneratedMenu.h"
#include "layout/PageSetup.h"
#include "layout/Printing.h"

namespace {

struct Menu {
    MenuDocument doc;
    explicit Menu(int products) {
        FillGeneratedMenu(doc, products, 42);
        doc.setFlag(FlagSetting::Frame, true);
    }
};

Menu& menu(int64_t products) {
    static std::map<int64_t, std::unique_ptr<Menu>> menus;
    auto& m = menus[products];
    if (!m)
        m = std::make_unique<Menu>(int(products));
    return *m;
}

void printAll(benchmark::State& state, QPrinter::PageOrder order) {
    Menu& m = menu(state.range(0));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("menu.pdf")));
    printer.setPageOrder(order);
    TPrintJob job;
    job.paper = A4PageSetup();
    int sheets = 0;
    for (auto _ : state) {
        const TPrintResult r = PrintMenu(m.doc, job, printer);
        if (r.status != TPrintResult::Status::Printed) {
            state.SkipWithError("printing failed");
            return;
        }
        sheets = r.sheets;
    }
    state.counters["pages"] = sheets;
    state.SetItemsProcessed(int64_t(state.iterations()) * sheets); // pages per second
}

void BM_PrintAllPages(benchmark::State& state) {
    printAll(state, QPrinter::FirstPageFirst);
}

void BM_PrintAllPagesLastFirst(benchmark::State& state) {
    printAll(state, QPrinter::LastPageFirst);
}

void BM_CountPages(benchmark::State& state) {
    Menu& m = menu(state.range(0));
    const TPageRequest request = A4PageSetup().Request(96, 100, 1, true);
    int pages = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pages = CountPages(m.doc, TLayoutView(), request));
    state.counters["pages"] = pages;
}

BENCHMARK(BM_PrintAllPages)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllPagesLastFirst)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountPages)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QApplication>(argc, argv);
}
