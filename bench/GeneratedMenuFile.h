#pragma once

#include <QString>

#include "common/GeneratedMenu.h"
#include "files/MenuFile.h"

// The generated menu of `products` products with a frame on every page, saved
// at `path`: the menu that the runs of the whole program read.
inline bool SaveGeneratedMenu(int products, const QString& path) {
    MenuDocument doc;
    FillGeneratedMenu(doc, products, 42);
    doc.setFlag(FlagSetting::Frame, true);
    return SaveMenuFile(doc, path);
}
