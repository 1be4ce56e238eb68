// Counted texts, font records and the Windows-1252 table.
#include <cstdint>
#include <string_view>

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "files/BinaryStream.h"
#include "files/MenuFile.h"
#include "files/Windows1252.h"

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

QString fromU16(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

struct TextCase {
    const char* name;
    std::u16string_view text;
    QByteArray bytes;
};

TEST(FileStr, WritesAndReadsCountedUtf16) {
    const TextCase cases[] = {
        {"abc", u"abc",
         hex("03000000"
             "610062006300")},
        {"empty", u"", hex("00000000")},
        // The euro sign and a surrogate pair (U+1F600): code units as they are.
        {"surrogates", u"\u20AC\U0001F600",
         hex("03000000"
             "ac20"
             "3dd8"
             "00de")},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        ByteWriter out;
        WriteFileStr(out, fromU16(c.text));
        EXPECT_EQ(out.bytes().toHex(), c.bytes.toHex());

        ByteReader in(c.bytes);
        EXPECT_EQ(ReadFileStr(in), fromU16(c.text));
        EXPECT_TRUE(in.ok());
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(FileStr, RejectsLengthsThatDoNotFit) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString error;
    };
    const Case cases[] = {
        {"count cut short", hex("0300"), "Read beyond end of file"},
        {"units cut short",
         hex("03000000"
             "61006200"),
         "Read beyond end of file"},
        {"odd byte left",
         hex("01000000"
             "61"),
         "Read beyond end of file"},
        {"count 0x7FFFFFFF",
         hex("ffffff7f"
             "6100"),
         "Read beyond end of file"},
        {"count -1",
         hex("ffffffff"
             "6100"),
         "Beschädigte Datei: Textlänge -1 an Byte 0"},
        {"count INT_MIN", hex("00000080"), "Beschädigte Datei: Textlänge -2147483648 an Byte 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteReader in(c.bytes);
        QString text = QStringLiteral("old");
        EXPECT_FALSE(ReadFileStr(in, text));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_FALSE(in.ok());
        EXPECT_EQ(in.error(), c.error);
        // The failure sticks.
        EXPECT_EQ(in.i32(), 0);
        EXPECT_EQ(in.error(), c.error);
    }
}

TEST(FontRecord, DefaultHeadingFontAsStored) {
    const QByteArray bytes = ByteBuilder()
                                 .bytes({0x00})
                                 .bytes({0x08, 0x00, 0x00, 0xFF})
                                 .bytes({0x0F})
                                 .chars("Times New Roman")
                                 .bytes({0x00})
                                 .bytes({0x60, 0x00, 0x00, 0x00})
                                 .bytes({0x18, 0x00, 0x00, 0x00})
                                 .bytes({0x01})
                                 .data();
    ASSERT_EQ(bytes.size(), 16 + 15);

    ByteWriter out;
    WriteFontRecord(out, DefaultFont(FontRole::Heading));
    EXPECT_EQ(out.bytes().toHex(), bytes.toHex());

    ByteReader in(bytes);
    const TFontSetting font = ReadFontRecord(in);
    EXPECT_TRUE(in.ok());
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(font, DefaultFont(FontRole::Heading));
    EXPECT_EQ(font.height(), -32);
}

TEST(FontRecord, EveryFieldRoundTripsBitForBit) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString face;
        int32_t height;
    };
    const Case cases[] = {
        {"system colour, Eastern European",
         ByteBuilder().font(238, 0xFF00000F, "Arial", 1, 96, 10, 0x02).data(), "Arial", -13},
        {"explicit colour, fixed pitch, every style bit",
         ByteBuilder().font(0, 0x00123456, "Courier New", 2, 120, 9, 0xFF).data(), "Courier New",
         -15},
        {"high bytes and undefined bytes of the code page",
         ByteBuilder().font(1, 0x00FFFFFF, "\x80\x81\x9F\xE4\xFF", 0, 300, 12, 0).data(),
         QString::fromUtf16(u"\u20AC\u0081\u0178\u00E4\u00FF"), -50},
        {"empty name, odd sizes", ByteBuilder().font(2, 0xFFFFFFFF, "", 7, 60, 3, 0x0C).data(),
         QString(), -3},
        {"negative size and resolution",
         ByteBuilder().font(255, 0x80000000, "X", 0, -96, -24, 0x01).data(), "X", -32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteReader in(c.bytes);
        const TFontSetting font = ReadFontRecord(in);
        ASSERT_TRUE(in.ok());
        EXPECT_TRUE(in.atEnd());
        EXPECT_EQ(font.name, c.face);
        EXPECT_EQ(font.height(), c.height);

        ByteWriter out;
        WriteFontRecord(out, font);
        EXPECT_EQ(out.bytes().toHex(), c.bytes.toHex());
    }
}

TEST(FontRecord, NameIsWrittenInWindows1252WithLengthInOneByte) {
    TFontSetting font;
    font.name = QString::fromUtf16(u"\u03A9 Caf\u00E9 \U0001F600");
    ByteWriter out;
    WriteFontRecord(out, font);
    // Characters outside the code page become '?'; the surrogate pair is one character.
    EXPECT_EQ(out.bytes().mid(5, 1 + 8), QByteArray("\x08? Caf\xE9 ?", 9));

    // A name of 300 characters: the length byte keeps the low 8 bits (44) and
    // that many bytes follow, so the record stays readable.
    font.name = QString(300, QLatin1Char('a'));
    ByteWriter longOut;
    WriteFontRecord(longOut, font);
    EXPECT_EQ(longOut.size(), 16 + 44);
    ByteReader in(longOut.bytes());
    EXPECT_EQ(ReadFontRecord(in).name, QString(44, QLatin1Char('a')));
    EXPECT_TRUE(in.atEnd());
}

TEST(Windows1252, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToWindows1252(text), all);

    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x8A], QChar(0x0160));
    EXPECT_EQ(text[0x99], QChar(0x2122));
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(text[0xA0], QChar(0x00A0));
    EXPECT_EQ(text[0xE4], QChar(0x00E4));
    EXPECT_EQ(ToWindows1252(QString::fromUtf16(u"\u0080\u0100\u2000\uFFFD")), "????");
}

} // namespace
