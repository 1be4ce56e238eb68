#include <QByteArrayView>
#include <QUndoStack>

#include "FuzzBodies.h"
#include "editing/MenuEditor.h"
#include "files/CsvFile.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"

namespace {

int productTotal(MenuDocument& doc) {
    int n = 0;
    for (int k = 0; k < doc.katCount(); ++k)
        n += int(doc.products(k)->count());
    return n;
}

} // namespace

int FuzzCsvImport(const uint8_t* data, size_t size) {
    const QList<TCsvLine> lines = ReadCsv(QByteArrayView(data, qsizetype(size)));
    int lineProducts = 0;
    for (const TCsvLine& line : lines)
        lineProducts += line.hasProduct ? 1 : 0;

    // An import goes into a menu that holds categories already; a line may
    // name one of them.
    MenuDocument doc;
    QUndoStack stack;
    TMenuEditor editor(doc, stack);
    editor.addCategory(QStringLiteral("Vorspeisen"));
    editor.addProduct(0, {QStringLiteral("Suppe"), QString(), QString(), 4.5, 1});
    editor.addCategory(QString());
    stack.clear();

    int products = 0;
    int categories = 0;
    const int last = editor.importCsv(lines, &products, &categories);
    FuzzCheck(products == lineProducts, "an import counts other products than the lines hold");
    FuzzCheck(productTotal(doc) == 1 + (last >= 0 ? lineProducts : 0),
              "an import adds other products than the lines hold");
    FuzzCheck(last < doc.katCount(), "an import names a category that is not there");
    if (last >= 0) {
        stack.undo();
        FuzzCheck(doc.katCount() == 2 && productTotal(doc) == 1,
                  "undoing an import leaves something behind");
        stack.redo();
    }

    // The menu as exported holds a line for each product, and reads back so.
    const QByteArray csv = WriteCsv(doc, CsvHeader());
    const QList<TCsvLine> back = ReadCsv(csv);
    FuzzCheck(back.size() == productTotal(doc), "an exported menu reads back other lines");
    return 0;
}
