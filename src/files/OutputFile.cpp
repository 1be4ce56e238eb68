#include "files/OutputFile.h"
#include "translation/TranslateUnit.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Writes into a file that exists and is not a regular file.
bool writeStraight(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    return true;
}

} // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo info(path);
    if (info.isDir()) {
        setError(error, TranslateText(QStringLiteral("\"%1\" ist ein Ordner, keine Datei"))
                            .arg(nativePath(path)));
        return false;
    }
    if (info.exists() && !info.isFile())
        return writeStraight(path, bytes, error);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht angelegt werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    // Flushing before commit() matters: commit() does not notice when the last
    // buffered bytes fail to reach the disk (a partial write of a full disk).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht gespeichert werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    return true;
}

bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error) {
    if (path != QLatin1String("-"))
        return WriteWholeFile(path, bytes, error);
    const bool ok =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0;
    if (!ok)
        setError(error, TranslateText(
                            QStringLiteral("Die Standardausgabe kann nicht geschrieben werden")));
    return ok;
}
