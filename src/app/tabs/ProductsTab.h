#pragma once

#include <QList>
#include <QWidget>

class MenuDocument;
enum class Legend;
class QPushButton;
class TMenuEditor;
class TPrompts;
class QTreeWidget;
class QTreeWidgetItem;
class TViewState;

// The tab "Produkte anlegen": the categories above the products of the
// selected category, and the buttons that edit them. The selected category
// is kept in the shared view state.
class TProductsTab : public QWidget {
    Q_OBJECT
public:
    TProductsTab(TMenuEditor& editor, TViewState& view, TPrompts& prompts,
                 QWidget* parent = nullptr);

    // The selected category, -1 for none.
    int selectedCategory() const;
    // The selected product row, -1 for none.
    int selectedProduct() const;
    // Selects the first category, if there is one.
    void selectFirstCategory();
    // Refills the product list from the selected category; the product
    // buttons wait for a selected category.
    void ListProds();
    // A resize of `list` also fits the product list's columns (the database
    // list does this).
    void fitColumnsOnResizeOf(QWidget* list);
    // Selects category `category` in the list and shows its products.
    void selectCategory(int category);

public slots:
    // The tab's commands. Each acts on the selected category and product and
    // does nothing without them.
    void addCategory();
    void renameCategory();
    void deleteCategory();
    void moveCategoryUp();
    void moveCategoryDown();
    void addProduct();
    void editProduct();
    void deleteProduct();
    void moveProductUp();
    void moveProductDown();
    void copyProductToDatabase();

signals:
    // The category list reported a change: a name edited in place, another
    // category selected. Each is a change of the document.
    void categoryListChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Brings the category list in step with the document.
    void listCategories();
    void categoryRenamed(QTreeWidgetItem* item);
    void productsChanged(int category);
    void selectProduct(int product);
    // The texts of a legend, for the product dialog's check lists.
    QStringList legendTexts(Legend legend) const;
    void fitCategoryColumn();
    void fitProductColumns();

    TMenuEditor& editor_;
    MenuDocument& doc_;
    TViewState& view_;
    TPrompts& prompts_;
    QTreeWidget* categoryList_ = nullptr;
    QTreeWidget* productList_ = nullptr;
    QList<QPushButton*> productButtons_;
    QWidget* alsoFitOnResizeOf_ = nullptr;
};
