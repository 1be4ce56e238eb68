#include "app/tabs/ListRows.h"

#include <QTreeWidget>

#include "foundation/DynaArray.h"
#include "foundation/ProduktRec.h"
#include "layout/MenuLayout.h"

QList<QTreeWidgetItem*> ProductRows(TDynaArray& products) {
    QList<QTreeWidgetItem*> rows;
    for (uint32_t j = 0; j < products.count(); ++j) {
        const auto& p = *static_cast<TProduktRec*>(products.GetObject(j));
        auto* row = new QTreeWidgetItem(
            {TextOf(p.name), TextOf(p.description), FormatPrice(p.price, false)});
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
    }
    return rows;
}

void SetRowCount(QTreeWidget* list, int rows, Qt::ItemFlags flags) {
    while (list->topLevelItemCount() > rows)
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    while (list->topLevelItemCount() < rows)
        (new QTreeWidgetItem(list))->setFlags(flags);
}

void SetCellText(QTreeWidgetItem* row, int column, const QString& text) {
    if (row->text(column) != text)
        row->setText(column, text);
}
