#include "app/DataFiles.h"

#include <QCoreApplication>
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

bool IsInstalledProgram(const QString& programDir) {
    const QString dir = QDir::cleanPath(programDir);
    return QFileInfo(dir).fileName() == QLatin1String("bin") &&
           QFileInfo(dir + QStringLiteral("/../share/menolux")).isDir();
}

QString ProgramDataFolder(const QString& programDir) {
    if (IsInstalledProgram(programDir))
        return withSlash(QDir::cleanPath(programDir + QStringLiteral("/../share/menolux")));
    return withSlash(programDir);
}

QString ProgramDataFolder() {
    return ProgramDataFolder(QCoreApplication::applicationDirPath());
}

QString TDataFiles::translationsToLoad() const {
    if (QFileInfo::exists(translations()) || startingTranslations.isEmpty())
        return translations();
    return startingTranslations;
}

TDataFiles LocateDataFiles(const QString& programDir) {
    const QFileInfo program(programDir);
    // The folder is named after the program alone, whatever organisation
    // name the application carries.
    return LocateDataFiles(programDir, program.isDir() && program.isWritable(),
                           QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                               QStringLiteral("/Menolux"));
}

TDataFiles LocateDataFiles(const QString& programDir, bool programDirWritable,
                           const QString& userDataFolder) {
    if (programDirWritable && !IsInstalledProgram(programDir))
        return DataFilesIn(programDir);
    TDataFiles files = DataFilesIn(userDataFolder);
    QDir().mkpath(files.folder);
    const QString shipped = ProgramDataFolder(programDir) + QStringLiteral("translate.dat");
    if (QFileInfo(shipped).isFile())
        files.startingTranslations = shipped;
    return files;
}

TDataFiles DataFilesIn(const QString& folder) {
    return {withSlash(folder), QString()};
}
