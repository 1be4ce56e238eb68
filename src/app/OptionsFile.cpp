#include "app/OptionsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "files/BinaryStream.h"
#include "files/OutputFile.h"

std::optional<int32_t> ReadOptionsFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    // Opened for reading and writing, as the file has always been: a file
    // that cannot be written counts as missing.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(4);
    if (bytes.size() < 4)
        return std::nullopt;
    return qFromLittleEndian<int32_t>(bytes.constData());
}

bool WriteOptionsFile(const QString& path, int32_t language) {
    ByteWriter out;
    out.i32(language);
    return WriteWholeFile(path, out.bytes());
}
