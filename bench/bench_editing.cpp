// Editing a large menu in the window: refilling the product list, adding a
// product to a large database, and taking back the deletion of a large
// category. For comparison, the database order by the plain exchanges.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "BenchMain.h"
#include "app/MainUnit.h"
#include "app/tabs/ProductsTab.h"
#include "editing/DatabaseSort.h"

namespace {

TProductFields productNumber(int i) {
    return {QStringLiteral("Produkt %1").arg(i, 5, 10, QLatin1Char('0')),
            QStringLiteral("Beschreibung des Produkts Nummer %1").arg(i), QStringLiteral("0,5l"),
            2.5 + i % 100, 0};
}

// A category of `n` products, selected in the window.
void fillSelectedCategory(TMainForm& form, int n) {
    TMenuEditor& editor = form.editor();
    const int k = editor.addCategory(QStringLiteral("Groß"));
    for (int i = 0; i < n; ++i)
        editor.addProduct(k, productNumber(i));
    form.undoStack().clear();
    auto* categories = form.findChild<QTreeWidget*>(QStringLiteral("ListView2"));
    categories->setCurrentItem(categories->topLevelItem(k));
}

void BM_ListProds5000(benchmark::State& state) {
    const QTemporaryDir data;
    TMainForm form(nullptr, TStartup{QString(), data.path()});
    form.show();
    fillSelectedCategory(form, 5000);
    for (auto _ : state)
        form.productsTab()->ListProds();
}
BENCHMARK(BM_ListProds5000)->Unit(benchmark::kMillisecond);

// One product copied into a database of 10,000 records: the copy, the sort
// and the refill of the database list. Taking the copy back again is not
// timed.
void BM_AddToDatabase10000(benchmark::State& state) {
    const QTemporaryDir data;
    TMainForm form(nullptr, TStartup{QString(), data.path()});
    form.show();
    fillSelectedCategory(form, 1);
    form.editor().editProduct(0, 0, productNumber(4321));
    MenuDocument& doc = form.doc;
    for (int i = 0; i < 10000; ++i) {
        auto* rec = static_cast<TProduktRec*>(doc.data.Add());
        *rec = MakeProdukt(productNumber(i));
    }
    emit doc.databaseChanged();
    for (auto _ : state) {
        form.editor().copyProductToDatabase(0, 0);
        state.PauseTiming();
        form.undoStack().undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddToDatabase10000)->Unit(benchmark::kMillisecond);

// Undo of "Kategorie löschen" for a selected category of 5,000 products,
// with the refill of both lists. The deletion itself is not timed.
void BM_UndoDeleteCategory5000(benchmark::State& state) {
    const QTemporaryDir data;
    TMainForm form(nullptr, TStartup{QString(), data.path()});
    form.show();
    fillSelectedCategory(form, 5000);
    for (auto _ : state) {
        state.PauseTiming();
        form.editor().deleteCategory(0);
        auto* categories = form.findChild<QTreeWidget*>(QStringLiteral("ListView2"));
        state.ResumeTiming();
        form.undoStack().undo();
        categories->setCurrentItem(categories->topLevelItem(0));
    }
}
BENCHMARK(BM_UndoDeleteCategory5000)->Unit(benchmark::kMillisecond);

// The exchanges themselves over 10,000 names with one appended, against the
// one pass that gives the same order.
std::vector<std::u16string> sortedNamesPlusOne(int n) {
    std::vector<std::u16string> names;
    for (int i = 0; i < n; ++i)
        names.push_back(productNumber(i).name.toStdU16String());
    names.push_back(u"Produkt 04321");
    return names;
}

void BM_DatabaseOrder(benchmark::State& state, bool exchanges) {
    const std::vector<std::u16string> names = sortedNamesPlusOne(10000);
    std::vector<const char16_t*> pointers;
    for (const std::u16string& s : names)
        pointers.push_back(s.c_str());
    for (auto _ : state) {
        const std::vector<uint32_t> order =
            exchanges ? ExchangeSortOrder(pointers) : SortOrder(pointers);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK_CAPTURE(BM_DatabaseOrder, OnePass, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DatabaseOrder, Exchanges, true)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QApplication>(argc, argv);
}
