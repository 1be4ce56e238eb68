#include "files/BinaryStream.h"
#include "translation/TranslateUnit.h"

void ByteWriter::utf16(QStringView text) {
    const qsizetype n = text.size();
    if (n == 0)
        return;
    const qsizetype at = buf_.size();
    buf_.resize(at + 2 * n);
    qToLittleEndian<uint16_t>(text.utf16(), n, buf_.data() + at);
}

void ByteReader::fail(const QString& message) {
    if (failed_)
        return;
    failed_ = true;
    error_ = message;
}

bool ByteReader::need(qsizetype bytes) {
    if (failed_)
        return false;
    if (bytes < 0 || bytes > remaining()) {
        failBeyondEnd();
        return false;
    }
    return true;
}

void ByteReader::failBeyondEnd() {
    fail(TranslateText(QStringLiteral("Read beyond end of file")));
}

int32_t ByteReader::count(qsizetype minEntryBytes) {
    const int32_t n = i32();
    if (n <= 0)
        return 0;
    if (minEntryBytes > 0 && n > remaining() / minEntryBytes) {
        // The entries would run past the end: the file ends early somewhere.
        failBeyondEnd();
        return 0;
    }
    return n;
}

void WriteFileStr(ByteWriter& out, QStringView text) {
    out.i32(int32_t(text.size()));
    out.utf16(text);
}

bool ReadFileStr(ByteReader& in, QString& text) {
    const qsizetype at = in.pos();
    const int32_t n = in.i32();
    if (n < 0) {
        in.fail(TranslateText(QStringLiteral("Beschädigte Datei: Textlänge %1 an Byte %2"))
                    .arg(n)
                    .arg(at));
        text.clear();
        return false;
    }
    const char* units = in.take(2 * qsizetype(n));
    if (!units) {
        text.clear();
        return false;
    }
    text.resize(n);
    if (n > 0)
        qFromLittleEndian<uint16_t>(units, n, text.data());
    return true;
}

QString ReadFileStr(ByteReader& in) {
    QString text;
    ReadFileStr(in, text);
    return text;
}
