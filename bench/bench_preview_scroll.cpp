// Scrolling the page preview at 1000 %: one wheel notch over the window on
// the tab "Speisekarte erzeugen", until the moved page is painted. The menu
// is a generated one of 500 products on the default paper texture. For
// comparison, one whole-page redraw at the same zoom (a layout and a bitmap
// of the whole page), which each scroll step cost when the preview kept no
// layout. The resident memory of the process is reported with each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QWindow>

#include "BenchMain.h"
#include "app/MainUnit.h"
#include "common/GeneratedMenu.h"
#include "layout/PageSetup.h"
#include "layout/Preview.h"
#include "texture/Texture.h"

namespace {

// The resident memory of this process in MB.
double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

const QString kTexture = QStringLiteral(MENOLUX_SOURCE_DIR "/assets/paper.jpg");

void BM_WheelStepAt1000Percent(benchmark::State& state) {
    const QTemporaryDir data;
    TMainForm form(nullptr, TStartup{QString(), data.path()});
    FillGeneratedMenu(form.doc, 500, 42);
    form.doc.setText(TextSetting::TextureFile, kTexture);
    form.resize(960, 640);
    form.show();
    form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    form.findChild<QSpinBox*>(QStringLiteral("ZoomEd"))->setValue(1000);
    QApplication::processEvents(); // the first paint lays the page out
    QScrollBar* bar =
        form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->verticalScrollBar();
    QWindow* window = form.windowHandle();
    const QPointF at(form.width() / 2.0, form.height() / 2.0);
    int direction = -1; // down
    for (auto _ : state) {
        if (bar->value() >= bar->maximum())
            direction = 1;
        else if (bar->value() <= bar->minimum())
            direction = -1;
        QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), QPoint(0, 120 * direction),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &wheel);
        QApplication::processEvents(); // paints what came into view
    }
    state.counters["resident_MB"] = residentMegabytes();
}
BENCHMARK(BM_WheelStepAt1000Percent)->Unit(benchmark::kMillisecond);

// The worst case of a scroll step: everything in view painted again from the
// kept layout, as after a jump of the scroll bar.
void BM_WholeViewAt1000Percent(benchmark::State& state) {
    const QTemporaryDir data;
    TMainForm form(nullptr, TStartup{QString(), data.path()});
    FillGeneratedMenu(form.doc, 500, 42);
    form.doc.setText(TextSetting::TextureFile, kTexture);
    form.resize(960, 640);
    form.show();
    form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    form.findChild<QSpinBox*>(QStringLiteral("ZoomEd"))->setValue(1000);
    QApplication::processEvents();
    QScrollArea* box = form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 3);
    box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    QWidget* page = form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    for (auto _ : state)
        page->repaint();
    state.counters["resident_MB"] = residentMegabytes();
}
BENCHMARK(BM_WholeViewAt1000Percent)->Unit(benchmark::kMillisecond);

void BM_WholePageAt1000Percent(benchmark::State& state) {
    MenuDocument doc;
    FillGeneratedMenu(doc, 500, 42);
    doc.setText(TextSetting::TextureFile, kTexture);
    TTexture texture;
    texture.Prepare(doc);
    TLayoutView view;
    view.texture = &texture;
    double resident = 0;
    for (auto _ : state) {
        const QImage bitmap = RenderPreviewPage(doc, view, A4PageSetup(), 96, 1000, 1);
        benchmark::DoNotOptimize(bitmap.constBits());
        resident = std::max(resident, residentMegabytes());
    }
    state.counters["resident_MB"] = resident;
}
BENCHMARK(BM_WholePageAt1000Percent)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QApplication>(argc, argv);
}
