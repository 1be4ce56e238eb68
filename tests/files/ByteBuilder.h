#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include <QByteArray>

// Builds file fixtures byte by byte, little-endian, as the file format
// describes them.
class ByteBuilder {
public:
    ByteBuilder& u8(uint8_t v) {
        bytes_.append(char(v));
        return *this;
    }
    ByteBuilder& bytes(std::initializer_list<uint8_t> list) {
        for (uint8_t b : list)
            u8(b);
        return *this;
    }
    ByteBuilder& u32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            u8(uint8_t(v >> shift));
        return *this;
    }
    ByteBuilder& i32(int32_t v) { return u32(uint32_t(v)); }
    ByteBuilder& u64(uint64_t v) {
        for (int shift = 0; shift < 64; shift += 8)
            u8(uint8_t(v >> shift));
        return *this;
    }
    ByteBuilder& f64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return u64(bits);
    }
    ByteBuilder& flag(bool on) { return u8(on ? 1 : 0); }
    // Single-byte characters as they are (ASCII or Windows-1252 bytes).
    ByteBuilder& chars(std::string_view s) {
        bytes_.append(s.data(), qsizetype(s.size()));
        return *this;
    }
    // Counted text: int32 number of UTF-16 units, then the units, low byte first.
    ByteBuilder& text(std::u16string_view s) {
        i32(int32_t(s.size()));
        for (char16_t c : s) {
            u8(uint8_t(c & 0xFF));
            u8(uint8_t(c >> 8));
        }
        return *this;
    }
    // Font record: charset, colour, name length, name, pitch, ppi, size, style.
    ByteBuilder& font(uint8_t charset, uint32_t color, std::string_view name, uint8_t pitch,
                      int32_t ppi, int32_t size, uint8_t style) {
        u8(charset).u32(color).u8(uint8_t(name.size())).chars(name).u8(pitch);
        return i32(ppi).i32(size).u8(style);
    }
    // Product record: three texts, price, number.
    ByteBuilder& product(std::u16string_view name, std::u16string_view description,
                         std::u16string_view quantity, double price, int32_t number) {
        return text(name).text(description).text(quantity).f64(price).i32(number);
    }
    ByteBuilder& append(const QByteArray& more) {
        bytes_.append(more);
        return *this;
    }

    qsizetype size() const { return bytes_.size(); }
    const QByteArray& data() const { return bytes_; }

private:
    QByteArray bytes_;
};
