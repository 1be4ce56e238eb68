#include "editing/ImportCommand.h"

#include <cstring>

#include <QHash>
#include <QSet>

#include "editing/ProductFields.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"
#include "foundation/ProduktRec.h"
#include "translation/TranslateUnit.h"

TImportCsv::TImportCsv(MenuDocument& doc, const QList<TCsvLine>& lines)
    : QUndoCommand(TranslateText(QStringLiteral("CSV importieren"))), doc_(doc) {
    firstNew_ = doc.katCount();
    // The first category of each name, as the list is searched from the top.
    QHash<QString, int> byName;
    for (int i = firstNew_ - 1; i >= 0; --i)
        byName[doc.katName(i)] = i;
    QSet<int> named;
    QSet<int> touchedOld;
    products_.reserve(std::size_t(lines.size()));
    for (const TCsvLine& line : lines) {
        auto it = byName.constFind(line.category);
        int category;
        if (it != byName.constEnd()) {
            category = it.value();
        } else {
            category = firstNew_ + int(newNames_.size());
            newNames_ << line.category;
            byName.insert(line.category, category);
        }
        named.insert(category);
        lastCategory_ = category;
        if (!line.hasProduct)
            continue;
        if (category < firstNew_ && !touchedOld.contains(category)) {
            touchedOld.insert(category);
            TDynaArray* products = doc.products(category);
            oldCounts_.emplace_back(category, products ? int(products->count()) : 0);
        }
        products_.push_back({category, line.product});
    }
    categoryCount_ = int(named.size());
}

void TImportCsv::redo() {
    for (const QString& name : newNames_)
        doc_.addKat(name);
    QSet<int> changed;
    for (const Target& t : products_) {
        TDynaArray* products = doc_.products(t.category);
        if (!products)
            continue;
        void* slot = products->Add();
        if (!slot)
            continue;
        const TProduktRec rec =
            MakeProdukt({t.product.name, t.product.description, t.product.quantity, t.product.price,
                         t.product.number});
        std::memcpy(slot, &rec, sizeof rec);
        changed.insert(t.category);
    }
    for (int category : changed)
        emit doc_.productsChanged(category);
    if (!products_.empty())
        emit doc_.modified();
}

void TImportCsv::undo() {
    for (int i = int(newNames_.size()) - 1; i >= 0; --i)
        doc_.deleteKat(firstNew_ + i);
    for (const auto& [category, count] : oldCounts_) {
        TDynaArray* products = doc_.products(category);
        if (!products)
            continue;
        for (int i = int(products->count()) - 1; i >= count; --i) {
            FreeProduktTexts(*static_cast<TProduktRec*>(products->GetObject(uint32_t(i))));
            products->Delete(i);
        }
        emit doc_.productsChanged(category);
    }
    if (!products_.empty())
        emit doc_.modified();
}
