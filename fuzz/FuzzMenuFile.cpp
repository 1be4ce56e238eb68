#include <QByteArrayView>
#include <QUndoStack>

#include "FuzzBodies.h"
#include "editing/MenuEditor.h"
#include "files/MenuFile.h"
#include "foundation/MenuDocument.h"

namespace {

// The document that a file is opened into already holds a menu, so that
// opening has something to exchange and free.
void fillTarget(MenuDocument& doc) {
    QUndoStack stack;
    TMenuEditor editor(doc, stack);
    const int k = editor.addCategory(QStringLiteral("Vorspeisen"));
    editor.addProduct(
        k, {QStringLiteral("Suppe"), QStringLiteral("heiß"), QStringLiteral("0,3l"), 4.5, 1});
    editor.copyProductToDatabase(k, 0);
    editor.addLegendEntry(Legend::Additives, QStringLiteral("Farbstoff"));
}

} // namespace

int FuzzMenuFile(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    MenuDocument loaded;
    MenuFileGroups groups;
    QString error;
    const bool read = ReadMenuFile(bytes, loaded, &groups, &error);
    FuzzCheck(groups.count >= 0 && groups.count <= MenuFileGroupCount, "group count out of range");
    FuzzCheck(read || !error.isEmpty(), "a refused menu file gives no reason");
    if (!read)
        return 0; // opening stops here; `loaded` frees what was read

    MenuDocument target;
    fillTarget(target);
    ApplyLoadedMenu(target, loaded, groups);

    // What we write we read, completely, and it writes the same bytes again.
    const QByteArray written = MenuFileBytes(target);
    MenuDocument again;
    MenuFileGroups againGroups;
    FuzzCheck(ReadMenuFile(written, again, &againGroups), "a written menu file cannot be read");
    FuzzCheck(againGroups.count == MenuFileGroupCount, "a written menu file lacks groups");
    FuzzCheck(MenuFileBytes(again) == written, "a menu file read back writes other bytes");
    return 0;
}
