#include "editing/ProductCommands.h"

#include <cstring>
#include <utility>

#include "editing/DatabaseSort.h"
#include "foundation/MenuDocument.h"
#include "translation/TranslateUnit.h"

TDynaArray* TProductPlace::array(MenuDocument& doc) const {
    return category == Database ? &doc.data : doc.products(category);
}

void TProductPlace::announce(MenuDocument& doc) const {
    if (category == Database)
        emit doc.databaseChanged();
    else
        emit doc.productsChanged(category);
    emit doc.modified();
}

namespace {

TProduktRec* recordAt(TDynaArray* array, int index) {
    if (!array || index < 0 || uint32_t(index) >= array->count())
        return nullptr;
    return static_cast<TProduktRec*>(array->GetObject(uint32_t(index)));
}

} // namespace

// --- TAddRemoveProduct ---------------------------------------------------------

TAddRemoveProduct::TAddRemoveProduct(MenuDocument& doc, TProductPlace place, int index, bool adding,
                                     const QString& text)
    : QUndoCommand(text), doc_(doc), place_(place), index_(index), adding_(adding) {}

TAddRemoveProduct* TAddRemoveProduct::Add(MenuDocument& doc, TProductPlace place, int index,
                                          const TProduktRec& record, const QString& text) {
    auto* command = new TAddRemoveProduct(doc, place, index, true, text);
    command->record_ = record;
    command->out_ = true;
    return command;
}

TAddRemoveProduct* TAddRemoveProduct::Remove(MenuDocument& doc, TProductPlace place, int index,
                                             const QString& text) {
    return new TAddRemoveProduct(doc, place, index, false, text);
}

TAddRemoveProduct::~TAddRemoveProduct() {
    if (out_)
        FreeProduktTexts(record_);
}

void TAddRemoveProduct::putIn() {
    TDynaArray* array = place_.array(doc_);
    if (!out_ || !array)
        return;
    void* slot = array->Insert(index_);
    if (!slot)
        return;
    std::memcpy(slot, &record_, sizeof record_);
    record_ = {};
    out_ = false;
    place_.announce(doc_);
}

void TAddRemoveProduct::takeOut() {
    TDynaArray* array = place_.array(doc_);
    const TProduktRec* rec = recordAt(array, index_);
    if (out_ || !rec)
        return;
    record_ = *rec;
    array->Delete(index_);
    out_ = true;
    place_.announce(doc_);
}

void TAddRemoveProduct::redo() {
    if (adding_)
        putIn();
    else
        takeOut();
}

void TAddRemoveProduct::undo() {
    if (adding_)
        takeOut();
    else
        putIn();
}

// --- TEditProduct -------------------------------------------------------------

TEditProduct::TEditProduct(MenuDocument& doc, int category, int index, const TProduktRec& record)
    : QUndoCommand(TranslateText(QStringLiteral("Produkt bearbeiten"))), doc_(doc),
      category_(category), index_(index), other_(record) {}

TEditProduct::~TEditProduct() {
    FreeProduktTexts(other_);
}

void TEditProduct::redo() {
    TProduktRec* rec = recordAt(doc_.products(category_), index_);
    if (!rec)
        return;
    std::swap(*rec, other_);
    TProductPlace{category_}.announce(doc_);
}

// --- TSwapProducts ------------------------------------------------------------

TSwapProducts::TSwapProducts(MenuDocument& doc, int category, int a, int b, const QString& text)
    : QUndoCommand(text), doc_(doc), category_(category), a_(a), b_(b) {}

void TSwapProducts::redo() {
    TDynaArray* array = doc_.products(category_);
    if (!recordAt(array, a_) || !recordAt(array, b_))
        return;
    array->Change(a_, b_);
    TProductPlace{category_}.announce(doc_);
}

// --- TAddToDatabase -----------------------------------------------------------

TAddToDatabase::TAddToDatabase(MenuDocument& doc, const TProduktRec& record)
    : QUndoCommand(TranslateText(QStringLiteral("Zur Datenbank hinzufügen"))), doc_(doc),
      record_(record) {}

TAddToDatabase::~TAddToDatabase() {
    if (out_)
        FreeProduktTexts(record_);
}

void TAddToDatabase::redo() {
    if (!out_)
        return;
    void* slot = doc_.data.Add();
    if (!slot)
        return;
    std::memcpy(slot, &record_, sizeof record_);
    out_ = false;
    const std::vector<uint32_t> order = SortByName(doc_.data);
    // Only what moved is kept for undo.
    moved_.clear();
    for (uint32_t p = 0; p < uint32_t(order.size()); ++p) {
        if (order[p] == p)
            continue;
        if (!moved_.empty()) {
            Run& last = moved_.back();
            if (last.now + last.length == p && last.before + last.length == order[p]) {
                ++last.length;
                continue;
            }
        }
        moved_.push_back({p, order[p], 1});
    }
    emit doc_.databaseChanged();
    emit doc_.modified();
}

void TAddToDatabase::undo() {
    if (out_)
        return;
    const uint32_t n = doc_.data.count();
    std::vector<uint32_t> back(n); // back[p]: where the record that stood at p is now
    for (uint32_t p = 0; p < n; ++p)
        back[p] = p;
    for (const Run& run : moved_)
        for (uint32_t i = 0; i < run.length; ++i)
            back[run.before + i] = run.now + i;
    Reorder(doc_.data, back);
    std::memcpy(&record_, doc_.data.GetObject(n - 1), sizeof record_);
    doc_.data.Delete(int32_t(n - 1));
    out_ = true;
    emit doc_.databaseChanged();
    emit doc_.modified();
}
