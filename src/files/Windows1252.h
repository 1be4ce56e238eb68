#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252 ("ANSI", Western European), by an explicit table so that the
// result never depends on the process locale.
//
// The five byte values that the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control characters of the same value and back, so
// that every byte sequence survives decoding and encoding unchanged.

// One character per byte.
QString FromWindows1252(QByteArrayView bytes);
// One byte per character (a surrogate pair is one character). Characters that
// the code page cannot represent become '?'.
QByteArray ToWindows1252(QStringView text);
