#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// One file dialog of a window, kept by the window as its child under the
// dialog's name ("OpenDialog1"): the filter in the form
// "description|patterns|description|patterns…" (patterns separated by ';'),
// which the window translation passes on as one text, the default suffix,
// and whether saving asks before a file is replaced.
class TFileDialogSetup : public QObject {
    Q_OBJECT
public:
    TFileDialogSetup(const char* objectName, const QString& filter, const QString& defaultSuffix,
                     bool confirmOverwrite, QObject* parent);

    const QString& filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    // The filter as Qt's name filters ("description (*.a *.b)").
    QStringList nameFilters() const;
    const QString& defaultSuffix() const { return defaultSuffix_; }
    bool confirmOverwrite() const { return confirmOverwrite_; }

private:
    QString filter_;
    QString defaultSuffix_;
    bool confirmOverwrite_;
};
