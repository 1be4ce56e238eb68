// Saving and opening a menu of N products with descriptions in categories of
// 200, and a database of N / 10 products. For 10,000 products (50 categories
// and a database of 1000) the target is under 50 ms each; 50, 500 and 5,000
// show how the cost grows.
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "files/MenuFile.h"
#include "foundation/MenuDocument.h"

namespace {

constexpr int ProductsPerCategory = 200;

void fillProduct(TProduktRec& rec, int n) {
    SetText(rec.name, QStringLiteral("Produkt Nummer %1 (1; 3)(A; C)").arg(n));
    SetText(rec.description,
            QStringLiteral("Eine ausführliche Beschreibung des Gerichts %1 mit frischen Zutaten "
                           "aus der Region,\r\nserviert mit Beilagen nach Wahl.")
                .arg(n));
    SetText(rec.quantity, QStringLiteral("%1 g").arg(100 + n % 400));
    rec.price = 3.5 + (n % 97) * 0.25;
    rec.number = n % 10 == 0 ? 0 : n;
}

void fillMenu(MenuDocument& doc, int products) {
    int n = 0;
    for (int i = 0; n < products; ++i) {
        TDynaArray& kat = *doc.products(doc.addKat(QStringLiteral("Kategorie %1").arg(i)));
        for (int j = 0; j < ProductsPerCategory && n < products; ++j)
            fillProduct(*static_cast<TProduktRec*>(kat.Add()), ++n);
    }
    for (int j = 0; j < products / 10; ++j)
        fillProduct(*static_cast<TProduktRec*>(doc.data.Add()), ++n);
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"2", "Konservierungsstoff"}});
    doc.setLegend(Legend::Allergens, {{"A", "Gluten"}, {"B", "Krebstiere"}, {"C", "Eier"}});
}

struct Files {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("menu.mnx"));
};

void BM_SaveMenuFile(benchmark::State& state) {
    Files files;
    MenuDocument doc;
    fillMenu(doc, int(state.range(0)));
    for (auto _ : state) {
        if (!SaveMenuFile(doc, files.path))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * MenuFileBytes(doc).size());
}

void BM_OpenMenuFile(benchmark::State& state) {
    Files files;
    {
        MenuDocument doc;
        fillMenu(doc, int(state.range(0)));
        if (!SaveMenuFile(doc, files.path))
            state.SkipWithError("save failed");
    }
    MenuDocument target;
    for (auto _ : state) {
        if (!OpenMenuFile(files.path, target))
            state.SkipWithError("open failed");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

// One category of 200,000 bare products (4.8 MB): filling a single long
// product array must stay linear.
void BM_ReadLongCategory(benchmark::State& state) {
    MenuDocument source;
    TDynaArray& products = *source.products(source.addKat(QStringLiteral("Lang")));
    for (int j = 0; j < 200000; ++j)
        static_cast<TProduktRec*>(products.Add())->price = j;
    const QByteArray bytes = MenuFileBytes(source);
    for (auto _ : state) {
        MenuDocument fresh;
        MenuFileGroups groups;
        if (!ReadMenuFile(bytes, fresh, &groups))
            state.SkipWithError("read failed");
    }
}

} // namespace

BENCHMARK(BM_SaveMenuFile)->Apply(GrowthSizes);
BENCHMARK(BM_OpenMenuFile)->Apply(GrowthSizes);

BENCHMARK(BM_ReadLongCategory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

BENCHMARK_MAIN();
