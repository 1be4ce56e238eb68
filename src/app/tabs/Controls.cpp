#include "app/tabs/Controls.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>

QTreeWidget* MakeReportList(QWidget* parent, const char* objectName,
                            std::initializer_list<TListColumn> columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setColumnCount(int(columns.size()));
    auto* header = new QTreeWidgetItem;
    int i = 0;
    for (const TListColumn& c : columns) {
        header->setText(i, QString::fromUtf8(c.caption));
        if (c.alignRight)
            header->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        ++i;
    }
    list->setHeaderItem(header);
    i = 0;
    for (const TListColumn& c : columns)
        list->setColumnWidth(i++, c.width);
    return list;
}

QLabel* MakeLabel(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(buddy);
    return label;
}

QCheckBox* MakeCheckBox(const char* objectName, const char* caption) {
    auto* box = MakeNamed<QCheckBox>(objectName);
    box->setText(QString::fromUtf8(caption));
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // A focused button takes Enter itself, as it takes Space.
    button->setAutoDefault(true);
    return button;
}

QScrollArea* MakeScrollBox(QWidget* parent, const char* objectName) {
    auto* box = MakeNamed<QScrollArea>(objectName, parent);
    box->setBackgroundRole(QPalette::Dark);
    box->setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Content"));
    content->setBackgroundRole(QPalette::Dark);
    box->setWidget(content);
    return box;
}
