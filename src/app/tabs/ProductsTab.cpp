#include "app/tabs/ProductsTab.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ViewState.h"
#include "app/tabs/Controls.h"
#include "app/tabs/ListRows.h"
#include "foundation/MenuDocument.h"

TProductsTab::TProductsTab(MenuDocument& doc, TViewState& view, QWidget* parent)
    : QWidget(parent), doc_(doc), view_(view) {
    auto* row = new QHBoxLayout(this);

    auto* splitter = MakeNamed<QSplitter>("Splitter1", this);
    splitter->setOrientation(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    categoryList_ = MakeReportList(splitter, "ListView2", {{"Kategorie", 200}});
    categoryList_->setEditTriggers(QAbstractItemView::SelectedClicked |
                                   QAbstractItemView::EditKeyPressed);
    productList_ = MakeReportList(
        splitter, "ListView1", {{"Bezeichnung", 150}, {"Beschreibung", 250}, {"Preis", 75, true}});
    splitter->addWidget(categoryList_);
    splitter->addWidget(productList_);
    splitter->setSizes({177, 300});
    row->addWidget(splitter, 1);

    auto* panel = MakeNamed<QWidget>("Panel2", this);
    panel->setFixedWidth(172);
    auto* buttons = new QVBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* name, const char* caption, void (TProductsTab::*command)()) {
        QPushButton* b = MakeButton(panel, name, caption);
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
        return b;
    };
    add("BitBtn1", "Neue Kategorie", &TProductsTab::addCategory);
    add("BitBtnXP2", "Kategorie bearbeiten", &TProductsTab::renameCategory);
    add("BitBtn2", "Kategorie löschen", &TProductsTab::deleteCategory);
    add("BitBtn3", "Kategorie nach oben", &TProductsTab::moveCategoryUp);
    add("BitBtn4", "Kategorie nach unten", &TProductsTab::moveCategoryDown);
    buttons->addSpacing(12);
    productButtons_ = {
        add("NeuesProduktBtn", "Neues Produkt", &TProductsTab::addProduct),
        add("ProduktBearbeitenBtn", "Produkt bearbeiten", &TProductsTab::editProduct),
        add("ProduktLoeschenBtn", "Produkt löschen", &TProductsTab::deleteProduct),
        add("ProduktNachObenBtn", "Produkt nach oben", &TProductsTab::moveProductUp),
        add("ProduktNachUntenBtn", "Produkt nach unten", &TProductsTab::moveProductDown),
    };
    buttons->addSpacing(12);
    add("AddToDataBaseBtn", "Zur Datenbank hinzufügen", &TProductsTab::copyProductToDatabase)
        ->setDefault(true);
    buttons->addStretch(1);
    row->addWidget(panel);

    // Any change of the category list (a caption edited in place, another
    // row selected) is a change of the document.
    connect(categoryList_, &QTreeWidget::itemChanged, this, &TProductsTab::categoryRenamed);
    connect(categoryList_, &QTreeWidget::itemChanged, this, &TProductsTab::categoryListChanged);
    connect(categoryList_, &QTreeWidget::itemSelectionChanged, this,
            &TProductsTab::categoryListChanged);
    connect(categoryList_, &QTreeWidget::currentItemChanged, this,
            &TProductsTab::categoryListChanged);
    // The product list always shows the selected category, however it was
    // selected.
    connect(categoryList_, &QTreeWidget::itemSelectionChanged, this, &TProductsTab::ListProds);
    connect(categoryList_, &QTreeWidget::itemClicked, this, &TProductsTab::ListProds);
    connect(productList_, &QTreeWidget::itemDoubleClicked, this, &TProductsTab::editProduct);
    productList_->installEventFilter(this);
    categoryList_->installEventFilter(this);

    connect(&doc_, &MenuDocument::categoriesChanged, this, &TProductsTab::listCategories);
    listCategories();
}

int TProductsTab::selectedCategory() const {
    const QList<QTreeWidgetItem*> selected = categoryList_->selectedItems();
    return selected.isEmpty() ? -1 : categoryList_->indexOfTopLevelItem(selected.constFirst());
}

void TProductsTab::selectFirstCategory() {
    if (QTreeWidgetItem* first = categoryList_->topLevelItem(0))
        categoryList_->setCurrentItem(first);
}

void TProductsTab::ListProds() {
    const int category = selectedCategory();
    view_.setSelectedCategory(category);
    productList_->setUpdatesEnabled(false);
    productList_->clear();
    if (TDynaArray* products = doc_.products(category))
        productList_->addTopLevelItems(ProductRows(*products));
    for (QPushButton* b : productButtons_)
        b->setEnabled(category >= 0);
    productList_->setUpdatesEnabled(true);
}

void TProductsTab::listCategories() {
    {
        const QSignalBlocker blocker(categoryList_);
        SetRowCount(categoryList_, doc_.katCount(),
                    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        for (int i = 0; i < doc_.katCount(); ++i)
            SetCellText(categoryList_->topLevelItem(i), 0, doc_.katName(i));
    }
    ListProds();
}

void TProductsTab::fitColumnsOnResizeOf(QWidget* list) {
    alsoFitOnResizeOf_ = list;
    list->installEventFilter(this);
}

void TProductsTab::categoryRenamed(QTreeWidgetItem* item) {
    doc_.setKatName(categoryList_->indexOfTopLevelItem(item), item->text(0));
}

bool TProductsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == categoryList_)
            fitCategoryColumn();
        else if (watched == productList_ || watched == alsoFitOnResizeOf_)
            fitProductColumns();
    }
    return QWidget::eventFilter(watched, event);
}

void TProductsTab::fitCategoryColumn() {
    categoryList_->setColumnWidth(0, categoryList_->width() - 10);
}

void TProductsTab::fitProductColumns() {
    productList_->setColumnWidth(0, 150);
    productList_->setColumnWidth(1, productList_->width() - 235);
    productList_->setColumnWidth(2, 75);
}

void TProductsTab::addCategory() {}
void TProductsTab::renameCategory() {}
void TProductsTab::deleteCategory() {}
void TProductsTab::moveCategoryUp() {}
void TProductsTab::moveCategoryDown() {}
void TProductsTab::addProduct() {}
void TProductsTab::editProduct() {}
void TProductsTab::deleteProduct() {}
void TProductsTab::moveProductUp() {}
void TProductsTab::moveProductDown() {}
void TProductsTab::copyProductToDatabase() {}
