#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

class MenuDocument;

// The CSV exchange file: a header line, then one line per product with the
// fields category, name, description, price, number and quantity. Text is
// Windows-1252, every field is quoted, lines end with CR LF.

// Appends `field` quoted, its quotes doubled, followed by a comma.
void AddCsvField(QString& line, const QString& field);

// The whole file for `doc`: the header from `header` (six texts), then the
// products of every category in list order; categories without products write
// no line. Prices use QLocale() with two decimals and no group separator.
QByteArray WriteCsv(MenuDocument& doc, const QStringList& header);

// The header texts of the active language.
QStringList CsvHeader();

// The text of one raw imported field: outer quotes removed, runs of quotes
// made single, \r and \n turned into line breaks.
QString decodeenters(QString field);

// The fields of one logical line. A comma outside quotes ends a field; a
// trailing empty piece counts as no field.
QStringList SplitCsvLine(QStringView line);

// One imported line: a category name and, when the line had two or more
// fields, a product.
struct TCsvProduct {
    QString name;
    QString description;
    QString quantity;
    double price = 0;
    int number = 0;
    bool operator==(const TCsvProduct&) const = default;
};
struct TCsvLine {
    QString category;
    bool hasProduct = false;
    TCsvProduct product;
    bool operator==(const TCsvLine&) const = default;
};

// Reads a whole file: the first line is skipped, empty lines are skipped. A
// line break inside an open quoted field belongs to the field. Prices are read
// with QLocale(), a price or number that cannot be read is 0.
QList<TCsvLine> ReadCsv(QByteArrayView bytes);
