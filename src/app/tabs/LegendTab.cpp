#include "app/tabs/LegendTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/tabs/Controls.h"
#include "app/tabs/ListRows.h"
#include "editing/MenuEditor.h"

namespace {

// Keeps a column from being edited in place.
class TNoEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

// The control names of each legend tab.
struct TLegendControls {
    const char* edit;
    const char* add;
    const char* remove;
    const char* up;
    const char* down;
    const char* list;
};

const TLegendControls kAdditiveControls{"BezEd",      "BitBtn5",    "BitBtn6",
                                        "BitBtnXP12", "BitBtnXP13", "ListView3"};
const TLegendControls kAllergenControls{"AllEd",      "BitBtn7",    "BitBtn8",
                                        "BitBtnXP14", "BitBtnXP15", "ListView4"};

} // namespace

TLegendTab::TLegendTab(TMenuEditor& editor, Legend legend, QWidget* parent)
    : QWidget(parent), editor_(editor), doc_(editor.document()), legend_(legend) {
    const bool allergens = legend == Legend::Allergens;
    const TLegendControls& names = allergens ? kAllergenControls : kAdditiveControls;
    auto* column = new QVBoxLayout(this);

    auto* strip = new QHBoxLayout;
    entryEdit_ = MakeNamed<QLineEdit>(names.edit);
    entryEdit_->setMinimumWidth(220);
    strip->addWidget(MakeLabel("Bezeichnung:", entryEdit_));
    strip->addWidget(entryEdit_, 1);
    auto add = [&](const char* name, const char* caption, void (TLegendTab::*command)()) {
        QPushButton* b = MakeButton(this, name, caption);
        connect(b, &QPushButton::clicked, this, command);
        return b;
    };
    QPushButton* addButton = add(names.add, "Hinzufügen", &TLegendTab::addEntry);
    addButton->setDefault(true);
    strip->addWidget(addButton);
    strip->addWidget(add(names.remove, "Löschen", &TLegendTab::deleteEntry));
    strip->addWidget(add(names.up, "Nach oben", &TLegendTab::moveEntryUp));
    strip->addWidget(add(names.down, "Nach unten", &TLegendTab::moveEntryDown));
    strip->addStretch(1);
    column->addLayout(strip);
    if (allergens)
        column->addWidget(add("BitBtnXP16", "Voreingestellte Allergene für Österreich laden",
                              &TLegendTab::loadAllergenPreset));

    entryList_ = MakeReportList(this, names.list, {{"Nr", 50}, {"Bezeichnung", 700}});
    // Only the "Nr" caption is edited in place.
    entryList_->setEditTriggers(QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed);
    entryList_->setItemDelegateForColumn(1, new TNoEditDelegate(entryList_));
    connect(entryList_, &QTreeWidget::itemChanged, this, &TLegendTab::storeEditedKey);
    column->addWidget(entryList_, 1);

    connect(&doc_, &MenuDocument::legendChanged, this, [this](Legend changed) {
        if (changed == legend_)
            listEntries();
    });
    listEntries();
}

void TLegendTab::listEntries() {
    const QList<TLegendEntry>& entries = doc_.legend(legend_);
    const QSignalBlocker blocker(entryList_);
    SetRowCount(entryList_, int(entries.size()),
                Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    for (int i = 0; i < entries.size(); ++i) {
        SetCellText(entryList_->topLevelItem(i), 0, entries[i].key);
        SetCellText(entryList_->topLevelItem(i), 1, entries[i].text);
    }
}

void TLegendTab::storeEditedKey(QTreeWidgetItem* row, int column) {
    if (column == 0)
        editor_.setLegendKey(legend_, entryList_->indexOfTopLevelItem(row), row->text(0));
}

int TLegendTab::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = entryList_->selectedItems();
    return selected.isEmpty() ? -1 : entryList_->indexOfTopLevelItem(selected.constFirst());
}

void TLegendTab::selectRow(int row) {
    if (QTreeWidgetItem* item = entryList_->topLevelItem(row))
        entryList_->setCurrentItem(item);
}

void TLegendTab::addEntry() {
    editor_.addLegendEntry(legend_, entryEdit_->text());
    entryEdit_->clear();
    entryEdit_->setFocus();
}

void TLegendTab::deleteEntry() {
    editor_.deleteLegendEntry(legend_, selectedRow());
}

void TLegendTab::moveEntryUp() {
    const int row = selectedRow();
    if (row >= 0)
        selectRow(editor_.moveLegendEntry(legend_, row, -1));
}

void TLegendTab::moveEntryDown() {
    const int row = selectedRow();
    if (row >= 0)
        selectRow(editor_.moveLegendEntry(legend_, row, +1));
}

void TLegendTab::loadAllergenPreset() {
    editor_.loadAllergenPreset();
}
