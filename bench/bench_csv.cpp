// CSV export and import of a menu of N products with two-line descriptions
// in categories of 200. For 10,000 products (50 categories) the target is
// under 100 ms each; 50, 500 and 5,000 show how the cost grows.
// Also reads one endless quoted field of 50 MB, which must stay linear.
#include <QByteArray>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "editing/MenuEditor.h"
#include "files/CsvFile.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"
#include "foundation/ProduktRec.h"

namespace {

void fillMenu(MenuDocument& doc, int count) {
    int n = 0;
    for (int i = 0; n < count; ++i) {
        TDynaArray& products = *doc.products(doc.addKat(QStringLiteral("Kategorie %1").arg(i)));
        for (int j = 0; j < 200 && n < count; ++j) {
            auto& rec = *static_cast<TProduktRec*>(products.Add());
            ++n;
            SetText(rec.name, QStringLiteral("Produkt \"Nummer\" %1 (1; 3)").arg(n));
            SetText(rec.description,
                    QStringLiteral("Eine ausführliche Beschreibung des Gerichts %1, mit frischen "
                                   "Zutaten,\r\nserviert mit Beilagen nach Wahl.")
                        .arg(n));
            SetText(rec.quantity, QStringLiteral("%1 g").arg(100 + n % 400));
            rec.price = 3.5 + (n % 97) * 0.25;
            rec.number = n;
        }
    }
}

void BM_ExportCsv(benchmark::State& state) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MenuDocument doc;
    fillMenu(doc, int(state.range(0)));
    const QStringList header = CsvHeader();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteCsv(doc, header));
}
BENCHMARK(BM_ExportCsv)->Apply(GrowthSizes);

void BM_ImportCsv(benchmark::State& state) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QByteArray csv;
    {
        MenuDocument source;
        fillMenu(source, int(state.range(0)));
        csv = WriteCsv(source, CsvHeader());
    }
    for (auto _ : state) {
        MenuDocument doc;
        QUndoStack stack;
        TMenuEditor editor(doc, stack);
        editor.importCsv(ReadCsv(csv));
        benchmark::DoNotOptimize(doc.katCount());
    }
}
BENCHMARK(BM_ImportCsv)->Apply(GrowthSizes);

void BM_ReadEndlessQuotedField(benchmark::State& state) {
    QByteArray bytes = "h\r\nK,\"";
    bytes += QByteArray(50 * 1024 * 1024, 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadCsv(bytes));
}
BENCHMARK(BM_ReadEndlessQuotedField)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
