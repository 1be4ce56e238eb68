#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "editing/ProductFields.h"
#include "files/CsvFile.h"
#include "foundation/MenuDocument.h"

class QUndoCommand;
class QUndoStack;

// Every edit of a menu document, each as one step on an undo stack. An
// operation that lacks what it needs (a category, a product, a row) does
// nothing and pushes no step. Indexes are positions in the document's lists.
class TMenuEditor {
public:
    // Enough to take back a long session; the oldest steps go first.
    static constexpr int UndoLimit = 500;

    TMenuEditor(MenuDocument& doc, QUndoStack& stack);

    MenuDocument& document() { return doc_; }
    QUndoStack& undoStack() { return stack_; }

    // --- categories ------------------------------------------------------------
    // Appends a category; returns its index, -1 when no room could be obtained.
    int addCategory(const QString& name = QString());
    void renameCategory(int category, const QString& name);
    // Removes a category with all its products.
    void deleteCategory(int category);
    // Moves a category one place up (delta −1) or down (+1); returns its new
    // index, or its old one when it stays.
    int moveCategory(int category, int delta);

    // --- products --------------------------------------------------------------
    // Appends a product; returns its index or -1.
    int addProduct(int category, const TProductFields& fields);
    void editProduct(int category, int product, const TProductFields& fields);
    void deleteProduct(int category, int product);
    // Like moveCategory, for a product of a category.
    int moveProduct(int category, int product, int delta);
    // The fields of a product; false when there is no such product.
    bool productFields(int category, int product, TProductFields& fields);

    // --- product database ------------------------------------------------------
    // Puts a copy of a product into the database, which is then sorted by name.
    void copyProductToDatabase(int category, int product);
    // Appends a copy of database record `record` to a category.
    void copyDatabaseProductToCategory(int record, int category);
    void deleteDatabaseProduct(int record);

    // --- additive and allergen lists -------------------------------------------
    // The code of position i: "1", "2" … for additives, "A", "B" … for
    // allergens (past "Z" the characters that follow it).
    static QString LegendCode(Legend l, int i);
    // The marker that the product dialog appends to a name for the checked
    // entries of a legend: " (1; 3)", " (A; C)"; empty when none is checked.
    static QString MarkerText(Legend l, const QList<bool>& checked);
    // The preset allergen texts, eighteen, four of them empty.
    static const QStringList& AllergenPresetTexts();

    void addLegendEntry(Legend l, const QString& text);
    void deleteLegendEntry(Legend l, int row);
    // Like moveCategory, for a legend row.
    int moveLegendEntry(Legend l, int row, int delta);
    // Changes the shown code of a row only.
    void setLegendKey(Legend l, int row, const QString& key);
    // Replaces the allergen list with the preset.
    void loadAllergenPreset();

    // --- settings and fonts ----------------------------------------------------
    void setText(TextSetting s, const QString& value);
    void setFlag(FlagSetting s, bool value);
    void setNumber(NumberSetting s, double value);
    void setFont(FontRole r, const TFontSetting& value);

    // --- CSV import ------------------------------------------------------------
    // Adds imported lines as one step. Returns the category that the last
    // line named (-1 for none); `products` and `categories` receive how many
    // products were read and how many categories the lines named.
    int importCsv(const QList<TCsvLine>& lines, int* products = nullptr, int* categories = nullptr);

private:
    void push(QUndoCommand* command);
    bool hasProduct(int category, int product);
    // Every row captioned with the code of its position.
    static void Recaption(Legend l, QList<TLegendEntry>& entries);
    // The name of a step on a legend, in the active language.
    static QString LegendStepName(Legend l, const char* additive, const char* allergen);

    MenuDocument& doc_;
    QUndoStack& stack_;
};
