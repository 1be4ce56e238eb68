// One redraw of the page preview: the layout of a generated 500-product menu,
// page 1, drawn into the preview bitmap at 100 % at screen resolution, and
// the copy onto the paint box, without the event loop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "BenchMain.h"
#include "common/GeneratedMenu.h"
#include "layout/PageSetup.h"
#include "layout/Preview.h"

namespace {

void BM_PreviewPage1(benchmark::State& state) {
    MenuDocument doc;
    FillGeneratedMenu(doc, int(state.range(0)), 42);
    const TPageSetup paper = A4PageSetup();
    const int sdpi = 96;
    const QSize box = PreviewBoxSize(PreviewBitmapSize(paper, sdpi, 100));
    QImage screen(box, QImage::Format_RGB32); // stands in for the paint box
    for (auto _ : state) {
        const QImage bitmap = RenderPreviewPage(doc, TLayoutView(), paper, sdpi, 100, 1);
        QPainter painter(&screen);
        painter.drawImage(0, 0, bitmap);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_PreviewPage1)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QApplication>(argc, argv);
}
