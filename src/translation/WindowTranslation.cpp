#include "translation/WindowTranslation.h"

#include <deque>
#include <vector>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/FileDialogSetup.h"
#include "translation/TranslateUnit.h"

namespace {

const char* const kKeepText = "menoluxKeepText";

// Passes a text through the table and writes the result back when it changed.
// Empty texts are neither changed nor registered (TranslateText returns them).
template <class Get, class Set> void translate(Get get, Set set) {
    const QString text = get();
    if (text.isEmpty())
        return;
    const QString result = TranslateText(text);
    if (result != text)
        set(result);
}

// Qt gives an action without a tooltip of its own its text as tooltip, less
// the ampersands and the dots; only a tooltip of its own is a text to
// translate.
QString ownToolTip(const QAction* action) {
    QString stripped = action->text();
    stripped.remove(QStringLiteral("..."));
    for (qsizetype i = 0; i < stripped.size(); ++i) {
        if (stripped.at(i) == u'&')
            stripped.remove(i, 1);
    }
    stripped = stripped.trimmed();
    const QString tip = action->toolTip();
    return tip == stripped ? QString() : tip;
}

void translateToolTip(QWidget* w) {
    translate([w] { return w->toolTip(); }, [w](const QString& t) { w->setToolTip(t); });
}

void translateAction(QAction* a) {
    // A separator is registered as the "-" that stands for it.
    if (a->isSeparator()) {
        TranslateText(QStringLiteral("-"));
        return;
    }
    translate([a] { return a->text(); }, [a](const QString& t) { a->setText(t); });
    translate([a] { return ownToolTip(a); }, [a](const QString& t) { a->setToolTip(t); });
}

// The tab widget of which `w` is a page, or null.
QTabWidget* tabsOfPage(const QWidget* w) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parent());
    return stack ? qobject_cast<QTabWidget*>(stack->parent()) : nullptr;
}

// Controls that are parts of another control: the editor of a spin box or a
// combo box, and the title action of a menu, which goes with the menu.
bool isPartOfAnother(const QObject* c) {
    if (qobject_cast<const QLineEdit*>(c))
        return qobject_cast<const QAbstractSpinBox*>(c->parent()) ||
               qobject_cast<const QComboBox*>(c->parent());
    if (const auto* a = qobject_cast<const QAction*>(c)) {
        const auto* menu = qobject_cast<const QMenu*>(a->parent());
        return menu && menu->menuAction() == a;
    }
    return false;
}

// Translates one object by the first rule its class meets:
//  1. labels: the text; check boxes and radio buttons: the tooltip, then the
//     text; pages of a tab widget: the tab's title; windows: the title;
//  2. buttons (push and tool buttons) and group boxes: the text, then the
//     tooltip;
//  3. menus and their actions: the text, then a tooltip of their own
//     (separators as "-");
//  4. spin boxes: the tooltip only (the value is a number);
//  5. tables: the header row, first column to last;
//  6. tree and list views: the column headers, first to last;
//  7. file dialog setups: the filter, as one text;
//  8. plain-text editors: each line, first to last;
//  9. line edits: the text.
// Anything else keeps its texts: the walk still goes through its children.
void translateOne(QObject* c) {
    if (c->property(kKeepText).toBool() || isPartOfAnother(c))
        return;
    if (auto* label = qobject_cast<QLabel*>(c)) {
        translate([label] { return label->text(); },
                  [label](const QString& t) { label->setText(t); });
    } else if (qobject_cast<QCheckBox*>(c) || qobject_cast<QRadioButton*>(c)) {
        auto* box = static_cast<QAbstractButton*>(c);
        translateToolTip(box);
        translate([box] { return box->text(); }, [box](const QString& t) { box->setText(t); });
    } else if (auto* w = qobject_cast<QWidget*>(c); w && tabsOfPage(w)) {
        QTabWidget* tabs = tabsOfPage(w);
        const int i = tabs->indexOf(w);
        translate([=] { return tabs->tabText(i); },
                  [=](const QString& t) { tabs->setTabText(i, t); });
    } else if (qobject_cast<QMainWindow*>(c) || qobject_cast<QDialog*>(c)) {
        auto* window = static_cast<QWidget*>(c);
        translate([window] { return window->windowTitle(); },
                  [window](const QString& t) { window->setWindowTitle(t); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        translate([button] { return button->text(); },
                  [button](const QString& t) { button->setText(t); });
        translateToolTip(button);
    } else if (auto* group = qobject_cast<QGroupBox*>(c)) {
        translate([group] { return group->title(); },
                  [group](const QString& t) { group->setTitle(t); });
        translateToolTip(group);
    } else if (auto* menu = qobject_cast<QMenu*>(c)) {
        translateAction(menu->menuAction());
    } else if (auto* action = qobject_cast<QAction*>(c)) {
        translateAction(action);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(c)) {
        translateToolTip(spin);
    } else if (auto* table = qobject_cast<QTableWidget*>(c)) {
        for (int col = 0; col < table->columnCount(); ++col) {
            if (QTableWidgetItem* item = table->horizontalHeaderItem(col))
                translate([item] { return item->text(); },
                          [item](const QString& t) { item->setText(t); });
        }
    } else if (auto* tree = qobject_cast<QTreeWidget*>(c)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int col = 0; header && col < header->columnCount(); ++col)
            translate([=] { return header->text(col); },
                      [=](const QString& t) { header->setText(col, t); });
    } else if (auto* dialog = qobject_cast<TFileDialogSetup*>(c)) {
        translate([dialog] { return dialog->filter(); },
                  [dialog](const QString& t) { dialog->setFilter(t); });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(c)) {
        const QString before = memo->toPlainText();
        if (before.isEmpty())
            return;
        QStringList lines = before.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = line.isEmpty() ? line : TranslateText(line);
        if (const QString after = lines.join(QLatin1Char('\n')); after != before)
            memo->setPlainText(after);
    } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        translate([edit] { return edit->text(); }, [edit](const QString& t) { edit->setText(t); });
    }
}

} // namespace

void KeepTextOutOfTranslation(QObject* control) {
    control->setProperty(kKeepText, true);
}

void TranslateComponentTree(const QList<QWidget*>& windows) {
    // The registrations of one walk are written to the file once, at its end.
    const TTranslationBatch batch(Translations());
    // Null stands for the application, which owns the windows.
    std::deque<QObject*> current{nullptr};
    std::vector<QObject*> next;
    while (!current.empty()) {
        QObject* owner = current.front();
        current.pop_front();
        const QObjectList owned =
            owner ? owner->children() : QObjectList(windows.cbegin(), windows.cend());
        next.clear();
        for (qsizetype i = owned.size() - 1; i >= 0; --i) {
            QObject* c = owned[i];
            if (!c)
                continue;
            next.push_back(c);
            translateOne(c);
        }
        current.insert(current.end(), next.begin(), next.end());
    }
}
