#pragma once

#include <ostream>

#include <QString>
#include <QStringList>

// Readable failure messages for Qt strings in GoogleTest assertions and in
// the messages streamed into them.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
