#include "app/DataFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString TDataFiles::translationsToLoad() const {
    if (QFileInfo::exists(translations()) || startingTranslations.isEmpty())
        return translations();
    return startingTranslations;
}

TDataFiles LocateDataFiles(const QString& programDir) {
    const QFileInfo program(programDir);
    if (program.isDir() && program.isWritable())
        return DataFilesIn(programDir);
    TDataFiles files =
        DataFilesIn(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir().mkpath(files.folder);
    const QString shipped = withSlash(programDir) + QStringLiteral("translate.dat");
    if (QFileInfo(shipped).isFile())
        files.startingTranslations = shipped;
    return files;
}

TDataFiles DataFilesIn(const QString& folder) {
    return {withSlash(folder), QString()};
}
