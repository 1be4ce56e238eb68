#include "app/tabs/ProductsTab.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/ViewState.h"
#include "app/tabs/Controls.h"
#include "app/tabs/ListRows.h"
#include "editing/MenuEditor.h"
#include "foundation/MenuDocument.h"

TProductsTab::TProductsTab(TMenuEditor& editor, TViewState& view, TPrompts& prompts,
                           QWidget* parent)
    : QWidget(parent), editor_(editor), doc_(editor.document()), view_(view), prompts_(prompts) {
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
    connect(&doc_, &MenuDocument::productsChanged, this, &TProductsTab::productsChanged);
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
    editor_.renameCategory(categoryList_->indexOfTopLevelItem(item), item->text(0));
}

void TProductsTab::productsChanged(int category) {
    if (category == selectedCategory())
        ListProds();
}

int TProductsTab::selectedProduct() const {
    const QList<QTreeWidgetItem*> selected = productList_->selectedItems();
    return selected.isEmpty() ? -1 : productList_->indexOfTopLevelItem(selected.constFirst());
}

void TProductsTab::selectCategory(int category) {
    if (QTreeWidgetItem* row = categoryList_->topLevelItem(category))
        categoryList_->setCurrentItem(row);
}

void TProductsTab::selectProduct(int product) {
    if (QTreeWidgetItem* row = productList_->topLevelItem(product))
        productList_->setCurrentItem(row);
}

QStringList TProductsTab::legendTexts(Legend legend) const {
    QStringList texts;
    for (const TLegendEntry& entry : doc_.legend(legend))
        texts << entry.text;
    return texts;
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

void TProductsTab::addCategory() {
    const int category = editor_.addCategory();
    if (category < 0)
        return;
    selectCategory(category);
    categoryList_->editItem(categoryList_->topLevelItem(category), 0);
}

void TProductsTab::renameCategory() {
    if (QTreeWidgetItem* row = categoryList_->topLevelItem(selectedCategory()))
        categoryList_->editItem(row, 0);
}

void TProductsTab::deleteCategory() {
    const int category = selectedCategory();
    if (category < 0)
        return;
    editor_.deleteCategory(category);
    // No row takes the place of the deleted one in the selection.
    categoryList_->setCurrentItem(nullptr);
    categoryList_->clearSelection();
    ListProds();
}

void TProductsTab::moveCategoryUp() {
    selectCategory(editor_.moveCategory(selectedCategory(), -1));
}

void TProductsTab::moveCategoryDown() {
    selectCategory(editor_.moveCategory(selectedCategory(), +1));
}

void TProductsTab::addProduct() {
    const int category = selectedCategory();
    if (category < 0)
        return;
    TProductFields fields;
    if (prompts_.EditProduct(this, fields, legendTexts(Legend::Additives),
                             legendTexts(Legend::Allergens)))
        editor_.addProduct(category, fields);
}

void TProductsTab::editProduct() {
    const int category = selectedCategory();
    const int product = selectedProduct();
    TProductFields fields;
    if (!editor_.productFields(category, product, fields))
        return;
    if (prompts_.EditProduct(this, fields, legendTexts(Legend::Additives),
                             legendTexts(Legend::Allergens)))
        editor_.editProduct(category, product, fields);
}

void TProductsTab::deleteProduct() {
    editor_.deleteProduct(selectedCategory(), selectedProduct());
}

void TProductsTab::moveProductUp() {
    const int product = selectedProduct();
    if (product >= 0)
        selectProduct(editor_.moveProduct(selectedCategory(), product, -1));
}

void TProductsTab::moveProductDown() {
    const int product = selectedProduct();
    if (product >= 0)
        selectProduct(editor_.moveProduct(selectedCategory(), product, +1));
}

void TProductsTab::copyProductToDatabase() {
    editor_.copyProductToDatabase(selectedCategory(), selectedProduct());
}
