#pragma once

#include <cstdint>
#include <optional>

#include <QString>

// options.dat: exactly four bytes, the interface language column as a signed
// little-endian int32. Bytes after the first four are never read.

// The stored language column. None when the file is missing, is not a
// regular file, cannot be opened for reading and writing, or holds fewer
// than four bytes.
std::optional<int32_t> ReadOptionsFile(const QString& path);
// Writes the four bytes through a temporary file, so that a failed write
// keeps the previous file. False on failure.
bool WriteOptionsFile(const QString& path, int32_t language);
