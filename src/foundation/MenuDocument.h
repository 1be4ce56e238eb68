#pragma once

#include <array>

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "foundation/DynaArray.h"
#include "foundation/FontSetting.h"
#include "foundation/ProduktRec.h"
#include "foundation/Settings.h"

// One entry of the additive or allergen legend: key ("1", "2" … or "A", "B" …)
// and its text.
struct TLegendEntry {
    QString key;
    QString text;
    bool operator==(const TLegendEntry& o) const = default;
};

enum class Legend { Additives, Allergens };

// Everything a menu file stores: categories with their products, the two
// legends, the product database, the page texts, layout and background
// settings and the nine fonts.
//
// Categories are kept as in the window's list: category i is the name katName(i)
// together with record i of `kats`, which holds the address of the category's
// product array (a TDynaArray of TProduktRec). All product arrays share the
// cursor variable `aprod`. Products are reached with products(i), then
// GetObject(j) on that array.
//
// The document owns all product arrays and product texts and frees them when
// categories are removed and at its end.
//
// Every change made through this class's setters emits modified(); code that
// changes product records directly tells the window itself.
class MenuDocument : public QObject {
    Q_OBJECT
public:
    explicit MenuDocument(QObject* parent = nullptr);
    ~MenuDocument() override;

    // Cursor variables of `kats`, of every product array and of `data`.
    TDynaArray** akat = nullptr;
    TProduktRec* aprod = nullptr;
    TProduktRec* adata = nullptr;
    TDynaArray kats{sizeof(TDynaArray*), &akat};
    TDynaArray data{sizeof(TProduktRec), &adata};

    // --- settings ----------------------------------------------------------
    const QString& text(TextSetting s) const { return texts_[std::size_t(s)]; }
    bool flag(FlagSetting s) const { return flags_[std::size_t(s)]; }
    double number(NumberSetting s) const { return numbers_[std::size_t(s)]; }
    const TFontSetting& font(FontRole r) const { return fonts_[std::size_t(r)]; }

    void setText(TextSetting s, const QString& value);
    void setFlag(FlagSetting s, bool value);
    // Clamped to the setting's range; whole-number settings are rounded.
    void setNumber(NumberSetting s, double value);
    void setFont(FontRole r, const TFontSetting& value);

    // --- legends -----------------------------------------------------------
    const QList<TLegendEntry>& legend(Legend l) const { return legends_[std::size_t(l)]; }
    void setLegend(Legend l, const QList<TLegendEntry>& entries);

    // --- categories --------------------------------------------------------
    int katCount() const { return int(kats.count()); }
    QString katName(int i) const { return katNames_.value(i); }
    void setKatName(int i, const QString& name);
    // The product array of category i (positions `kats` on it).
    TDynaArray* products(int i);
    // Appends a category with an empty product array; returns its index, or
    // -1 when no room could be obtained.
    int addKat(const QString& name);
    // Frees the products of category i and removes it.
    void deleteKat(int i);
    // Exchanges categories i and j (names and products).
    void changeKats(int i, int j);
    // Removes every category and its products.
    void clearKats();
    // Takes category i out of the document: the caller receives its name and
    // its product array with the products and their texts. Null when there is
    // no category i.
    TDynaArray* takeKat(int i, QString* name);
    // Puts a category taken out before (or a fresh product array) back at
    // position i (0 <= i <= count); the document owns it again. False when
    // no room could be obtained; the caller still owns `products` then.
    bool insertKat(int i, const QString& name, TDynaArray* products);
    // Frees the products of an array that belongs to no document, and the
    // array itself.
    static void freeProducts(TDynaArray* products);

    // --- database ----------------------------------------------------------
    // Frees every database record's texts and empties `data`.
    void clearDatabase();

    // Empties categories and legends; settings, fonts and the database stay.
    void clearMenu();

    // Replace this document's categories (or database) by those of `other`,
    // which is left with this document's previous ones. Used to swap in a
    // document that was read completely.
    void exchangeKats(MenuDocument& other);
    void exchangeDatabase(MenuDocument& other);

signals:
    // Stored content changed through one of the setters above.
    void modified();
    void textChanged(TextSetting s);
    void flagChanged(FlagSetting s);
    void numberChanged(NumberSetting s);
    void fontChanged(FontRole r);
    void legendChanged(Legend l);
    void categoriesChanged();
    // Products of category i were added, removed, edited or moved.
    void productsChanged(int category);
    // Records of `data` were added, removed or reordered.
    void databaseChanged();

private:
    std::array<QString, TextSettingCount> texts_;
    std::array<bool, FlagSettingCount> flags_;
    std::array<double, NumberSettingCount> numbers_;
    std::array<TFontSetting, FontCount> fonts_;
    std::array<QList<TLegendEntry>, 2> legends_;
    QStringList katNames_;
};
