#pragma once

#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>

// Little-endian reading and writing of the binary files (menu file,
// translate.dat, options.dat).

// Appends values to a byte buffer.
class ByteWriter {
public:
    void reserve(qsizetype bytes) { buf_.reserve(bytes); }

    void u8(uint8_t v) { buf_.append(char(v)); }
    void i32(int32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        buf_.append(b, 4);
    }
    void f64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        char b[8];
        qToLittleEndian(bits, b);
        buf_.append(b, 8);
    }
    // 1 for on, 0 for off.
    void flag(bool on) { u8(on ? 1 : 0); }
    void raw(QByteArrayView bytes) { buf_.append(bytes.data(), bytes.size()); }
    // The code units of `text` in UTF-16LE, without count or terminator.
    void utf16(QStringView text);

    qsizetype size() const { return buf_.size(); }
    const QByteArray& bytes() const { return buf_; }
    QByteArray take() { return std::move(buf_); }

private:
    QByteArray buf_;
};

// Reads values from a byte range that it does not own.
//
// The first failure sticks: from then on every read returns zero or empty and
// consumes nothing, and error() keeps the first message. A read past the end
// fails with "Read beyond end of file".
class ByteReader {
public:
    explicit ByteReader(QByteArrayView data) : data_(data.data()), size_(data.size()) {}

    qsizetype pos() const { return pos_; }
    qsizetype size() const { return size_; }
    qsizetype remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ >= size_; }

    bool ok() const { return !failed_; }
    const QString& error() const { return error_; }
    // Stops reading with `message` (the first failure's message is kept).
    void fail(const QString& message);
    // True when `bytes` more bytes remain (and nothing failed before);
    // otherwise fails with "Read beyond end of file".
    bool need(qsizetype bytes);

    uint8_t u8() { return need(1) ? uint8_t(data_[pos_++]) : 0; }
    int32_t i32() {
        if (!need(4))
            return 0;
        const auto v = qFromLittleEndian<int32_t>(data_ + pos_);
        pos_ += 4;
        return v;
    }
    double f64() {
        if (!need(8))
            return 0;
        const auto bits = qFromLittleEndian<uint64_t>(data_ + pos_);
        pos_ += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // Any non-zero byte reads as on.
    bool flag() { return u8() != 0; }
    // The next `bytes` bytes, or null after failing.
    const char* take(qsizetype bytes) {
        if (!need(bytes))
            return nullptr;
        const char* p = data_ + pos_;
        pos_ += bytes;
        return p;
    }

    // Reads an entry count (int32). Counts of 0 or less give 0. A count whose
    // entries, at `minEntryBytes` each, cannot fit into the bytes that remain
    // fails as reading beyond the end, before anyone allocates for them.
    int32_t count(qsizetype minEntryBytes);

private:
    void failBeyondEnd();

    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    bool failed_ = false;
    QString error_;
};

// The counted UTF-16 text: int32 number of code units, then the units in
// UTF-16LE, no terminator.
void WriteFileStr(ByteWriter& out, QStringView text);
// Reads a counted text into `text`, reusing its buffer. False (and `text`
// empty) when the reader failed; a negative count is damage.
bool ReadFileStr(ByteReader& in, QString& text);
QString ReadFileStr(ByteReader& in);

// Bytes that a counted text takes at least (its count).
constexpr qsizetype MinFileStrBytes = 4;
