// The translation table: a lookup in a large table, and the first start of
// the window in English with an empty table (every window text registered and
// written) beside a normal start.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "app/MainUnit.h"
#include "app/OptionsFile.h"
#include "translation/TranslateUnit.h"

namespace {

// `rows` texts like those of a program's windows: words of several lengths
// and first letters.
QStringList windowLikeTexts(int rows) {
    static const char* const words[] = {
        "Kategorie", "Produkt",   "neue",     "löschen", "nach",        "oben",     "unten",
        "Datei",     "Speichern", "Drucken",  "Seite",   "Schriftart",  "für",      "Preis",
        "Allergene", "Bild",      "Textur",   "Rand",    "Überschrift", "Fußzeile", "Menge",
        "Wert",      "ändern",    "Optionen", "Zeile",   "Spalte",      "Suchen",   "Beenden"};
    QRandomGenerator random(7);
    QStringList texts;
    QSet<QString> seen;
    while (texts.size() < rows) {
        QString text;
        const int n = 1 + int(random.bounded(5));
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                text += QLatin1Char(' ');
            text += QString::fromUtf8(words[random.bounded(int(std::size(words)))]);
        }
        text += QStringLiteral(" %1").arg(texts.size());
        if (!seen.contains(text)) {
            seen.insert(text);
            texts << text;
        }
    }
    return texts;
}

// Texts that share their first letter and their length: one bucket, and no
// length tells them apart.
QStringList oneBucketTexts(int rows) {
    QStringList texts;
    for (int i = 0; i < rows; ++i)
        texts << QStringLiteral("Text %1").arg(i, 5, 10, QLatin1Char('0'));
    return texts;
}

void lookups(benchmark::State& state, const QStringList& texts) {
    TTranslationTable table;
    table.InitTranslation(QString());
    for (const QString& t : texts)
        table.TranslateText(t);
    for (int r = 0; r < table.rowCount(); r += 2)
        table.setText(r, 1, QStringLiteral("English"));
    table.setLanguage(1);
    QRandomGenerator random(11);
    QStringList asked;
    for (int i = 0; i < 1024; ++i)
        asked << QStringLiteral("  ") + texts[random.bounded(int(texts.size()))];
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.TranslateText(asked[i++ & 1023]));
}

void BM_LookupIn10000WindowTexts(benchmark::State& state) {
    lookups(state, windowLikeTexts(10000));
}
BENCHMARK(BM_LookupIn10000WindowTexts);

void BM_LookupIn10000TextsOfOneBucket(benchmark::State& state) {
    lookups(state, oneBucketTexts(10000));
}
BENCHMARK(BM_LookupIn10000TextsOfOneBucket);

// Makes the windows on an empty data folder whose options.dat holds
// `language`, and shows the main one.
void firstStart(benchmark::State& state, int32_t language) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir data;
        WriteOptionsFile(data.filePath(QStringLiteral("options.dat")), language);
        state.ResumeTiming();
        {
            TMainForm form(nullptr, TStartup{QString(), data.path()});
            form.show();
            QApplication::processEvents();
        }
        state.PauseTiming();
        EndTranslation();
        state.ResumeTiming();
    }
}

void BM_FirstStartGerman(benchmark::State& state) {
    firstStart(state, 0);
}
BENCHMARK(BM_FirstStartGerman)->Unit(benchmark::kMillisecond);

void BM_FirstStartEnglishEmptyTable(benchmark::State& state) {
    firstStart(state, 1);
}
BENCHMARK(BM_FirstStartEnglishEmptyTable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QApplication>(argc, argv);
}
