#pragma once

#include <QWidget>

#include "foundation/MenuDocument.h"

class QLineEdit;
class QTreeWidget;

// The tabs "Zusatzstoffe" and "Allergene": one legend, a field for a new
// entry and the buttons that edit the list. The allergen tab also loads the
// preset allergen list.
class TLegendTab : public QWidget {
    Q_OBJECT
public:
    TLegendTab(MenuDocument& doc, Legend legend, QWidget* parent = nullptr);

    Legend legend() const { return legend_; }

public slots:
    // Commands whose operations are still to come: each is bound to its
    // button and does nothing yet.
    void addEntry();
    void deleteEntry();
    void moveEntryUp();
    void moveEntryDown();
    void loadAllergenPreset();

private:
    // Brings the list in step with the document's legend.
    void listEntries();
    // Stores the list, after a key was edited in place, in the document.
    void storeEditedEntries();

    MenuDocument& doc_;
    const Legend legend_;
    QLineEdit* entryEdit_ = nullptr;
    QTreeWidget* entryList_ = nullptr;
};
