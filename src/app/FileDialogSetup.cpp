#include "app/FileDialogSetup.h"

#include "texture/Dib.h"

TFileDialogSetup::TFileDialogSetup(const char* objectName, const QString& filter,
                                   const QString& defaultSuffix, bool confirmOverwrite,
                                   QObject* parent)
    : QObject(parent), filter_(filter), defaultSuffix_(defaultSuffix),
      confirmOverwrite_(confirmOverwrite) {
    setObjectName(QString::fromLatin1(objectName));
}

QStringList TFileDialogSetup::nameFilters() const {
    return DibFilterToNameFilters(filter_);
}
