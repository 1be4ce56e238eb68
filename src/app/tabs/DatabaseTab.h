#pragma once

#include <QWidget>

class MenuDocument;
class QTreeWidget;
class TMenuEditor;
class TViewState;

// The tab "Datenbank": the product database and the buttons that copy a
// product from it into the selected category or delete it.
class TDatabaseTab : public QWidget {
    Q_OBJECT
public:
    TDatabaseTab(TMenuEditor& editor, TViewState& view, QWidget* parent = nullptr);

    QTreeWidget* databaseList() const { return databaseList_; }
    // Refills the list from the database.
    void ListDatabase();
    // The selected record, -1 for none.
    int selectedRecord() const;

public slots:
    // Copies the selected record into the category selected on the tab
    // "Produkte anlegen"; deletes the selected record.
    void copyProductToCategory();
    void deleteProduct();

signals:
    // A double click on the list: edits the product selected in the product
    // list, as "Produkt bearbeiten" does.
    void editProductRequested();

private:
    TMenuEditor& editor_;
    MenuDocument& doc_;
    TViewState& view_;
    QTreeWidget* databaseList_ = nullptr;
};
