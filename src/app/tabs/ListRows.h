#pragma once

#include <QList>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class TDynaArray;

// One row per product of `products`: name, description, price with two
// decimals (right-aligned).
QList<QTreeWidgetItem*> ProductRows(TDynaArray& products);

// Brings `list` to `rows` rows, making new ones with `flags`; existing rows
// stay, so an edit in progress on one of them is not disturbed.
void SetRowCount(QTreeWidget* list, int rows, Qt::ItemFlags flags);

// Sets a cell's text unless it already shows it.
void SetCellText(QTreeWidgetItem* row, int column, const QString& text);
