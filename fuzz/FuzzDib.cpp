#include <QImage>

#include "FuzzBodies.h"
#include "texture/Dib.h"
#include "texture/Texture.h"

int FuzzDib(const uint8_t* data, size_t size) {
    // No suffix: the reader goes by the content, as for a file whose name
    // does not tell its type.
    const QString path = FuzzScratchFile(QStringLiteral("image"));
    FuzzWriteFile(path, data, size);
    dib d = OpenDib(path);
    if (!d.poi)
        return 0;

    const int w = DibWidth(d);
    const int h = DibHeight(d);
    const int bits = DibBitCount(d);
    FuzzCheck(w > 0 && h > 0, "an opened image has no size");
    FuzzCheck(bits == 1 || bits == 8 || bits == 24, "an opened image has another depth");
    FuzzCheck(d.bytew == ((int64_t(w) * bits + 31) / 32) * 4, "an opened image has other rows");
    FuzzCheck(d.ispal == (bits <= 8) && d.pal.num <= 256, "an opened image has another palette");
    getpixel(d, w - 1, h - 1);

    // Qt's readers refuse images above their allocation limit (128 MB, some
    // 33 million pixels); the preparation below takes a third of a second
    // for those. Under the sanitizers its pixel loops run ten to twenty
    // times slower, so larger images stop here: the loops are the same at
    // every size.
    constexpr int64_t PreparedPixels = int64_t(4) << 20;
    if (int64_t(w) * h > PreparedPixels)
        return 0;

    // The texture preparation, its switches taken from the input's size so
    // that every combination is reached.
    TTextureSettings settings;
    settings.grayScale = (size & 1) != 0;
    settings.lighten = (size & 2) != 0;
    settings.hell = int(size % 101);
    settings.sat = int(size % 301) - 100;
    PrepareDib(d, settings);
    FuzzCheck(DibWidth(d) == w && DibHeight(d) == h, "the preparation changed the size");
    const QImage image = DibToImage(d);
    FuzzCheck(image.width() == w && image.height() == h, "the drawn image has another size");
    // A few tiles' worth of scaling, as drawing does.
    const QImage tile = image.scaled(QSize(7, 5), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FuzzCheck(tile.size() == QSize(7, 5), "a scaled tile has another size");
    FreeDib(d);
    return 0;
}
