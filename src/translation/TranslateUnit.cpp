#include "translation/TranslateUnit.h"

#include <cstring>
#include <string>
#include <string_view>

#include <QFile>
#include <QFileInfo>

#include "files/BinaryStream.h"
#include "files/OutputFile.h"

namespace {

std::unique_ptr<TTranslationTable>& programTable() {
    static std::unique_ptr<TTranslationTable> table;
    return table;
}

std::u16string_view viewOf(const TTransIndexRec& e) {
    return {e.text, std::size_t(e.length)};
}

// The text without the characters up to U+0020 (blanks, tabs, line breaks
// and other control characters) at either end.
QStringView trimmedBelowBlank(QStringView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].unicode() <= 0x20)
        ++from;
    while (to > from && text[to - 1].unicode() <= 0x20)
        --to;
    return text.mid(from, to - from);
}

} // namespace

const char* const MessageTexts[20] = {
    "Konte die folgende Datei nicht öffnen: ",
    "Bitte schließen Sie das Program und starten Sie es neu.",
    "Übersetzen",
    "paper.jpg",
    "Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?",
    "Speichern",
    "",
    "unbenannt.mnx",
    "",
    "Preis auf Anfrage",
    "",
    "Speisekarte drucken",
    "Kategorie",
    "Bezeichnung",
    "Beschreibung",
    "Preis",
    "Bestellnummer",
    "Menge",
    "Konnte die folgende Datei nicht anlegen:",
    "",
};

TTranslationTable::TTranslationTable(const QString& file) : file_(file) {
    for (auto& b : transindex_)
        b = std::make_unique<TDynaArray>(sizeof(TTransIndexRec), &aindex_);
}

TTranslationTable::~TTranslationTable() {
    ClearIndex();
    for (int r = 0; r < rowCount(); ++r)
        for (char16_t*& t : row(r)->texts)
            FreeText(t);
    transtable_.Clear();
}

bool TTranslationTable::InitTranslation(const QString& path) {
    const bool whole = LoadTranslations(path);
    BuildIndex();
    return whole;
}

bool TTranslationTable::LoadTranslations(const QString& path) {
    // Only a regular file is read: a pipe or a device would block the start.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = file.readAll();
    ByteReader in(bytes);
    const int32_t columns = in.i32();
    const int32_t rows = in.i32();
    if (!in.ok())
        return false;
    if (rows <= 0)
        return true;
    // A row holds at least one text: without columns the row count could
    // make any number of rows out of no bytes.
    if (columns <= 0)
        return false;
    std::array<QString, LanguageCount> texts;
    QString dropped;
    for (int32_t r = 0; r < rows; ++r) {
        if (r >= MaxTranslationRows)
            return false;
        // Each text takes its count at least; a row that cannot fit into what
        // remains ends the file early.
        if (qint64(columns) * MinFileStrBytes > in.remaining())
            return false;
        for (int32_t k = 0; k < columns; ++k) {
            if (!ReadFileStr(in, k < LanguageCount ? texts[std::size_t(k)] : dropped))
                return false;
        }
        for (int32_t k = columns; k < LanguageCount; ++k)
            texts[std::size_t(k)].clear();
        auto* rec = static_cast<TTransRec*>(transtable_.Add());
        if (!rec)
            return false;
        for (int k = 0; k < LanguageCount; ++k)
            rec->texts[k] = NewWideCopy(texts[std::size_t(k)]);
    }
    return true;
}

void TTranslationTable::AddIndexEntry(int32_t r, QStringView text) {
    auto* e = static_cast<TTransIndexRec*>(transindex_[std::size_t(BucketOf(text))]->Add());
    if (!e)
        return;
    e->text = NewWideCopy(text);
    e->row = r;
    e->length = int32_t(text.size());
    firstRow_.emplace(viewOf(*e), r);
}

void TTranslationTable::BuildIndex() {
    for (int r = 0; r < rowCount(); ++r) {
        const QStringView german(row(r)->texts[0]);
        if (!german.isEmpty())
            AddIndexEntry(r, german);
    }
    for (int b = 0; b < int(transindex_.size()); ++b) {
        const auto n = int32_t(transindex_[std::size_t(b)]->count());
        if (n > 0)
            SortIndexBucket(b, 0, n - 1);
    }
    // Of equal texts, the one whose entry comes first in its sorted bucket
    // answers.
    firstRow_.clear();
    for (int b = 0; b < int(transindex_.size()); ++b) {
        for (int32_t i = 0; i < int32_t(transindex_[std::size_t(b)]->count()); ++i) {
            const TTransIndexRec* e = entry(b, i);
            firstRow_.emplace(viewOf(*e), e->row);
        }
    }
}

void TTranslationTable::ClearIndex() {
    firstRow_.clear();
    for (int b = 0; b < int(transindex_.size()); ++b) {
        TDynaArray& bucket = *transindex_[std::size_t(b)];
        for (int32_t i = 0; i < int32_t(bucket.count()); ++i)
            FreeText(entry(b, i)->text);
        bucket.Clear();
    }
}

void TTranslationTable::SortIndexBucket(int b, int32_t low, int32_t high) {
    // Hoare's quicksort around the middle entry. The smaller part is sorted
    // by a call and the larger one by the loop, which keeps the depth of calls
    // logarithmic and gives the order that sorting both parts by calls gives.
    while (low < high) {
        int32_t i = low;
        int32_t j = high;
        const std::u16string pivot(viewOf(*entry(b, int32_t((int64_t(low) + high) / 2))));
        const std::u16string_view p(pivot);
        do {
            while (viewOf(*entry(b, i)) < p)
                ++i;
            while (viewOf(*entry(b, j)) > p)
                --j;
            if (i <= j) {
                std::swap(*entry(b, i), *entry(b, j));
                ++i;
                --j;
            }
        } while (i <= j);
        if (int64_t(j) - low < int64_t(high) - i) {
            if (low < j)
                SortIndexBucket(b, low, j);
            low = i;
        } else {
            if (i < high)
                SortIndexBucket(b, i, high);
            high = j;
        }
    }
}

QString TTranslationTable::TranslateText(const QString& text) {
    const qsizetype n = text.size();
    qsizetype leading = 0;
    while (leading < n && text[leading] == u' ')
        ++leading;
    // Nothing but blanks (or nothing at all) has no key.
    if (leading == n)
        return text;
    qsizetype trailing = 0;
    while (text[n - 1 - trailing] == u' ')
        ++trailing;
    const QStringView key = QStringView(text).mid(leading, n - leading - trailing);
    const std::u16string_view wanted(reinterpret_cast<const char16_t*>(key.utf16()),
                                     std::size_t(key.size()));

    // The first entry of the key's bucket whose text is the key answers.
    if (const auto found = firstRow_.find(wanted); found != firstRow_.end()) {
        const int32_t r = found->second;
        const int column = language_ >= 0 && language_ < LanguageCount ? int(language_) : 0;
        const QStringView translation(row(r)->texts[column]);
        if (translation.isEmpty())
            return text;
        QString result(leading, u' ');
        result += trimmedBelowBlank(translation);
        result += QString(trailing, u' ');
        return result;
    }

    auto* rec = static_cast<TTransRec*>(transtable_.Add());
    if (!rec)
        return text;
    rec->texts[0] = NewWideCopy(key);
    for (int k = 1; k < LanguageCount; ++k)
        rec->texts[k] = NewWideCopy(QStringView());
    AddIndexEntry(rowCount() - 1, key);
    SaveTranslations();
    return text;
}

QByteArray TTranslationTable::FileBytes() const {
    ByteWriter out;
    out.i32(LanguageCount);
    out.i32(rowCount());
    for (int r = 0; r < rowCount(); ++r)
        for (const char16_t* t : row(r)->texts)
            WriteFileStr(out, QStringView(t));
    return out.take();
}

bool TTranslationTable::SaveTranslations() {
    // A text registered while the file is written (the message of a failed
    // write) is written with the next round.
    if (batchDepth_ > 0 || saving_) {
        savePending_ = true;
        return true;
    }
    if (file_.isEmpty()) {
        savePending_ = false;
        return true;
    }
    bool ok = true;
    do {
        savePending_ = false;
        saving_ = true;
        QString error;
        ok = WriteWholeFile(file_, FileBytes(), &error);
        saving_ = false;
        if (!ok) {
            if (!failureReported_ && reportFailure_)
                reportFailure_(error);
            failureReported_ = true;
        } else {
            failureReported_ = false;
        }
    } while (savePending_);
    return ok;
}

void TTranslationTable::BeginBatch() {
    ++batchDepth_;
}

void TTranslationTable::EndBatch() {
    if (batchDepth_ > 0 && --batchDepth_ == 0 && savePending_)
        SaveTranslations();
}

QString TTranslationTable::text(int r, int column) const {
    return TextOf(row(r)->texts[column]);
}

void TTranslationTable::setText(int r, int column, QStringView text) {
    SetText(row(r)->texts[column], text);
}

void TTranslationTable::deleteRow(int r) {
    for (char16_t*& t : row(r)->texts)
        FreeText(t);
    transtable_.Delete(r);
    ClearIndex();
    BuildIndex();
}

TTranslationTable* Translations() {
    return programTable().get();
}

TTranslationTable& InitTranslation(const QString& saveTo, const QString& loadFrom) {
    auto& table = programTable();
    table = std::make_unique<TTranslationTable>(saveTo);
    // The next save writes only the rows before the damage: the damaged file
    // is kept beside the table first.
    if (!table->InitTranslation(loadFrom) && !saveTo.isEmpty()) {
        const QString copy = saveTo + QStringLiteral(".bak");
        QFile::remove(copy);
        QFile::copy(loadFrom, copy);
    }
    return *table;
}

void EndTranslation() {
    programTable().reset();
}

QString TranslateText(const QString& text) {
    if (TTranslationTable* table = Translations())
        return table->TranslateText(text);
    return text;
}

void GetMessageText(int n, QString& text) {
    if (n >= 1 && n <= int(std::size(MessageTexts)))
        text = TranslateText(QString::fromUtf8(MessageTexts[n - 1]));
}

QString GetMessageText(int n) {
    QString text;
    GetMessageText(n, text);
    return text;
}

void TranslateAllMessages() {
    for (int n = 1; n <= int(std::size(MessageTexts)); ++n)
        GetMessageText(n);
}
