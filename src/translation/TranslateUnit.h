#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

#include <QString>
#include <QStringView>

#include "foundation/DynaArray.h"
#include "foundation/ProduktRec.h"

// The translation table: every text the program shows, in twenty language
// columns. Column 0 holds the German text and is the key; columns 1 to 4 are
// English, French, Dutch and Swedish; 5 to 19 have no language of their own.
//
// The table fills itself: a German text that it lacks is appended as a new row
// with empty translations, and the whole file translate.dat is written again,
// ready for a translator to fill in the other columns.
//
// translate.dat: int32 column count (written as 20), int32 row count, then the
// rows in table order, each its texts in column order as counted UTF-16 texts.

constexpr int LanguageCount = 20;

// A translation file of more rows is damaged: the program's windows and
// messages make a few hundred. A row can take as little as four bytes of the
// file and still about a kilobyte of memory, so the limit also bounds what a
// hostile file can make the program allocate.
constexpr int32_t MaxTranslationRows = 200000;

// One row of the table. Each text is owned (NewWideCopy); an empty text is
// an allocated terminator.
struct TTransRec {
    char16_t* texts[LanguageCount];
};

// One entry of the index: an owned copy of a row's German text, the row, and
// the text's length in code units.
struct TTransIndexRec {
    char16_t* text;
    int32_t row;
    int32_t length;
};

// A heap copy of `text` with a zero terminator; freed with FreeText.
inline char16_t* NewWideCopy(QStringView text) {
    return NewText(text);
}

class TTranslationTable {
public:
    // An empty table with its index; saves go to `file` (none: never saved).
    explicit TTranslationTable(const QString& file = QString());
    ~TTranslationTable();
    TTranslationTable(const TTranslationTable&) = delete;
    TTranslationTable& operator=(const TTranslationTable&) = delete;

    // Appends the rows of the translation file `path` and builds the index.
    // A missing or unreadable file leaves the table empty. Of a damaged file
    // (cut short, negative or impossible counts) the rows before the damage
    // are kept; false then.
    bool InitTranslation(const QString& path);

    // The text in the active language. Blanks around `text` are kept around
    // the translation; a text the table lacks is registered and comes back
    // unchanged.
    QString TranslateText(const QString& text);

    // Writes the whole table to the file. While a batch is open the write
    // waits for its end. False when the file could not be written; the
    // previous file then stays as it was.
    bool SaveTranslations();

    // Collects the saves of a run of registrations into one write at the end
    // of the outermost batch.
    void BeginBatch();
    void EndBatch();

    // The active language column. A value outside 0..19 behaves as German.
    int32_t language() const { return language_; }
    void setLanguage(int32_t column) { language_ = column; }

    const QString& fileName() const { return file_; }
    int rowCount() const { return int(transtable_.count()); }
    // The text of `row` in `column`; the caller keeps both in range.
    QString text(int row, int column) const;
    // Replaces a text as typed (nothing trimmed). The index keeps the former
    // German text until the next start.
    void setText(int row, int column, QStringView text);
    // Removes a row; the index is built anew, so that no lookup answers from
    // a row that moved.
    void deleteRow(int row);

    // Sorts entries low..high of bucket `bucket` by their text.
    void SortIndexBucket(int bucket, int32_t low, int32_t high);
    // The bucket of a text: the low byte of its first code unit.
    static int BucketOf(QStringView key) {
        return key.isEmpty() ? 0 : key.front().unicode() & 0xFF;
    }
    const TDynaArray& bucket(int b) const { return *transindex_[std::size_t(b)]; }

    // Called with a message when a save fails, once until a save succeeds
    // again. None: failures stay silent.
    using FailureReporter = std::function<void(const QString& message)>;
    void setSaveFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }

private:
    bool LoadTranslations(const QString& path);
    void BuildIndex();
    void ClearIndex();
    void AddIndexEntry(int32_t row, QStringView text);
    TTransRec* row(int r) const {
        return static_cast<TTransRec*>(transtable_.GetObject(uint32_t(r)));
    }
    TTransIndexRec* entry(int b, int32_t i) const {
        return static_cast<TTransIndexRec*>(transindex_[std::size_t(b)]->GetObject(uint32_t(i)));
    }
    QByteArray FileBytes() const;

    QString file_;
    int32_t language_ = 0;
    mutable TTransRec* atrans_ = nullptr;
    mutable TDynaArray transtable_{sizeof(TTransRec), &atrans_};
    mutable TTransIndexRec* aindex_ = nullptr;
    std::array<std::unique_ptr<TDynaArray>, 256> transindex_;
    // For each German text of the index, the row of its first entry in its
    // bucket: the answer a scan of the bucket gives, found without the scan.
    // The keys are the entries' own texts.
    std::unordered_map<std::u16string_view, int32_t> firstRow_;
    int batchDepth_ = 0;
    bool savePending_ = false;
    bool saving_ = false;
    bool failureReported_ = false;
    FailureReporter reportFailure_;
};

// Keeps a batch open on a table for as long as it lives.
class TTranslationBatch {
public:
    explicit TTranslationBatch(TTranslationTable* table) : table_(table) {
        if (table_)
            table_->BeginBatch();
    }
    ~TTranslationBatch() {
        if (table_)
            table_->EndBatch();
    }
    TTranslationBatch(const TTranslationBatch&) = delete;
    TTranslationBatch& operator=(const TTranslationBatch&) = delete;

private:
    TTranslationTable* table_;
};

// The program's one table. Before InitTranslation, and in the headless
// commands, there is none: texts then stay German and nothing is registered.
TTranslationTable* Translations();
// Makes the program's table: loads `loadFrom` (when it exists) and saves to
// `saveTo` from then on. A damaged `loadFrom` is copied to `saveTo` + ".bak"
// before anything can replace it. A table made before is replaced.
TTranslationTable& InitTranslation(const QString& saveTo, const QString& loadFrom);
// Drops the program's table (tests).
void EndTranslation();

// The built-in messages, German, slots 1 to 20; empty slots are reserved.
extern const char* const MessageTexts[20];

// Any text the program shows, given in German, in the active language.
QString TranslateText(const QString& text);
// Sets `text` to built-in message n (1 to 20) in the active language; any
// other n leaves `text` as it was.
void GetMessageText(int n, QString& text);
// The same, starting from an empty text.
QString GetMessageText(int n);
// Passes every built-in message through TranslateText, so that each stands in
// the table.
void TranslateAllMessages();
