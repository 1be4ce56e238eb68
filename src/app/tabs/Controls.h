#pragma once

#include <initializer_list>

#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QWidget;

// Small builders for the controls that the tabs share. Every control gets
// its objectName, by which tests and the translation of the window find it.

struct TListColumn {
    const char* caption;
    int width;
    bool alignRight = false;
};

// A list in report view: header, whole rows selected one at a time, the
// selection still shown when the list loses focus, nothing edited in place.
QTreeWidget* MakeReportList(QWidget* parent, const char* objectName,
                            std::initializer_list<TListColumn> columns);

// A label for `buddy`, which takes the focus on the label's mnemonic.
QLabel* MakeLabel(const char* text, QWidget* buddy);

QCheckBox* MakeCheckBox(const char* objectName, const char* caption);

// A push button that takes Enter itself when it has the focus.
QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption);

// A scroll box in the workspace colour. Its content widget is laid out by
// hand and sized to what it holds; the scroll range follows that size.
QScrollArea* MakeScrollBox(QWidget* parent, const char* objectName);

template <class Widget> Widget* MakeNamed(const char* objectName, QWidget* parent = nullptr) {
    auto* w = new Widget(parent);
    w->setObjectName(QString::fromLatin1(objectName));
    return w;
}
