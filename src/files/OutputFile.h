#pragma once

#include <QByteArray>
#include <QString>

// Writing a whole file at once, so that a failure never leaves half a file.
//
// A regular file, or a name that does not exist yet, is written through a
// temporary file that replaces the old one only once everything is written:
// a failed write leaves an existing file as it was. Anything else that already
// carries the name (a device such as a terminal, a named pipe) is written
// straight into, never replaced. A folder is refused. On failure returns false
// and, when `error` is given, a message that names the file and the cause.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The same, where "-" means standard output (the command line's outputs).
bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error = nullptr);
