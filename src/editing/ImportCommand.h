#pragma once

#include <vector>

#include <QList>
#include <QString>
#include <QStringList>
#include <QUndoCommand>

#include "files/CsvFile.h"

class MenuDocument;

// Adds the lines of an imported CSV file to the document as one step: each
// line selects the first category of its name, or appends a new one, and
// appends its product there. Undo takes exactly these categories and
// products out again.
class TImportCsv : public QUndoCommand {
public:
    TImportCsv(MenuDocument& doc, const QList<TCsvLine>& lines);

    void redo() override;
    void undo() override;

    // The category that the last line named (-1 for no lines).
    int lastCategory() const { return lastCategory_; }
    int productCount() const { return int(products_.size()); }
    int categoryCount() const { return categoryCount_; }
    // False when the lines only named categories that exist already.
    bool changesDocument() const { return !products_.empty() || !newNames_.isEmpty(); }

private:
    struct Target {
        int category;
        TCsvProduct product;
    };
    MenuDocument& doc_;
    int firstNew_ = 0;     // index of the first new category
    QStringList newNames_; // categories appended, in order
    std::vector<Target> products_;
    std::vector<std::pair<int, int>> oldCounts_; // existing category, its count before
    int lastCategory_ = -1;
    int categoryCount_ = 0; // distinct categories that lines named
};
