#include "translation/TranslateFUnit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "translation/TranslateUnit.h"

namespace {

// The questions of the editor, in German.
const char* const kSearchCaption = "Suchen";
const char* const kSearchQuestion = "Gefunden. Weitersuchen?";
const char* const kDeleteCaption = "Zeile löschen";

// The titles of the language columns.
QString columnTitle(int column) {
    static const char* const names[] = {"German", "English", "Français", "Nederlands", "Swedish"};
    if (column < int(std::size(names)))
        return QString::fromUtf8(names[column]);
    return QStringLiteral("language%1").arg(column);
}

// The letters a to z in capitals; every other character stays as it is.
QString capitalLatinLetters(QString text) {
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return text;
}

// The grid, telling whether a cell is being edited.
class TStringGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
};

// Reports every change of a cell editor's text, keystroke by keystroke.
class TCellEditDelegate : public QStyledItemDelegate {
public:
    explicit TCellEditDelegate(TTranslateForm* form) : QStyledItemDelegate(form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const int row = index.row();
            const int column = index.column();
            TTranslateForm* form = form_;
            connect(line, &QLineEdit::textEdited, form, [form, row, column](const QString& text) {
                form->setCellText(row, column, text);
            });
        }
        return editor;
    }

private:
    TTranslateForm* form_;
};

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* icon,
                        QStyle::StandardPixmap fallback) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(
        QIcon::fromTheme(QString::fromLatin1(icon), parent->style()->standardIcon(fallback)));
    // Enter presses no button of this window.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TTranslateForm::TTranslateForm(TPrompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("TranslateForm"));
    setWindowTitle(QStringLiteral("Übersetzen"));
    resize(705, 453);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFixedHeight(35);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(4, 2, 4, 2);
    QPushButton* back =
        makeButton(top, "BackBtn", "Zurück...", "go-previous", QStyle::SP_ArrowBack);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    topRow->addWidget(back);
    auto* unused = new QPushButton(QStringLiteral("Button1"), top);
    unused->setObjectName(QStringLiteral("Button1"));
    unused->setAutoDefault(false);
    unused->hide();
    topRow->addWidget(unused);
    topRow->addStretch(1);
    column->addWidget(top);

    auto* searchBar = new QWidget(this);
    searchBar->setObjectName(QStringLiteral("Panel2"));
    searchBar->setFixedHeight(40);
    auto* searchRow = new QHBoxLayout(searchBar);
    searchRow->setContentsMargins(4, 2, 4, 2);
    searchField_ = new QLineEdit(searchBar);
    searchField_->setObjectName(QStringLiteral("FilterEdit"));
    searchField_->setMinimumWidth(200);
    QPushButton* find = makeButton(searchBar, "FilterBtn", "Suchen", "edit-find",
                                   QStyle::SP_FileDialogContentsView);
    connect(find, &QPushButton::clicked, this, &TTranslateForm::search);
    deleteButton_ =
        makeButton(searchBar, "DeleteRowBtn", "Zeile löchen", "edit-delete", QStyle::SP_TrashIcon);
    connect(deleteButton_, &QPushButton::clicked, this, &TTranslateForm::deleteCurrentRow);
    fixColumnCheck_ = new QCheckBox(QStringLiteral("Erste Spalte fixieren"), searchBar);
    fixColumnCheck_->setObjectName(QStringLiteral("FixedColCheck"));
    connect(fixColumnCheck_, &QCheckBox::toggled, this, &TTranslateForm::setFirstColumnFixed);
    searchRow->addWidget(searchField_);
    searchRow->addWidget(find);
    searchRow->addWidget(deleteButton_);
    searchRow->addWidget(fixColumnCheck_);
    searchRow->addStretch(1);
    column->addWidget(searchBar);

    grid_ = new TStringGrid(0, LanguageCount, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->horizontalHeader()->setDefaultSectionSize(250);
    grid_->verticalHeader()->hide();
    grid_->setShowGrid(true);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setItemDelegate(new TCellEditDelegate(this));
    // The header row is empty until the grid is first filled.
    for (int c = 0; c < LanguageCount; ++c)
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem);
    grid_->installEventFilter(this);
    column->addWidget(grid_, 1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    column->addWidget(status);

    fixedColumn_ = new QTableView(grid_);
    fixedColumn_->setObjectName(QStringLiteral("StringGrid1FixedColumn"));
    fixedColumn_->setModel(grid_->model());
    fixedColumn_->setSelectionModel(grid_->selectionModel());
    fixedColumn_->setFocusPolicy(Qt::NoFocus);
    fixedColumn_->setFrameShape(QFrame::NoFrame);
    fixedColumn_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixedColumn_->verticalHeader()->hide();
    fixedColumn_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixedColumn_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedColumn_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedColumn_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    for (int c = 1; c < LanguageCount; ++c)
        fixedColumn_->setColumnHidden(c, true);
    fixedColumn_->hide();
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged,
            fixedColumn_->verticalScrollBar(), &QScrollBar::setValue);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section == 0)
            placeFixedColumn();
    });
}

void TTranslateForm::FillStringGrid() {
    TTranslationTable* table = Translations();
    const int rows = table ? table->rowCount() : 0;
    filling_ = true;
    grid_->clearContents();
    grid_->setRowCount(rows);
    for (int c = 0; c < LanguageCount; ++c)
        grid_->horizontalHeaderItem(c)->setText(columnTitle(c));
    const bool fixed = fixColumnCheck_->isChecked();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < LanguageCount; ++c) {
            auto* item = new QTableWidgetItem(table->text(r, c));
            if (c == 0 && fixed)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid_->setItem(r, c, item);
        }
    }
    filling_ = false;
    placeFixedColumn();
}

void TTranslateForm::setCellText(int row, int column, const QString& text) {
    TTranslationTable* table = Translations();
    if (filling_ || !table)
        return;
    if (row >= 0 && row < table->rowCount() && column >= 0 && column < LanguageCount)
        table->setText(row, column, text);
    table->SaveTranslations();
}

void TTranslateForm::scrollToCell(int row, int column) {
    // The cell's row becomes the top row and its column the left column of
    // what scrolls; a fixed German column stays in front of it.
    const int left = fixColumnCheck_->isChecked() && column > 0 ? column - 1 : column;
    grid_->horizontalScrollBar()->setValue(left);
    grid_->verticalScrollBar()->setValue(std::max(row, 0));
}

void TTranslateForm::search() {
    const QString wanted = capitalLatinLetters(searchField_->text());
    if (wanted.isEmpty())
        return;
    // Row -1 is the header row.
    for (int r = -1; r < grid_->rowCount(); ++r) {
        for (int c = 0; c < grid_->columnCount(); ++c) {
            const QTableWidgetItem* item =
                r < 0 ? grid_->horizontalHeaderItem(c) : grid_->item(r, c);
            if (!item || !capitalLatinLetters(item->text()).contains(wanted))
                continue;
            // A header cell cannot be selected: no cell of the grid is then.
            if (r < 0)
                grid_->setCurrentIndex(QModelIndex());
            else
                grid_->setCurrentCell(r, c, QItemSelectionModel::ClearAndSelect);
            scrollToCell(r, c);
            if (!prompts_.YesNo(this, TranslateText(QString::fromUtf8(kSearchQuestion)),
                                TranslateText(QString::fromUtf8(kSearchCaption))))
                return;
        }
    }
}

void TTranslateForm::deleteCurrentRow() {
    TTranslationTable* table = Translations();
    if (!table)
        return;
    const int r = grid_->currentRow();
    const int column = std::max(grid_->currentColumn(), 0);
    if (r >= 0 && r < table->rowCount()) {
        const auto answer = prompts_.YesNoCancel(this, table->text(r, 0),
                                                 TranslateText(QString::fromUtf8(kDeleteCaption)));
        if (answer == TPrompts::Answer::Yes)
            table->deleteRow(r);
    }
    table->SaveTranslations();
    FillStringGrid();
    if (r >= 0 && r < grid_->rowCount())
        grid_->setCurrentCell(r, column);
}

void TTranslateForm::setFirstColumnFixed(bool fixed) {
    for (int r = 0; r < grid_->rowCount(); ++r) {
        if (QTableWidgetItem* item = grid_->item(r, 0))
            item->setFlags(fixed ? item->flags() & ~Qt::ItemIsEditable
                                 : item->flags() | Qt::ItemIsEditable);
    }
    fixedColumn_->setVisible(fixed);
    placeFixedColumn();
}

void TTranslateForm::placeFixedColumn() {
    if (!fixedColumn_->isVisible())
        return;
    fixedColumn_->setColumnWidth(0, grid_->columnWidth(0));
    fixedColumn_->setGeometry(grid_->frameWidth(), grid_->frameWidth(), grid_->columnWidth(0),
                              grid_->viewport()->height() + grid_->horizontalHeader()->height());
    fixedColumn_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->value());
    fixedColumn_->raise();
}

void TTranslateForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeFixedColumn();
}

void TTranslateForm::keyPressEvent(QKeyEvent* event) {
    // Escape presses "Zeile löchen", the window's cancel button; the window
    // closes with "Zurück..." or its title bar.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        deleteButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TTranslateForm::eventFilter(QObject* watched, QEvent* event) {
    // The Delete key deletes the row, unless a cell is being edited: then it
    // deletes characters in the cell's editor, which sees the key first.
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        !static_cast<TStringGrid*>(grid_)->isEditing()) {
        deleteCurrentRow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
