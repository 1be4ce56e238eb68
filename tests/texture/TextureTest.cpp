// The image layer and the preparation of the background texture.
#include <array>
#include <cstdint>
#include <vector>

#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"
#include "foundation/MenuDocument.h"
#include "texture/Dib.h"
#include "texture/Texture.h"
#include "translation/TranslateUnit.h"

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}

// Pixel (x, y) of a 24-bit dib, read straight from its rows.
Rgb PixelAt(const dib& d, int x, int y) {
    const uint8_t* p = d.poi + y * d.bytew + 3 * x;
    return {p[2], p[1], p[0]};
}

Rgb ImagePixel(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return {qRed(c), qGreen(c), qBlue(c)};
}

dib Dib24(const std::vector<Rgb>& row) {
    dib d = newdib(int(row.size()), 1, 24);
    for (int x = 0; x < int(row.size()); ++x)
        setpixel(d, x, 0, uint32_t(row[x].r << 16 | row[x].g << 8 | row[x].b));
    return d;
}

void SetPal(dib& d, int i, Rgb c) {
    d.pal.rgb0[i] = PalEntry{uint8_t(c.r), uint8_t(c.g), uint8_t(c.b), 0};
}

// A Windows bitmap file at 1, 4 or 8 bits: file header, info header, palette
// and rows bottom-up, each padded to four bytes. `rows` lists the indices
// from the top row down.
QByteArray BmpBytes(int bits, const std::vector<Rgb>& palette,
                    const std::vector<std::vector<int>>& rows) {
    const int w = int(rows.front().size());
    const int h = int(rows.size());
    const int stride = ((w * bits + 31) / 32) * 4;
    const int offset = 14 + 40 + 4 * int(palette.size());
    QByteArray b;
    auto u16 = [&b](int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    auto u32 = [&u16](int v) {
        u16(v & 0xFFFF);
        u16((v >> 16) & 0xFFFF);
    };
    b.append("BM");
    u32(offset + stride * h);
    u32(0);
    u32(offset);
    u32(40);
    u32(w);
    u32(h);
    u16(1);
    u16(bits);
    u32(0); // no compression
    u32(stride * h);
    u32(2835);
    u32(2835);
    u32(int(palette.size()));
    u32(0);
    for (const Rgb& c : palette) {
        b.append(char(c.b));
        b.append(char(c.g));
        b.append(char(c.r));
        b.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const int v = rows[y][x];
            const int bit = x * bits;
            row[bit / 8] = char(row[bit / 8] | (v << (8 - bits - bit % 8)));
        }
        b.append(row);
    }
    return b;
}

class TextureFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString save(const QString& name, const QImage& image) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

// Runs a block with `path` as the current directory.
class CurrentDir {
public:
    explicit CurrentDir(const QString& path) : old_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentDir() { QDir::setCurrent(old_); }

private:
    QString old_;
};

// --- pixel arithmetic -------------------------------------------------------

struct StepCase {
    const char* what;
    bool grayScale;
    bool lighten;
    int hell;
    int sat;
    std::vector<Rgb> in;
    std::vector<Rgb> out;
};

class PixelSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(PixelSteps, GiveTheExpectedBytes) {
    const StepCase& c = GetParam();
    dib d = Dib24(c.in);
    PrepareDib(d, TTextureSettings{QString(), c.grayScale, c.lighten, c.hell, c.sat});
    ASSERT_EQ(DibBitCount(d), 24);
    for (int x = 0; x < int(c.in.size()); ++x)
        EXPECT_EQ(PixelAt(d, x, 0), c.out[x]) << c.what << ", pixel " << x;
    FreeDib(d);
}

INSTANTIATE_TEST_SUITE_P(
    Texture, PixelSteps,
    ::testing::Values(
        StepCase{
            "defaults: black, 100, white", false, true, 50, 0, {{0, 100, 255}}, {{127, 177, 255}}},
        StepCase{"S -50 truncates toward zero",
                 false,
                 true,
                 100,
                 -50,
                 {{127, 0, 255}},
                 {{128, 64, 191}}},
        StepCase{"S -50 then H 50", false, true, 50, -50, {{127, 127, 127}}, {{191, 191, 191}}},
        StepCase{"S -100 makes everything 128",
                 false,
                 true,
                 50,
                 -100,
                 {{0, 100, 255}, {12, 240, 77}},
                 {{191, 191, 191}, {191, 191, 191}}},
        StepCase{"S 200 limits at 0 and 255",
                 false,
                 true,
                 100,
                 200,
                 {{100, 200, 128}, {0, 255, 20}},
                 {{44, 255, 128}, {0, 255, 0}}},
        StepCase{"grey weights",
                 true,
                 false,
                 50,
                 0,
                 {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {100, 150, 200}},
                 {{76, 76, 76}, {150, 150, 150}, {28, 28, 28}, {140, 140, 140}}},
        StepCase{"grey first, then lighten stays grey",
                 true,
                 true,
                 50,
                 200,
                 {{100, 150, 200}},
                 {{209, 209, 209}}},
        StepCase{"both off change nothing", false, false, 50, 0, {{1, 2, 3}}, {{1, 2, 3}}}),
    [](const ::testing::TestParamInfo<StepCase>& p) { return std::to_string(p.index); });

TEST(Texture, OneBitIgnoresThePalette) {
    // Palette index 0 is white, 1 is black; the widening still reads value 0
    // as black.
    dib d = newdib(9, 2, 1);
    SetPal(d, 0, {255, 255, 255});
    SetPal(d, 1, {0, 0, 0});
    setpixel(d, 8, 0, 0xFFFFFF);
    setpixel(d, 0, 1, 0xFFFFFF);
    ASSERT_EQ(getpixel(d, 8, 0), 1);
    ASSERT_TRUE(ConvertTo24Bit(d));
    EXPECT_EQ(DibBitCount(d), 24);
    EXPECT_EQ(PixelAt(d, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(d, 8, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(d, 0, 1), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(d, 7, 1), (Rgb{0, 0, 0}));
    FreeDib(d);
}

TEST(Texture, IndexedImagesTakeTheirColoursFromThePalette) {
    for (int bits : {4, 8}) {
        SCOPED_TRACE(bits);
        // Odd width: the last pixel of a 4-bit row sits in a high nibble.
        dib d = newdib(3, 2, bits);
        SetPal(d, 0, {1, 2, 3});
        SetPal(d, 5, {200, 100, 50});
        SetPal(d, 15, {10, 20, 30});
        setpixel(d, 0, 0, 5);
        setpixel(d, 1, 0, 15);
        setpixel(d, 2, 1, 5);
        ASSERT_TRUE(ConvertTo24Bit(d));
        EXPECT_EQ(DibBitCount(d), 24);
        EXPECT_EQ(d.bytew, 12);
        EXPECT_EQ(PixelAt(d, 0, 0), (Rgb{200, 100, 50}));
        EXPECT_EQ(PixelAt(d, 1, 0), (Rgb{10, 20, 30}));
        EXPECT_EQ(PixelAt(d, 2, 0), (Rgb{1, 2, 3}));
        EXPECT_EQ(PixelAt(d, 2, 1), (Rgb{200, 100, 50}));
        FreeDib(d);
    }
}

TEST(Texture, StepsLeaveOtherLayoutsAlone) {
    dib d = newdib(4, 1, 8);
    setpixel(d, 0, 0, 7);
    EXPECT_FALSE(ConvertToGrayScale(d));
    EXPECT_FALSE(LightenAndSaturate(d, 50, 0));
    EXPECT_EQ(getpixel(d, 0, 0), 7);
    FreeDib(d);

    dib empty;
    EXPECT_FALSE(ConvertTo24Bit(empty));
    EXPECT_FALSE(ConvertToGrayScale(empty));
    EXPECT_FALSE(LightenAndSaturate(empty, 50, 0));
    PrepareDib(empty, TTextureSettings{});
    EXPECT_EQ(empty.poi, nullptr);
}

// --- the image layer ------------------------------------------------------

TEST(Dib, NewDibPadsRowsToFourBytes) {
    struct Case {
        int w, bits, bytew;
    };
    for (const Case c : {Case{1, 1, 4}, Case{33, 1, 8}, Case{9, 4, 8}, Case{5, 8, 8},
                         Case{3, 24, 12}, Case{4, 24, 12}}) {
        dib d = newdib(c.w, 2, c.bits);
        ASSERT_TRUE(d.poih);
        EXPECT_EQ(d.bytew, c.bytew) << c.w << " at " << c.bits;
        EXPECT_EQ(DibWidth(d), c.w);
        EXPECT_EQ(DibHeight(d), 2);
        deldib(d);
        EXPECT_FALSE(d.poih);
    }
    EXPECT_FALSE(newdib(0, 5, 24).poih);
    EXPECT_FALSE(newdib(5, 5, 32).poih);
    EXPECT_FALSE(newdib(1 << 30, 1 << 30, 24).poih);
}

TEST_F(TextureFiles, ReadsColourImagesAsBlueGreenRedRows) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 150, 100));
    for (const char* ext : {"png", "bmp"}) {
        SCOPED_TRACE(ext);
        dib d = OpenDib(save(QStringLiteral("colour.") + ext, image));
        ASSERT_NE(d.poi, nullptr);
        EXPECT_EQ(DibBitCount(d), 24);
        EXPECT_EQ(DibWidth(d), 3);
        EXPECT_EQ(DibHeight(d), 2);
        EXPECT_EQ(d.bytew, 12);
        const uint8_t* last = d.poi + d.bytew + 6;
        EXPECT_EQ((Rgb{last[2], last[1], last[0]}), (Rgb{200, 150, 100}));
        EXPECT_EQ(getpixel(d, 0, 0), 0x0A141E);
        FreeDib(d);
        EXPECT_EQ(d.poi, nullptr);
    }
}

TEST_F(TextureFiles, TransparentPartsLieOnWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 255, 255));
    dib d = OpenDib(save(QStringLiteral("alpha.png"), image));
    ASSERT_EQ(DibBitCount(d), 24);
    EXPECT_EQ(PixelAt(d, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(d, 1, 0), (Rgb{0, 0, 255}));
}

TEST_F(TextureFiles, PaletteFilesKeepIndicesAndColours) {
    const std::vector<Rgb> palette = {{255, 255, 255}, {0, 0, 0}, {200, 30, 40}, {5, 6, 7}};
    struct Case {
        int bits;
        std::vector<std::vector<int>> rows;
        int depth; // as delivered
    };
    // A 4-bit file arrives at 8 bits with the same palette.
    for (const Case& c : {Case{1, {{0, 1, 0}, {1, 0, 0}}, 1}, Case{4, {{0, 3, 2}, {2, 1, 3}}, 8},
                          Case{8, {{0, 3, 2}, {2, 1, 3}}, 8}}) {
        SCOPED_TRACE(c.bits);
        const std::vector<Rgb> pal(palette.begin(), palette.begin() + (c.bits == 1 ? 2 : 4));
        dib d = OpenDib(write(QStringLiteral("indexed.bmp"), BmpBytes(c.bits, pal, c.rows)));
        ASSERT_NE(d.poi, nullptr);
        EXPECT_EQ(DibBitCount(d), c.depth);
        EXPECT_TRUE(d.ispal);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(getpixel(d, x, y), c.rows[y][x]) << x << ", " << y;
        const PalEntry& e = d.pal.rgb0[c.bits == 1 ? 0 : 2];
        EXPECT_EQ((Rgb{e.red, e.green, e.blue}), pal[c.bits == 1 ? 0 : 2]);

        ASSERT_TRUE(ConvertTo24Bit(d));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const int i = c.rows[y][x];
                // 1 bit: value 0 is black whatever its palette colour.
                const Rgb want =
                    c.bits == 1 ? (i == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255}) : palette[i];
                EXPECT_EQ(PixelAt(d, x, y), want) << x << ", " << y;
            }
        FreeDib(d);
    }
}

TEST_F(TextureFiles, GreyFilesArriveAtEightBitsWithAGreyRamp) {
    QImage image(2, 1, QImage::Format_Grayscale8);
    image.setPixel(0, 0, qRgb(77, 77, 77));
    image.setPixel(1, 0, qRgb(200, 200, 200));
    dib d = OpenDib(save(QStringLiteral("grey.png"), image));
    ASSERT_EQ(DibBitCount(d), 8);
    EXPECT_EQ(getpixel(d, 0, 0), 77);
    ASSERT_TRUE(ConvertTo24Bit(d));
    EXPECT_EQ(PixelAt(d, 1, 0), (Rgb{200, 200, 200}));
}

TEST(Dib, ImageForDrawingShowsThePaletteColours) {
    dib mono = newdib(2, 1, 1);
    SetPal(mono, 0, {255, 255, 255});
    SetPal(mono, 1, {0, 0, 128});
    setpixel(mono, 1, 0, 1);
    dib nibbles = newdib(3, 1, 4);
    SetPal(nibbles, 9, {1, 2, 3});
    setpixel(nibbles, 2, 0, 9);
    dib colour = Dib24({{0, 0, 0}, {10, 20, 30}});

    const QImage a = DibToImage(mono);
    const QImage b = DibToImage(nibbles);
    const QImage c = DibToImage(colour);
    FreeDib(mono);
    FreeDib(nibbles);
    FreeDib(colour);
    ASSERT_EQ(a.format(), QImage::Format_RGB32);
    EXPECT_EQ(ImagePixel(a, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(ImagePixel(a, 1, 0), (Rgb{0, 0, 128}));
    EXPECT_EQ(ImagePixel(b, 2, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(ImagePixel(c, 1, 0), (Rgb{10, 20, 30}));
    EXPECT_TRUE(DibToImage(dib{}).isNull());
}

TEST(Dib, OpenFilterListsEveryReadableType) {
    const QString filter = GetDIBOpenFilter();
    const QStringList parts = filter.split('|');
    ASSERT_EQ(parts.size() % 2, 0);
    ASSERT_GE(parts.size(), 4);
    const QStringList all = parts[1].split(';');
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        EXPECT_TRUE(all.contains("*." + QString::fromLatin1(format))) << format.constData();
    for (const char* p : {"*.jpg", "*.png", "*.bmp", "*.gif"})
        EXPECT_TRUE(all.contains(QLatin1String(p))) << p;
    for (qsizetype i = 3; i < parts.size(); i += 2)
        for (const QString& p : parts[i].split(';'))
            EXPECT_TRUE(all.contains(p)) << p.toStdString();

    EXPECT_EQ(DibFilterToNameFilters("Alle (*.a;*.b)|*.a;*.b|JPG (*.jpg;*.jpeg)|*.jpg;*.jpeg"),
              (QStringList{"Alle (*.a *.b)", "JPG (*.jpg *.jpeg)"}));
}

// --- preparation from the document ---------------------------------------

TEST_F(TextureFiles, PreparesFromTheDocumentSettings) {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 100, 255));
    image.setPixel(1, 0, qRgb(100, 150, 200));
    const QString path = save(QStringLiteral("tex.png"), image);
    MenuDocument doc;
    doc.setText(TextSetting::TextureFile, path);

    TTexture texture(dir.path());
    texture.Prepare(doc); // defaults: lighten at 50 %
    ASSERT_FALSE(texture.isEmpty());
    EXPECT_EQ(PixelAt(texture.Dib(), 0, 0), (Rgb{127, 177, 255}));
    EXPECT_EQ(ImagePixel(texture.image(), 0, 0), (Rgb{127, 177, 255}));

    doc.setFlag(FlagSetting::TextureGrey, true);
    doc.setFlag(FlagSetting::TextureLightened, false);
    texture.Prepare(doc); // starts again from the file
    EXPECT_EQ(PixelAt(texture.Dib(), 1, 0), (Rgb{140, 140, 140}));

    const QImage tile = texture.scaled(QSize(8, 4));
    EXPECT_EQ(tile.size(), QSize(8, 4));
    EXPECT_TRUE(texture.scaled(QSize(0, 4)).isNull());
}

TEST_F(TextureFiles, BothChecksOffKeepTheDepthOfTheFile) {
    const QString path =
        write(QStringLiteral("pal.bmp"), BmpBytes(8, {{9, 8, 7}, {200, 30, 40}}, {{0, 1}}));
    TTexture texture(dir.path());
    texture.Prepare(TTextureSettings{path, false, false, 50, 0});
    ASSERT_FALSE(texture.isEmpty());
    EXPECT_EQ(DibBitCount(texture.Dib()), 8);
    EXPECT_EQ(ImagePixel(texture.image(), 1, 0), (Rgb{200, 30, 40}));

    texture.Prepare(TTextureSettings{path, false, true, 100, 0});
    EXPECT_EQ(DibBitCount(texture.Dib()), 24);
}

TEST_F(TextureFiles, UnreadableFilesGiveNoTexture) {
    const QString garbage = write(QStringLiteral("broken.jpg"), QByteArray("not an image"));
    const QString truncated =
        write(QStringLiteral("cut.bmp"), BmpBytes(8, {{1, 2, 3}}, {{0, 0, 0, 0}}).left(40));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString good = save(QStringLiteral("good.png"), image);

    TTexture texture(dir.path());
    for (const QString& name : {dir.filePath(QStringLiteral("missing.jpg")), garbage, truncated,
                                dir.path(), QString(), QStringLiteral("pap")}) {
        SCOPED_TRACE(name.toStdString());
        texture.Prepare(TTextureSettings{good, true, true, 50, 0});
        ASSERT_FALSE(texture.isEmpty());
        texture.Prepare(TTextureSettings{name, true, true, 50, 0});
        EXPECT_TRUE(texture.isEmpty());
        EXPECT_EQ(texture.Dib().poi, nullptr);
        EXPECT_TRUE(texture.image().isNull());
        EXPECT_EQ(texture.width(), 0);
    }
}

// A named pipe or a terminal would block reading until someone writes to
// it: only regular files are opened as images.
TEST_F(TextureFiles, OnlyRegularFilesAreRead) {
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& name : {fifo, QStringLiteral("/dev/stdin"), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(name.toStdString());
        dib d = OpenDib(name);
        EXPECT_EQ(d.poi, nullptr);
        TTexture texture(dir.path());
        texture.Prepare(TTextureSettings{name, true, true, 50, 0});
        EXPECT_TRUE(texture.isEmpty());
    }
}

TEST_F(TextureFiles, DefaultNameIsFoundBesideTheProgram) {
    QTemporaryDir program;
    QTemporaryDir work;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(QDir(program.path()).filePath(GetMessageText(4))));
    const CurrentDir cd(work.path());

    MenuDocument doc; // FilenameEdit2 is "paper.jpg"
    TTexture texture(program.path());
    texture.Prepare(doc);
    ASSERT_FALSE(texture.isEmpty());
    EXPECT_EQ(texture.filePath(), QDir(program.path()).filePath(QStringLiteral("paper.jpg")));
    EXPECT_EQ(texture.width(), 4);

    // A file in the current directory comes first.
    image.scaled(6, 2).save(QDir(work.path()).filePath(QStringLiteral("paper.jpg")));
    texture.Prepare(doc);
    EXPECT_EQ(texture.filePath(), QStringLiteral("paper.jpg"));
    EXPECT_EQ(texture.width(), 6);

    EXPECT_EQ(FindTextureFile(QStringLiteral("other.jpg"), program.path()),
              QStringLiteral("other.jpg"));
}

TEST(Texture, ShippedPaperIsALightTexture) {
    dib d = OpenDib(QDir::cleanPath(QStringLiteral(MENOLUX_TEST_DATA "/../../assets/paper.jpg")));
    ASSERT_NE(d.poi, nullptr);
    ASSERT_EQ(DibBitCount(d), 24);
    int64_t sum = 0;
    for (int y = 0; y < DibHeight(d); ++y)
        for (int x = 0; x < DibWidth(d) * 3; ++x)
            sum += d.poi[y * d.bytew + x];
    const double mean = double(sum) / (3.0 * DibWidth(d) * DibHeight(d));
    EXPECT_GT(mean, 200.0);
    FreeDib(d);
}

} // namespace
