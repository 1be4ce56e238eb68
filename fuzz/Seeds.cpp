#include "Seeds.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include "ByteBuilder.h"

namespace {

constexpr int32_t WindowText = int32_t(0xFF000008u);

// --- menu files ---------------------------------------------------------------
// Fields 1 and 2 (categories with products), then the settings of fields 3 to
// 28, then the optional groups A to G.

ByteBuilder& menuSettings(ByteBuilder& b, std::u16string_view texture) {
    b.text(u"Speisekarte").text(u"Alle Preise inkl. MwSt.").text(u"\u20AC").text(texture);
    b.flag(true).flag(false);                       // frame, category capitals
    b.f64(25).f64(20).f64(25).f64(15);              // margins
    b.f64(80).f64(60).f64(50).f64(-20);             // tile width, height, brightness, saturation
    b.flag(true).flag(false).flag(true).flag(true); // aspect, grey, lightened, heading centred
    const char* faces[] = {"Times New Roman", "Arial", "Courier New",     "Times New Roman",
                           "Arial",           "Arial", "Times New Roman", "Arial"};
    for (int f = 0; f < 8; ++f)
        b.font(0, f % 2 ? 0x00112233 : WindowText, faces[f], uint8_t(f % 3), 96, 8 + f,
               uint8_t(f & 15));
    return b;
}

ByteBuilder& groupsAtoC(ByteBuilder& b) {
    b.flag(true).flag(false);                                // A, B
    b.flag(false).flag(true).text(u"Tageskarte");            // C
    return b.font(1, 0x000000FF, "Arial", 2, 300, 9, 1 | 2); // bold italic
}

QByteArray emptyMenu() {
    ByteBuilder b;
    b.i32(0);
    return menuSettings(b, u"paper.jpg").data();
}

QByteArray fullMenu() {
    ByteBuilder b;
    b.i32(3);
    b.text(u"Vorspeisen").i32(3);
    b.product(u"Suppe (1; 2) (A)", u"hei\u00DF\r\nmit Brot", u"0,5l", 4.5, 7);
    b.product(u"Salat", u"", u"", 0, 0);        // price on request
    b.product(u"Nur heute!", u"", u"", -1, -1); // free text
    b.text(u"Getr\u00E4nke").i32(1).product(u"Wasser", u"still", u"0,2l", 1.8, 20);
    b.text(u"").i32(0);
    menuSettings(b, u"paper.jpg");
    groupsAtoC(b);
    b.i32(2).text(u"1").text(u"mit Farbstoff").text(u"2").text(u"mit Konservierungsstoff");
    b.i32(1).text(u"A").text(u"Gluten");
    b.flag(true); // F
    b.i32(2).product(u"Brot", u"", u"1 St.", 2, 0).product(u"Wein", u"rot", u"0,2l", 5.5, 3);
    return b.data();
}

QByteArray menuEndingAfterC() {
    ByteBuilder b;
    b.i32(1).text(u"K").i32(1).product(u"P", u"D", u"Q", 1.25, 1);
    menuSettings(b, u"");
    return groupsAtoC(b).data();
}

// --- translate.dat: int32 columns, int32 rows, the texts row by row ---------

QByteArray translations(int columns, const QList<QList<std::u16string_view>>& rows) {
    ByteBuilder b;
    b.i32(columns).i32(int32_t(rows.size()));
    for (const auto& row : rows)
        for (int k = 0; k < columns; ++k)
            b.text(k < row.size() ? row[k] : std::u16string_view());
    return b.data();
}

// --- images -------------------------------------------------------------------

// A BMP file header and a 40-byte information header; rows from the bottom.
ByteBuilder bmpHeader(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                      uint32_t colours, uint32_t pixelBytes) {
    const uint32_t offset = 14 + 40 + 4 * colours;
    ByteBuilder b;
    b.chars("BM").u32(offset + pixelBytes).u32(0).u32(offset);
    b.u32(40).i32(width).i32(height).u8(1).u8(0).u8(uint8_t(bits)).u8(uint8_t(bits >> 8));
    b.u32(compression).u32(pixelBytes).i32(2835).i32(2835).u32(colours).u32(0);
    return b;
}

QByteArray bmp24() {
    ByteBuilder b = bmpHeader(3, 2, 24, 0, 0, 2 * 12);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            b.u8(uint8_t(40 * x)).u8(uint8_t(90 * y)).u8(200);
        b.bytes({0, 0, 0}); // row padding to four bytes
    }
    return b.data();
}

QByteArray bmp8() {
    ByteBuilder b = bmpHeader(4, 3, 8, 0, 3, 3 * 4);
    b.bytes({255, 255, 255, 0, 0, 0, 255, 0, 30, 200, 90, 0}); // blue, green, red, 0
    b.bytes({0, 1, 2, 1, 2, 2, 1, 0, 1, 0, 0, 2});
    return b.data();
}

QByteArray bmp1() {
    ByteBuilder b = bmpHeader(9, 2, 1, 0, 2, 2 * 4);
    b.bytes({0, 0, 0, 0, 255, 255, 255, 0});
    b.bytes({0xAA, 0x80, 0, 0, 0x55, 0x00, 0, 0});
    return b.data();
}

QByteArray bmp4() {
    ByteBuilder b = bmpHeader(5, 2, 4, 0, 16, 2 * 4);
    for (int i = 0; i < 16; ++i)
        b.u8(uint8_t(16 * i)).u8(uint8_t(255 - 16 * i)).u8(uint8_t(i * 7)).u8(0);
    b.bytes({0x01, 0x23, 0x40, 0, 0xFE, 0xDC, 0xB0, 0});
    return b.data();
}

// 8 bits a pixel, run-length encoded: runs, a literal run, end of line, end
// of bitmap.
QByteArray bmpRle8() {
    const QByteArray runs = ByteBuilder()
                                .bytes({3, 1, 0, 3, 2, 0, 1, 0, 0, 0})
                                .bytes({6, 2, 0, 0})
                                .bytes({0, 1})
                                .data();
    ByteBuilder b = bmpHeader(6, 2, 8, 1, 3, uint32_t(runs.size()));
    b.bytes({0, 0, 0, 0, 255, 255, 255, 0, 0, 128, 255, 0});
    return b.append(runs).data();
}

QByteArray bmp32() {
    ByteBuilder b = bmpHeader(2, 2, 32, 0, 0, 16);
    b.bytes({255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 255, 255, 255, 255});
    return b.data();
}

// The smallest GIF: one pixel of a two-colour palette, LZW with code size 2
// (clear, index 0, end packed into the bytes 0x44 0x01).
QByteArray gif1x1() {
    ByteBuilder b;
    b.chars("GIF89a").u8(1).u8(0).u8(1).u8(0).u8(0x80).u8(0).u8(0);
    b.bytes({255, 255, 255, 0, 0, 0});
    b.chars(",").u32(0).u8(1).u8(0).u8(1).u8(0).u8(0);
    b.u8(2).u8(2).bytes({0x44, 0x01}).u8(0).chars(";");
    return b.data();
}

// An icon file with one 2 x 2 BMP image of 32 bits and its AND mask.
QByteArray ico() {
    ByteBuilder image;
    image.u32(40).i32(2).i32(4).u8(1).u8(0).u8(32).u8(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    image.bytes({0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 9, 9, 9, 0});
    image.bytes({0x40, 0, 0, 0, 0x80, 0, 0, 0});
    ByteBuilder b;
    b.u8(0).u8(0).u8(1).u8(0).u8(1).u8(0);
    b.u8(2).u8(2).u8(0).u8(0).u8(1).u8(0).u8(32).u8(0).u32(uint32_t(image.size())).u32(22);
    return b.append(image.data()).data();
}

QByteArray qtImage(QImage::Format format, const char* type) {
    QImage image(5, 4, format);
    if (format == QImage::Format_Indexed8) {
        image.setColorTable({qRgb(0, 0, 0), qRgb(250, 240, 200), qRgb(90, 30, 10)});
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                image.setPixel(x, y, uint((x + y) % 3));
    } else {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                image.setPixelColor(x, y, QColor(50 * x, 60 * y, 120, 255 - 40 * x));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, type);
    return bytes;
}

QList<FuzzInput> generated(const QString& harness) {
    if (harness == u"menufile")
        return {{"empty menu", emptyMenu()},
                {"full menu", fullMenu()},
                {"menu ending after group C", menuEndingAfterC()}};
    if (harness == u"translate") {
        return {{"twenty columns",
                 translations(20, {{u"Datei", u"File", u"Fichier", u"Bestand", u"Arkiv"},
                                   {u"\u00D6ffnen"},
                                   {u"  Seite: ", u"Page:"}})},
                {"two columns", translations(2, {{u"Speichern", u"Save"}, {u"", u"leer"}})},
                {"thirty columns", translations(30, {{u"Hilfe", u"Help"}})},
                {"cut short", translations(20, {{u"Datei", u"File"}}).left(30)}};
    }
    if (harness == u"csv") {
        const QByteArray header = "\"Kategorie\",\"Name\",\"Beschreibung\",\"Preis\","
                                  "\"Nummer\",\"Menge\"\r\n";
        return {
            {"products", header + "\"Vorspeisen\",\"Suppe\",\"hei\xDF\",\"4,50\",\"7\",\"0,3l\"\r\n"
                                  "\"Getr\xE4nke\",\"Wasser\",\"\",\"1,80\",\"20\",\"0,2l\"\r\n"},
            {"quotes and breaks",
             header + "\"Vorspeisen\",\"Sagen \"\"Ja\"\"\",\"Zeile\r\nzwei\\r\\n\",\"x\",\"-1\"\n"
                      "\"Nur Kategorie\"\r\r\n\"\",\"\",\"\",\"0\",\"0\",\"\"\r\n"},
            {"unquoted", header + "Salate,Gr\x80n,,3.5,1,\nSalate\n"},
            {"open quote", header + "\"Desserts\",\"Eis,\r\n"},
        };
    }
    if (harness == u"options") {
        return {{"German", ByteBuilder().i32(0).data()},
                {"Swedish with more bytes", ByteBuilder().i32(4).chars("rest").data()},
                {"negative", ByteBuilder().i32(-7).data()},
                {"three bytes", ByteBuilder().bytes({1, 0, 0}).data()}};
    }
    if (harness == u"dib") {
        return {{"bmp 24", bmp24()},
                {"bmp 8", bmp8()},
                {"bmp 4", bmp4()},
                {"bmp 1", bmp1()},
                {"bmp rle8", bmpRle8()},
                {"bmp 32", bmp32()},
                {"gif", gif1x1()},
                {"ico", ico()},
                {"pbm", "P1\n# ein Bild\n3 2\n1 0 1\n0 1 0\n"},
                {"pgm", ByteBuilder().chars("P5 2 2 255\n").bytes({0, 80, 160, 255}).data()},
                {"ppm", ByteBuilder().chars("P6 1 2 255\n").bytes({255, 0, 0, 0, 0, 255}).data()},
                {"xbm", "#define b_width 8\n#define b_height 2\nstatic char b_bits[] = "
                        "{ 0x0f, 0xf0 };\n"},
                {"xpm", "/* XPM */\nstatic char *b[] = {\n\"3 2 2 1\",\n\"a c #ff0000\",\n"
                        "\"b c None\",\n\"aba\",\n\"bab\"};\n"},
                {"png indexed", qtImage(QImage::Format_Indexed8, "PNG")},
                {"png alpha", qtImage(QImage::Format_ARGB32, "PNG")},
                {"jpeg", qtImage(QImage::Format_RGB32, "JPEG")}};
    }
    if (harness == u"cmdline") {
        auto args = [](std::initializer_list<const char*> list) {
            QByteArray b;
            for (const char* a : list)
                b.append(a).append('\0');
            b.chop(1);
            return b;
        };
        return {{"window", args({"menu.mnx"})},
                {"png", args({"--export-png", "o.png", "--page", "3", "--zoom", "150.5", "--dpi",
                              "300", "m.mnx"})},
                {"json", args({"--layout-json", "-", "--zoom", "1e3", "m.mnx"})},
                {"import", args({"--import-csv", "in.csv", "--save", "o.mnx", "--export-pdf",
                                 "o.pdf", "--page", "2"})},
                {"lines", "--export-pdf\nout.pdf\n--page\n10000\nm.mnx"},
                {"help", args({"--save", "a", "-h"})}};
    }
    return {};
}

QList<FuzzInput> filesUnder(const QString& folder) {
    QList<FuzzInput> inputs;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            inputs.append({name, file.readAll()});
    }
    return inputs;
}

void appendFile(QList<FuzzInput>& inputs, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        inputs.append({QFileInfo(path).fileName(), file.readAll()});
}

} // namespace

QList<FuzzInput> FuzzSeeds(const QString& harness, const QString& sourceDir) {
    QList<FuzzInput> inputs = generated(harness);
    inputs.append(filesUnder(sourceDir + QStringLiteral("/fuzz/seeds/") + harness));
    if (harness == u"menufile")
        appendFile(inputs, sourceDir + QStringLiteral("/examples/sample.mnx"));
    if (harness == u"dib")
        appendFile(inputs, sourceDir + QStringLiteral("/assets/paper.jpg"));
    return inputs;
}

QList<FuzzInput> FuzzRegressions(const QString& harness, const QString& sourceDir) {
    return filesUnder(sourceDir + QStringLiteral("/fuzz/regressions/") + harness);
}
