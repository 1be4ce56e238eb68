#include "editing/MenuEditor.h"

#include <QUndoStack>

#include "editing/CategoryCommands.h"
#include "editing/ImportCommand.h"
#include "editing/ProductCommands.h"
#include "editing/SettingCommands.h"
#include "translation/TranslateUnit.h"

TMenuEditor::TMenuEditor(MenuDocument& doc, QUndoStack& stack) : doc_(doc), stack_(stack) {
    stack_.setUndoLimit(UndoLimit);
}

void TMenuEditor::push(QUndoCommand* command) {
    stack_.push(command);
}

// --- categories ------------------------------------------------------------------

int TMenuEditor::addCategory(const QString& name) {
    const int index = doc_.katCount();
    push(TAddRemoveCategory::Add(doc_, index, name));
    return doc_.katCount() > index ? index : -1;
}

void TMenuEditor::renameCategory(int category, const QString& name) {
    if (category < 0 || category >= doc_.katCount() || doc_.katName(category) == name)
        return;
    push(new TRenameCategory(doc_, category, name));
}

void TMenuEditor::deleteCategory(int category) {
    if (category < 0 || category >= doc_.katCount())
        return;
    push(TAddRemoveCategory::Remove(doc_, category));
}

int TMenuEditor::moveCategory(int category, int delta) {
    const int target = category + delta;
    if (category < 0 || category >= doc_.katCount() || target < 0 || target >= doc_.katCount())
        return category;
    push(new TSwapCategories(doc_, target, category,
                             delta < 0 ? TranslateText(QStringLiteral("Kategorie nach oben"))
                                       : TranslateText(QStringLiteral("Kategorie nach unten"))));
    return target;
}

// --- products --------------------------------------------------------------------

bool TMenuEditor::hasProduct(int category, int product) {
    const TDynaArray* products = doc_.products(category);
    return products && product >= 0 && uint32_t(product) < products->count();
}

bool TMenuEditor::productFields(int category, int product, TProductFields& fields) {
    if (!hasProduct(category, product))
        return false;
    fields = FieldsOf(*static_cast<TProduktRec*>(doc_.products(category)->GetObject(product)));
    return true;
}

int TMenuEditor::addProduct(int category, const TProductFields& fields) {
    TDynaArray* products = doc_.products(category);
    if (!products)
        return -1;
    const int index = int(products->count());
    push(TAddRemoveProduct::Add(doc_, {category}, index, MakeProdukt(fields),
                                TranslateText(QStringLiteral("Neues Produkt"))));
    return int(doc_.products(category)->count()) > index ? index : -1;
}

void TMenuEditor::editProduct(int category, int product, const TProductFields& fields) {
    TProductFields old;
    if (!productFields(category, product, old) || old == fields)
        return;
    push(new TEditProduct(doc_, category, product, MakeProdukt(fields)));
}

void TMenuEditor::deleteProduct(int category, int product) {
    if (!hasProduct(category, product))
        return;
    push(TAddRemoveProduct::Remove(doc_, {category}, product,
                                   TranslateText(QStringLiteral("Produkt löschen"))));
}

int TMenuEditor::moveProduct(int category, int product, int delta) {
    const int target = product + delta;
    if (!hasProduct(category, product) || !hasProduct(category, target))
        return product;
    push(new TSwapProducts(doc_, category, target, product,
                           delta < 0 ? TranslateText(QStringLiteral("Produkt nach oben"))
                                     : TranslateText(QStringLiteral("Produkt nach unten"))));
    return target;
}

// --- product database --------------------------------------------------------------

void TMenuEditor::copyProductToDatabase(int category, int product) {
    TProductFields fields;
    if (!productFields(category, product, fields))
        return;
    push(new TAddToDatabase(doc_, MakeProdukt(fields)));
}

void TMenuEditor::copyDatabaseProductToCategory(int record, int category) {
    TDynaArray* products = doc_.products(category);
    if (!products || record < 0 || uint32_t(record) >= doc_.data.count())
        return;
    const TProductFields fields =
        FieldsOf(*static_cast<TProduktRec*>(doc_.data.GetObject(uint32_t(record))));
    push(TAddRemoveProduct::Add(doc_, {category}, int(products->count()), MakeProdukt(fields),
                                TranslateText(QStringLiteral("Zu Produkten hinzufügen"))));
}

void TMenuEditor::deleteDatabaseProduct(int record) {
    if (record < 0 || uint32_t(record) >= doc_.data.count())
        return;
    push(TAddRemoveProduct::Remove(
        doc_, {TProductPlace::Database}, record,
        TranslateText(QStringLiteral("Produkt aus der Datenbank löschen"))));
}

// --- additive and allergen lists -----------------------------------------------------

QString TMenuEditor::LegendCode(Legend l, int i) {
    if (l == Legend::Additives)
        return QString::number(i + 1);
    return QString(QChar(char16_t(65 + i)));
}

QString TMenuEditor::MarkerText(Legend l, const QList<bool>& checked) {
    QString marker = QStringLiteral(" (");
    bool first = true;
    for (int i = 0; i < checked.size(); ++i) {
        if (!checked[i])
            continue;
        if (!first)
            marker += QStringLiteral("; ");
        marker += LegendCode(l, i);
        first = false;
    }
    return first ? QString() : marker + QLatin1Char(')');
}

const QStringList& TMenuEditor::AllergenPresetTexts() {
    static const QStringList texts{
        QStringLiteral("Glutenhaltiges Getreide"),
        QStringLiteral("Krebstiere"),
        QStringLiteral("Ei"),
        QStringLiteral("Fisch"),
        QStringLiteral("Erdnuss"),
        QStringLiteral("Soja"),
        QStringLiteral("Milch oder Laktose"),
        QStringLiteral("Schalenfrüchte"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("Sellerie"),
        QStringLiteral("Senf"),
        QStringLiteral("Sesam"),
        QStringLiteral("Sulfite"),
        QStringLiteral("Lupinen"),
        QString(),
        QStringLiteral("Weichtiere"),
    };
    return texts;
}

QString TMenuEditor::LegendStepName(Legend l, const char* additive, const char* allergen) {
    return TranslateText(QString::fromUtf8(l == Legend::Additives ? additive : allergen));
}

void TMenuEditor::Recaption(Legend l, QList<TLegendEntry>& entries) {
    for (int i = 0; i < entries.size(); ++i)
        entries[i].key = LegendCode(l, i);
}

void TMenuEditor::addLegendEntry(Legend l, const QString& text) {
    QList<TLegendEntry> entries = doc_.legend(l);
    entries.append({LegendCode(l, int(entries.size())), text});
    push(ChangeLegend(doc_, l, entries,
                      LegendStepName(l, "Zusatzstoff hinzufügen", "Allergen hinzufügen")));
}

void TMenuEditor::deleteLegendEntry(Legend l, int row) {
    QList<TLegendEntry> entries = doc_.legend(l);
    if (row < 0 || row >= entries.size())
        return;
    entries.removeAt(row);
    Recaption(l, entries);
    push(ChangeLegend(doc_, l, entries,
                      LegendStepName(l, "Zusatzstoff löschen", "Allergen löschen")));
}

int TMenuEditor::moveLegendEntry(Legend l, int row, int delta) {
    QList<TLegendEntry> entries = doc_.legend(l);
    const int target = row + delta;
    if (row < 0 || row >= entries.size() || target < 0 || target >= entries.size())
        return row;
    entries.swapItemsAt(row, target);
    Recaption(l, entries);
    push(ChangeLegend(doc_, l, entries,
                      delta < 0
                          ? LegendStepName(l, "Zusatzstoff nach oben", "Allergen nach oben")
                          : LegendStepName(l, "Zusatzstoff nach unten", "Allergen nach unten")));
    return target;
}

void TMenuEditor::setLegendKey(Legend l, int row, const QString& key) {
    QList<TLegendEntry> entries = doc_.legend(l);
    if (row < 0 || row >= entries.size() || entries[row].key == key)
        return;
    entries[row].key = key;
    push(ChangeLegend(doc_, l, entries, TranslateText(QStringLiteral("Nr ändern"))));
}

void TMenuEditor::loadAllergenPreset() {
    QList<TLegendEntry> entries;
    for (const QString& text : AllergenPresetTexts())
        entries.append({LegendCode(Legend::Allergens, int(entries.size())), TranslateText(text)});
    if (entries == doc_.legend(Legend::Allergens))
        return;
    push(ChangeLegend(doc_, Legend::Allergens, entries,
                      TranslateText(QStringLiteral("Voreingestellte Allergene laden"))));
}

// --- settings and fonts --------------------------------------------------------------

void TMenuEditor::setText(TextSetting s, const QString& value) {
    if (doc_.text(s) != value)
        push(ChangeText(doc_, s, value));
}

void TMenuEditor::setFlag(FlagSetting s, bool value) {
    if (doc_.flag(s) != value)
        push(ChangeFlag(doc_, s, value));
}

void TMenuEditor::setNumber(NumberSetting s, double value) {
    if (doc_.number(s) != value)
        push(ChangeNumber(doc_, s, value));
}

void TMenuEditor::setFont(FontRole r, const TFontSetting& value) {
    if (doc_.font(r) != value)
        push(ChangeFont(doc_, r, value));
}

// --- CSV import ------------------------------------------------------------------

int TMenuEditor::importCsv(const QList<TCsvLine>& lines, int* products, int* categories) {
    auto* command = new TImportCsv(doc_, lines);
    const int last = command->lastCategory();
    if (products)
        *products = command->productCount();
    if (categories)
        *categories = command->categoryCount();
    if (!command->changesDocument()) {
        delete command;
        return -1;
    }
    push(command);
    return last;
}
