// Laying out a generated menu and drawing its last page into a screen
// resolution image at 100 %, as the preview does on every redraw.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "BenchMain.h"
#include "common/GeneratedMenu.h"
#include "common/LiteralLayout.h"
#include "layout/Export.h"
#include "layout/FontCache.h"
#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"
#include "layout/PainterCanvas.h"
#include "texture/Texture.h"

namespace {

struct Menu {
    MenuDocument doc;
    int lastPage = 1;
    explicit Menu(int products) {
        FillGeneratedMenu(doc, products, 42);
        lastPage = 1;
        while (draw<TMenuLayout>(lastPage))
            ++lastPage;
    }
    template <class Layout> bool draw(int page, const TTexture* texture = nullptr) {
        const TPageSetup paper = A4PageSetup();
        const QSize size = paper.PixelSize(96, 100);
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        TPainterCanvas canvas(painter, 96);
        TLayoutView view;
        view.texture = texture;
        Layout layout(doc, view);
        return layout.PaintToCanvas(canvas, paper.Request(96, 100, page, false));
    }
};

template <class Layout> void BM_LastPage(benchmark::State& state) {
    static std::map<int64_t, std::unique_ptr<Menu>> menus;
    auto& menu = menus[state.range(0)];
    if (!menu)
        menu = std::make_unique<Menu>(int(state.range(0)));
    const qint64 measuredBefore = TFontCache::MeasuredCharacters();
    for (auto _ : state)
        benchmark::DoNotOptimize(menu->draw<Layout>(menu->lastPage));
    state.counters["pages"] = menu->lastPage;
    // Characters that each redraw had the font engine measure (cache misses).
    state.counters["measured"] =
        benchmark::Counter(double(TFontCache::MeasuredCharacters() - measuredBefore),
                           benchmark::Counter::kAvgIterations);
}

void BM_LastPageFast(benchmark::State& state) {
    BM_LastPage<TMenuLayout>(state);
}
// The plain rules as they stand: a dot or a character at a time, measuring
// every text anew.
void BM_LastPageLiteral(benchmark::State& state) {
    TFontCache::SetMemoising(false);
    BM_LastPage<TLiteralLayout>(state);
    TFontCache::SetMemoising(true);
}

// Page 1 with texture, both legends, header, footer and frame.
void BM_FirstPageWithFurniture(benchmark::State& state) {
    static std::unique_ptr<Menu> menu;
    static TTexture texture{QString()};
    if (!menu) {
        menu = std::make_unique<Menu>(500);
        QList<TLegendEntry> additives, allergens;
        for (int i = 0; i < 6; ++i)
            additives.append({QString::number(i + 1), QStringLiteral("Zusatzstoff %1").arg(i + 1)});
        for (int i = 0; i < 14; ++i)
            allergens.append({QString(QChar(65 + i)), QStringLiteral("Allergen %1").arg(i + 1)});
        menu->doc.setLegend(Legend::Additives, additives);
        menu->doc.setLegend(Legend::Allergens, allergens);
        menu->doc.setText(TextSetting::HeaderLine, QStringLiteral("Gasthaus zur Linde"));
        TTextureSettings settings;
        settings.fileName = QStringLiteral(MENOLUX_SOURCE_DIR "/assets/paper.jpg");
        texture.Prepare(settings);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(menu->draw<TMenuLayout>(1, &texture));
}

// Page 1 of a menu whose one description is a single word of N characters.
void BM_LongWordPage(benchmark::State& state) {
    MenuDocument doc;
    auto* p = static_cast<TProduktRec*>(doc.products(doc.addKat(QStringLiteral("K")))->Add());
    p->name = NewText(u"a");
    p->description = NewText(QString(int(state.range(0)), QChar('W')));
    p->price = 1;
    const TPageSetup paper = A4PageSetup();
    QImage image(paper.PixelSize(96, 100), QImage::Format_RGB32);
    QPainter painter(&image);
    TPainterCanvas canvas(painter, 96);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PaintToCanvas(doc, TLayoutView(), canvas, paper.Request(96, 100, 1, false)));
}

// A PDF of every page of a menu with one category per page.
void BM_PdfOfManyPages(benchmark::State& state) {
    MenuDocument doc;
    doc.setFlag(FlagSetting::NewPagePerCategory, true);
    for (int k = 0; k < state.range(0); ++k) {
        auto* p = static_cast<TProduktRec*>(
            doc.products(doc.addKat(QStringLiteral("Kategorie %1").arg(k)))->Add());
        p->name = NewText(u"Gericht");
        p->price = 9.5;
    }
    TExportRequest req;
    for (auto _ : state) {
        QByteArray pdf;
        if (!RenderPdf(doc, req, &pdf, nullptr))
            state.SkipWithError("no PDF");
        benchmark::DoNotOptimize(pdf.size());
    }
}

BENCHMARK(BM_FirstPageWithFurniture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongWordPage)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfOfManyPages)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastPageFast)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastPageLiteral)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QGuiApplication>(argc, argv);
}
