#include <QFile>

#include "FuzzBodies.h"
#include "translation/TranslateUnit.h"

int FuzzTranslateFile(const uint8_t* data, size_t size) {
    const QString input = FuzzScratchFile(QStringLiteral("input.dat"));
    const QString saved = FuzzScratchFile(QStringLiteral("translate.dat"));
    FuzzWriteFile(input, data, size);
    QFile::remove(saved);
    QFile::remove(saved + QStringLiteral(".bak"));

    const bool whole = TTranslationTable().InitTranslation(input);
    TTranslationTable& table = InitTranslation(saved, input);
    FuzzCheck(whole || QFile::exists(saved + QStringLiteral(".bak")),
              "a damaged table file is not kept beside the table");
    table.setLanguage(int32_t(size % (LanguageCount + 1)) - 1);
    // Look up what the file holds, and register texts that it lacks: the
    // table then writes itself, once at the end of the batch (as a window's
    // translation does).
    const int loadedRows = table.rowCount();
    {
        TTranslationBatch batch(&table);
        for (int r = 0; r < loadedRows && r < 16; ++r)
            TranslateText(table.text(r, 0));
        TranslateText(QStringLiteral(" Datei \u00F6ffnen %1 "));
        TranslateText(QStringLiteral("Ein Text, den keine Datei enthält"));
        GetMessageText(int(size % 22));
    }
    FuzzCheck(table.rowCount() >= loadedRows, "the table lost rows");

    // The written file holds the whole table and reads back completely.
    if (!QFile::exists(saved))
        FuzzCheck(table.SaveTranslations(), "the table cannot be written");
    TTranslationTable reread;
    FuzzCheck(reread.InitTranslation(saved), "a written table reads back as damaged");
    FuzzCheck(reread.rowCount() == table.rowCount(), "a written table reads back other rows");
    for (int r = 0; r < table.rowCount(); ++r)
        for (int k = 0; k < LanguageCount; ++k)
            FuzzCheck(reread.text(r, k) == table.text(r, k),
                      "a written table reads back other texts");
    EndTranslation();
    return 0;
}
