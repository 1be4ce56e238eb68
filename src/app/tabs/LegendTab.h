#pragma once

#include <QWidget>

#include "foundation/MenuDocument.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TMenuEditor;

// The tabs "Zusatzstoffe" and "Allergene": one legend, a field for a new
// entry and the buttons that edit the list. The allergen tab also loads the
// preset allergen list.
class TLegendTab : public QWidget {
    Q_OBJECT
public:
    TLegendTab(TMenuEditor& editor, Legend legend, QWidget* parent = nullptr);

    Legend legend() const { return legend_; }
    // The selected row, -1 for none.
    int selectedRow() const;

public slots:
    // The tab's commands; delete and move act on the selected row.
    void addEntry();
    void deleteEntry();
    void moveEntryUp();
    void moveEntryDown();
    void loadAllergenPreset();

private:
    // Brings the list in step with the document's legend.
    void listEntries();
    // Stores a caption edited in place in the document.
    void storeEditedKey(QTreeWidgetItem* row, int column);
    void selectRow(int row);

    TMenuEditor& editor_;
    MenuDocument& doc_;
    const Legend legend_;
    QLineEdit* entryEdit_ = nullptr;
    QTreeWidget* entryList_ = nullptr;
};
