#include "app/tabs/DatabaseTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ViewState.h"
#include "app/tabs/Controls.h"
#include "app/tabs/ListRows.h"
#include "editing/MenuEditor.h"
#include "foundation/MenuDocument.h"

TDatabaseTab::TDatabaseTab(TMenuEditor& editor, TViewState& view, QWidget* parent)
    : QWidget(parent), editor_(editor), doc_(editor.document()), view_(view) {
    auto* row = new QHBoxLayout(this);
    databaseList_ = MakeReportList(
        this, "ListView5", {{"Bezeichnung", 150}, {"Beschreibung", 250}, {"Preis", 75, true}});
    connect(databaseList_, &QTreeWidget::itemDoubleClicked, this,
            &TDatabaseTab::editProductRequested);
    row->addWidget(databaseList_, 1);

    auto* buttons = new QVBoxLayout;
    QPushButton* remove = MakeButton(this, "DelProdDataBtn", "Produkt löschen");
    connect(remove, &QPushButton::clicked, this, &TDatabaseTab::deleteProduct);
    buttons->addWidget(remove);
    QPushButton* copy = MakeButton(this, "AddProdukt", "Zu Produkten hinzufügen");
    connect(copy, &QPushButton::clicked, this, &TDatabaseTab::copyProductToCategory);
    copy->setDefault(true);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    row->addLayout(buttons);
    connect(&doc_, &MenuDocument::databaseChanged, this, &TDatabaseTab::ListDatabase);
}

void TDatabaseTab::ListDatabase() {
    databaseList_->setUpdatesEnabled(false);
    databaseList_->clear();
    databaseList_->addTopLevelItems(ProductRows(doc_.data));
    databaseList_->setUpdatesEnabled(true);
}

int TDatabaseTab::selectedRecord() const {
    const QList<QTreeWidgetItem*> selected = databaseList_->selectedItems();
    return selected.isEmpty() ? -1 : databaseList_->indexOfTopLevelItem(selected.constFirst());
}

void TDatabaseTab::copyProductToCategory() {
    editor_.copyDatabaseProductToCategory(selectedRecord(), view_.selectedCategory());
}

void TDatabaseTab::deleteProduct() {
    editor_.deleteDatabaseProduct(selectedRecord());
}
