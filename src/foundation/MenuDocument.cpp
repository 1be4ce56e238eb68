#include "foundation/MenuDocument.h"

#include <algorithm>
#include <cmath>

MenuDocument::MenuDocument(QObject* parent) : QObject(parent) {
    for (int i = 0; i < TextSettingCount; ++i)
        texts_[std::size_t(i)] = SettingInfo(TextSetting(i)).defaultValue;
    for (int i = 0; i < FlagSettingCount; ++i)
        flags_[std::size_t(i)] = SettingInfo(FlagSetting(i)).defaultValue;
    for (int i = 0; i < NumberSettingCount; ++i)
        numbers_[std::size_t(i)] = SettingInfo(NumberSetting(i)).defaultValue;
    for (int i = 0; i < FontCount; ++i)
        fonts_[std::size_t(i)] = DefaultFont(FontRole(i));
}

MenuDocument::~MenuDocument() {
    // No signals from here: whoever listens may be half gone already.
    blockSignals(true);
    clearKats();
    clearDatabase();
}

void MenuDocument::setText(TextSetting s, const QString& value) {
    QString& v = texts_[std::size_t(s)];
    if (v == value)
        return;
    v = value;
    emit textChanged(s);
    emit modified();
}

void MenuDocument::setFlag(FlagSetting s, bool value) {
    bool& v = flags_[std::size_t(s)];
    if (v == value)
        return;
    v = value;
    emit flagChanged(s);
    emit modified();
}

void MenuDocument::setNumber(NumberSetting s, double value) {
    const NumberSettingInfo& info = SettingInfo(s);
    if (std::isnan(value))
        value = info.minimum;
    value = std::clamp(value, info.minimum, info.maximum);
    if (info.decimals == 0)
        value = std::round(value);
    double& v = numbers_[std::size_t(s)];
    if (v == value)
        return;
    v = value;
    emit numberChanged(s);
    emit modified();
}

void MenuDocument::setFont(FontRole r, const TFontSetting& value) {
    TFontSetting& v = fonts_[std::size_t(r)];
    if (v == value)
        return;
    v = value;
    emit fontChanged(r);
    emit modified();
}

void MenuDocument::setLegend(Legend l, const QList<TLegendEntry>& entries) {
    QList<TLegendEntry>& v = legends_[std::size_t(l)];
    if (v == entries)
        return;
    v = entries;
    emit legendChanged(l);
    emit modified();
}

void MenuDocument::setKatName(int i, const QString& name) {
    if (i < 0 || i >= katNames_.size() || katNames_[i] == name)
        return;
    katNames_[i] = name;
    emit categoriesChanged();
    emit modified();
}

TDynaArray* MenuDocument::products(int i) {
    if (i < 0 || i >= katCount())
        return nullptr;
    kats.GetObject(uint32_t(i));
    return *akat;
}

int MenuDocument::addKat(const QString& name) {
    if (!kats.Add())
        return -1;
    *akat = new TDynaArray(sizeof(TProduktRec), &aprod);
    katNames_.append(name);
    emit categoriesChanged();
    emit modified();
    return katCount() - 1;
}

void MenuDocument::freeProducts(TDynaArray* products) {
    if (!products)
        return;
    for (uint32_t j = 0; j < products->count(); ++j)
        FreeProduktTexts(*static_cast<TProduktRec*>(products->GetObject(j)));
    delete products;
}

void MenuDocument::deleteKat(int i) {
    if (i < 0 || i >= katCount())
        return;
    freeProducts(products(i));
    kats.Delete(i);
    katNames_.removeAt(i);
    emit categoriesChanged();
    emit modified();
}

void MenuDocument::changeKats(int i, int j) {
    if (i < 0 || j < 0 || i >= katCount() || j >= katCount())
        return;
    kats.Change(i, j);
    katNames_.swapItemsAt(i, j);
    emit categoriesChanged();
    emit modified();
}

TDynaArray* MenuDocument::takeKat(int i, QString* name) {
    TDynaArray* taken = products(i);
    if (!taken)
        return nullptr;
    kats.Delete(i);
    if (name)
        *name = katNames_.at(i);
    katNames_.removeAt(i);
    emit categoriesChanged();
    emit modified();
    return taken;
}

bool MenuDocument::insertKat(int i, const QString& name, TDynaArray* products) {
    if (i < 0 || i > katCount() || !products || !kats.Insert(i))
        return false;
    *akat = products;
    products->SetCursorVariable(&aprod);
    katNames_.insert(i, name);
    emit categoriesChanged();
    emit modified();
    return true;
}

void MenuDocument::clearKats() {
    if (katCount() == 0)
        return;
    kats.First();
    while (kats.WhileNext())
        freeProducts(*akat);
    kats.Clear();
    katNames_.clear();
    emit categoriesChanged();
    emit modified();
}

void MenuDocument::clearDatabase() {
    if (data.count() == 0)
        return;
    data.First();
    while (data.WhileNext())
        FreeProduktTexts(*adata);
    data.Clear();
    emit databaseChanged();
    emit modified();
}

void MenuDocument::clearMenu() {
    clearKats();
    setLegend(Legend::Additives, {});
    setLegend(Legend::Allergens, {});
}

void MenuDocument::exchangeKats(MenuDocument& other) {
    if (&other == this)
        return;
    kats.Exchange(other.kats);
    katNames_.swap(other.katNames_);
    // Product arrays write the cursor variable of the document that holds them.
    for (MenuDocument* doc : {this, &other}) {
        for (int i = 0; i < doc->katCount(); ++i)
            doc->products(i)->SetCursorVariable(&doc->aprod);
        doc->aprod = nullptr;
        doc->akat = nullptr;
        emit doc->categoriesChanged();
        emit doc->modified();
    }
}

void MenuDocument::exchangeDatabase(MenuDocument& other) {
    if (&other == this)
        return;
    data.Exchange(other.data);
    emit databaseChanged();
    emit other.databaseChanged();
    emit modified();
    emit other.modified();
}
