// The lists of the main window (categories, products, legends, database),
// the font buttons, and the commands whose operations come with later work.
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "app/MainUnit.h"
#include "layout/MenuLayout.h"

namespace {

// The buttons that need a selected category.
const char* const kProductButtons[] = {"NeuesProduktBtn", "ProduktBearbeitenBtn",
                                       "ProduktLoeschenBtn", "ProduktNachObenBtn",
                                       "ProduktNachUntenBtn"};

// One row of the product or database list: name, description, price with
// two decimals.
QTreeWidgetItem* ProductRow(const TProduktRec& p) {
    auto* row =
        new QTreeWidgetItem({TextOf(p.name), TextOf(p.description), FormatPrice(p.price, false)});
    row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    return row;
}

// Brings `list` to `rows` rows, making new ones with `flags`; existing rows
// stay, so an edit in progress on one of them is not disturbed.
void SetRowCount(QTreeWidget* list, int rows, Qt::ItemFlags flags) {
    while (list->topLevelItemCount() > rows)
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    while (list->topLevelItemCount() < rows)
        (new QTreeWidgetItem(list))->setFlags(flags);
}

void SetCell(QTreeWidgetItem* row, int column, const QString& text) {
    if (row->text(column) != text)
        row->setText(column, text);
}

} // namespace

int TMainForm::SelectedKat() const {
    const QList<QTreeWidgetItem*> selected = ListView2->selectedItems();
    return selected.isEmpty() ? -1 : ListView2->indexOfTopLevelItem(selected.constFirst());
}

void TMainForm::ListProds() {
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    const int kat = SelectedKat();
    if (TDynaArray* products = doc.products(kat)) {
        QList<QTreeWidgetItem*> rows;
        for (uint32_t j = 0; j < products->count(); ++j)
            rows.append(ProductRow(*static_cast<TProduktRec*>(products->GetObject(j))));
        ListView1->addTopLevelItems(rows);
    }
    for (const char* name : kProductButtons)
        findChild<QPushButton*>(QString::fromLatin1(name))->setEnabled(kat >= 0);
    ListView1->setUpdatesEnabled(true);
}

void TMainForm::ListDatabase() {
    ListView5->setUpdatesEnabled(false);
    ListView5->clear();
    QList<QTreeWidgetItem*> rows;
    for (uint32_t k = 0; k < doc.data.count(); ++k)
        rows.append(ProductRow(*static_cast<TProduktRec*>(doc.data.GetObject(k))));
    ListView5->addTopLevelItems(rows);
    ListView5->setUpdatesEnabled(true);
}

void TMainForm::ListKats() {
    {
        const QSignalBlocker blocker(ListView2);
        SetRowCount(ListView2, doc.katCount(),
                    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        for (int i = 0; i < doc.katCount(); ++i)
            SetCell(ListView2->topLevelItem(i), 0, doc.katName(i));
    }
    ListProds();
}

void TMainForm::ListView2Edited(QTreeWidgetItem* item) {
    doc.setKatName(ListView2->indexOfTopLevelItem(item), item->text(0));
}

void TMainForm::ListLegend(Legend legend) {
    QTreeWidget* list = legend == Legend::Additives ? ListView3 : ListView4;
    const QList<TLegendEntry>& entries = doc.legend(legend);
    const QSignalBlocker blocker(list);
    SetRowCount(list, int(entries.size()),
                Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    for (int i = 0; i < entries.size(); ++i) {
        SetCell(list->topLevelItem(i), 0, entries[i].key);
        SetCell(list->topLevelItem(i), 1, entries[i].text);
    }
}

void TMainForm::LegendEdited(Legend legend) {
    const QTreeWidget* list = legend == Legend::Additives ? ListView3 : ListView4;
    QList<TLegendEntry> entries;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        entries.append({list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1)});
    doc.setLegend(legend, entries);
}

void TMainForm::ListView1Resize() {
    ListView1->setColumnWidth(0, 150);
    ListView1->setColumnWidth(1, ListView1->width() - 235);
    ListView1->setColumnWidth(2, 75);
}

void TMainForm::ListView2Resize() {
    ListView2->setColumnWidth(0, ListView2->width() - 10);
}

void TMainForm::ListView2Click() {
    Called(__func__);
    ListProds();
}

void TMainForm::ListView2Change() {
    Called(__func__);
    SetChanged();
}

void TMainForm::ListView1DblClick() {
    Called(__func__);
    ProduktBearbeitenBtnClick();
}

// --- fonts -------------------------------------------------------------------

void TMainForm::ChooseFont(FontRole role) {
    QFont font = doc.font(role).toQFont();
    if (!prompts_->ChooseFont(this, FontRoleName(role), font))
        return;
    TFontSetting setting = doc.font(role);
    setting.assignFrom(font);
    doc.setFont(role, setting);
}

void TMainForm::BitBtnXP3Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog1);
}
void TMainForm::BitBtnXP4Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog2);
}
void TMainForm::BitBtnXP5Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog3);
}
void TMainForm::BitBtnXP6Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog4);
}
void TMainForm::BitBtnXP7Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog5);
}
void TMainForm::BitBtnXP8Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog6);
}
void TMainForm::BitBtnXP9Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog7);
}
void TMainForm::BitBtnXP10Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog8);
}
void TMainForm::BitBtnXP11Click() {
    Called(__func__);
    ChooseFont(FontRole::FontDialog9);
}

// --- commands whose operations come with later work ---------------------------
// Each is bound to its trigger already; until its operation exists it does
// nothing.

void TMainForm::ExportierenalsCSVDatei1Click() {
    Called(__func__);
}
void TMainForm::ImportierenausCSVDatei1Click() {
    Called(__func__);
}
void TMainForm::Drucken1Click() {
    Called(__func__);
}
void TMainForm::AktuelleSeitedrucken1Click() {
    Called(__func__);
}
void TMainForm::Druckereinrichten1Click() {
    Called(__func__);
}
void TMainForm::DPIWertbeimDruckenselbereinstellen1Click() {
    Called(__func__);
}
void TMainForm::Deutsch1Click() {
    Called(__func__);
}
void TMainForm::English1Click() {
    Called(__func__);
}
void TMainForm::Franais1Click() {
    Called(__func__);
}
void TMainForm::Nederlands1Click() {
    Called(__func__);
}
void TMainForm::Swedish1Click() {
    Called(__func__);
}
void TMainForm::bersetzen1Click() {
    Called(__func__);
}
void TMainForm::BitBtn1Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP2Click() {
    Called(__func__);
}
void TMainForm::BitBtn2Click() {
    Called(__func__);
}
void TMainForm::BitBtn3Click() {
    Called(__func__);
}
void TMainForm::BitBtn4Click() {
    Called(__func__);
}
void TMainForm::NeuesProduktBtnClick() {
    Called(__func__);
}
void TMainForm::ProduktBearbeitenBtnClick() {
    Called(__func__);
}
void TMainForm::ProduktLoeschenBtnClick() {
    Called(__func__);
}
void TMainForm::ProduktNachObenBtnClick() {
    Called(__func__);
}
void TMainForm::ProduktNachUntenBtnClick() {
    Called(__func__);
}
void TMainForm::AddToDataBaseBtnClick() {
    Called(__func__);
}
void TMainForm::AddProduktClick() {
    Called(__func__);
}
void TMainForm::DelProdDataBtnClick() {
    Called(__func__);
}
void TMainForm::BitBtn5Click() {
    Called(__func__);
}
void TMainForm::BitBtn6Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP12Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP13Click() {
    Called(__func__);
}
void TMainForm::BitBtn7Click() {
    Called(__func__);
}
void TMainForm::BitBtn8Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP14Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP15Click() {
    Called(__func__);
}
void TMainForm::BitBtnXP16Click() {
    Called(__func__);
}
