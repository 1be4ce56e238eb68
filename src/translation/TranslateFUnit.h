#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class TPrompts;
class TTranslationTable;

// The translator editor: the whole translation table in a grid of twenty
// language columns, one grid row per table row. Every change goes straight
// into the table and into translate.dat: each keystroke in a cell, each
// deletion. The translations reach the windows at the next start.
class TTranslateForm : public QDialog {
    Q_OBJECT
public:
    explicit TTranslateForm(TPrompts& prompts, QWidget* parent = nullptr);

    // Loads the grid from the program's table.
    void FillStringGrid();
    // A cell's text changed while it is edited: the table and the file follow.
    void setCellText(int row, int column, const QString& text);
    // Looks for the search text in every cell, the header row first, and
    // asks at each find whether to go on.
    void search();
    // Asks whether to delete the current row; only Yes deletes. The file is
    // written and the grid loaded again in any case.
    void deleteCurrentRow();
    // Keeps the German column in view and read-only, or frees it.
    void setFirstColumnFixed(bool fixed);

    QTableWidget* grid() const { return grid_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeFixedColumn();
    void scrollToCell(int row, int column);

    TPrompts& prompts_;
    QTableWidget* grid_ = nullptr;
    // Shows the German column over the grid's left edge while it is fixed.
    QTableView* fixedColumn_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QCheckBox* fixColumnCheck_ = nullptr;
    // Filling the grid is not an edit.
    bool filling_ = false;
};
