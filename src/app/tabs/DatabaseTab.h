#pragma once

#include <QWidget>

class MenuDocument;
class QTreeWidget;

// The tab "Datenbank": the product database and the buttons that copy a
// product from it into the selected category or delete it.
class TDatabaseTab : public QWidget {
    Q_OBJECT
public:
    explicit TDatabaseTab(MenuDocument& doc, QWidget* parent = nullptr);

    QTreeWidget* databaseList() const { return databaseList_; }
    // Refills the list from the database.
    void ListDatabase();

public slots:
    // Commands whose operations are still to come: each is bound to its
    // button and does nothing yet.
    void copyProductToCategory();
    void deleteProduct();

signals:
    // A double click on the list: edits the product selected in the product
    // list, as "Produkt bearbeiten" does.
    void editProductRequested();

private:
    MenuDocument& doc_;
    QTreeWidget* databaseList_ = nullptr;
};
