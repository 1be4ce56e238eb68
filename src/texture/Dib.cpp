#include "texture/Dib.h"

#include <algorithm>
#include <cstring>
#include <new>

#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>
#include <QList>
#include <QPainter>

namespace {

// Largest pixel block a dib may hold (1 GiB); larger requests fail like a
// failed allocation.
constexpr int64_t MaxDibBytes = int64_t(1) << 30;

int64_t RowBytes(int64_t width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

bool ValidBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

// A palette colour as Qt stores it; partly transparent entries are laid on
// white, as transparent pixels of other images are.
PalEntry ToPalEntry(QRgb c) {
    const int a = qAlpha(c);
    auto onWhite = [a](int v) { return uint8_t((v * a + 255 * (255 - a) + 127) / 255); };
    return PalEntry{onWhite(qRed(c)), onWhite(qGreen(c)), onWhite(qBlue(c)), 0};
}

QList<QRgb> ColourTable(const dib& d, int entries) {
    QList<QRgb> table(entries);
    for (int i = 0; i < entries; ++i) {
        const PalEntry& e = d.pal.rgb0[i];
        table[i] = qRgb(e.red, e.green, e.blue);
    }
    return table;
}

// Makes `d` hold `image` (Format_Mono, Format_Indexed8, Format_Grayscale8 or
// Format_BGR888) without copying its pixels, when its rows are laid out as a
// dib's; otherwise copies them into a new dib.
dib Adopt(QImage image, int bitCount) {
    const int w = image.width();
    const int h = image.height();
    if (image.bytesPerLine() != RowBytes(w, bitCount)) {
        dib d = newdib(w, h, bitCount);
        if (!d.poih)
            return dib{};
        const int64_t n = std::min<int64_t>(d.bytew, image.bytesPerLine());
        for (int y = 0; y < h; ++y)
            std::memcpy(d.poi + int64_t(y) * d.bytew, image.constScanLine(y), size_t(n));
        return d;
    }
    if (int64_t(image.sizeInBytes()) > MaxDibBytes)
        return dib{};
    auto holder = std::make_shared<QImage>(std::move(image));
    dib d;
    d.poi = holder->bits();
    if (!d.poi)
        return dib{};
    d.bytew = int32_t(holder->bytesPerLine());
    auto info = std::make_shared<DibInfo>();
    info->biWidth = w;
    info->biHeight = h;
    info->biBitCount = uint16_t(bitCount);
    d.pmi = std::move(info);
    d.poih = std::move(holder);
    d.ispal = bitCount <= 8;
    return d;
}

void SetPalette(dib& d, const QList<QRgb>& colours) {
    const int n = std::min<int>(int(colours.size()), 256);
    for (int i = 0; i < n; ++i)
        d.pal.rgb0[i] = ToPalEntry(colours[i]);
    d.pal.num = uint16_t(n);
}

// Qt's image formats grouped by file type: a description and the file name
// extensions, in a stable order.
struct FilterEntry {
    QString description;
    QStringList suffixes;
};

QList<FilterEntry> ReadableTypes() {
    QList<QByteArray> formats = QImageReader::supportedImageFormats();
    QList<FilterEntry> entries;
    QList<QByteArray> covered;
    for (const QByteArray& mime : QImageReader::supportedMimeTypes()) {
        FilterEntry e;
        for (const QByteArray& f : QImageReader::imageFormatsForMimeType(mime)) {
            if (!formats.contains(f) || covered.contains(f))
                continue;
            covered.append(f);
            e.suffixes.append(QString::fromLatin1(f).toLower());
        }
        if (e.suffixes.isEmpty())
            continue;
        e.description = e.suffixes.first().toUpper();
        entries.append(e);
    }
    for (const QByteArray& f : formats) {
        if (covered.contains(f))
            continue;
        const QString suffix = QString::fromLatin1(f).toLower();
        entries.append(FilterEntry{suffix.toUpper(), {suffix}});
    }
    std::sort(entries.begin(), entries.end(), [](const FilterEntry& a, const FilterEntry& b) {
        return a.description < b.description;
    });
    return entries;
}

QString Patterns(const QStringList& suffixes, QChar separator) {
    QStringList patterns;
    for (const QString& s : suffixes)
        patterns.append(QStringLiteral("*.") + s);
    return patterns.join(separator);
}

} // namespace

dib OpenDib(const QString& name) {
    // Only regular files: a named pipe or a terminal would block the reading
    // until someone writes to it, and a device may never end.
    if (name.isEmpty() || !QFileInfo(name).isFile())
        return dib{};
    QImageReader reader(name);
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return dib{};

    switch (image.format()) {
    case QImage::Format_MonoLSB:
        image = image.convertToFormat(QImage::Format_Mono);
        [[fallthrough]];
    case QImage::Format_Mono: {
        const QList<QRgb> colours = image.colorTable();
        dib d = Adopt(std::move(image), 1);
        SetPalette(d, colours);
        return d;
    }
    case QImage::Format_Indexed8: {
        const QList<QRgb> colours = image.colorTable();
        dib d = Adopt(std::move(image), 8);
        SetPalette(d, colours);
        return d;
    }
    case QImage::Format_Grayscale8: {
        dib d = Adopt(std::move(image), 8);
        for (int i = 0; i < 256; ++i)
            d.pal.rgb0[i] = PalEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
        d.pal.num = 256;
        return d;
    }
    default:
        break;
    }

    if (image.hasAlphaChannel()) {
        QImage onWhite(image.size(), QImage::Format_RGB32);
        if (onWhite.isNull())
            return dib{};
        onWhite.fill(Qt::white);
        QPainter painter(&onWhite);
        painter.drawImage(0, 0, image);
        painter.end();
        image = std::move(onWhite);
    }
    image = image.convertToFormat(QImage::Format_BGR888);
    if (image.isNull())
        return dib{};
    return Adopt(std::move(image), 24);
}

dib newdib(int width, int height, int bitCount) {
    if (width <= 0 || height <= 0 || !ValidBitCount(bitCount))
        return dib{};
    const int64_t stride = RowBytes(width, bitCount);
    if (stride > MaxDibBytes || stride * height > MaxDibBytes)
        return dib{};
    const size_t size = size_t(stride * height);
    std::shared_ptr<uint8_t> pixels(new (std::nothrow) uint8_t[size](),
                                    std::default_delete<uint8_t[]>());
    if (!pixels)
        return dib{};
    dib d;
    d.poi = pixels.get();
    d.poih = std::move(pixels);
    d.bytew = int32_t(stride);
    auto info = std::make_shared<DibInfo>();
    info->biWidth = width;
    info->biHeight = height;
    info->biBitCount = uint16_t(bitCount);
    d.pmi = std::move(info);
    d.ispal = bitCount <= 8;
    if (d.ispal)
        d.pal.num = uint16_t(1 << bitCount);
    return d;
}

void deldib(dib& d) {
    d = dib{};
}

void FreeDib(dib& d) {
    deldib(d);
    d.poi = nullptr;
}

int DibWidth(const dib& d) {
    return d.pmi ? d.pmi->biWidth : 0;
}

int DibHeight(const dib& d) {
    return d.pmi ? d.pmi->biHeight : 0;
}

int DibBitCount(const dib& d) {
    return d.pmi ? d.pmi->biBitCount : 0;
}

int getpixel(const dib& d, int x, int y) {
    if (!d.poi || x < 0 || y < 0 || x >= DibWidth(d) || y >= DibHeight(d))
        return 0;
    const uint8_t* row = d.poi + int64_t(y) * d.bytew;
    switch (DibBitCount(d)) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
    case 8:
        return row[x];
    case 24: {
        const uint8_t* p = row + int64_t(x) * 3;
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }
    default:
        return 0;
    }
}

void setpixel(dib& d, int x, int y, uint32_t colour) {
    if (!d.poi || x < 0 || y < 0 || x >= DibWidth(d) || y >= DibHeight(d))
        return;
    uint8_t* row = d.poi + int64_t(y) * d.bytew;
    switch (DibBitCount(d)) {
    case 1: {
        const uint8_t bit = uint8_t(0x80 >> (x % 8));
        if (colour != 0)
            row[x / 8] |= bit;
        else
            row[x / 8] &= uint8_t(~bit);
        break;
    }
    case 4: {
        uint8_t& b = row[x / 2];
        b = x % 2 == 0 ? uint8_t((b & 0x0F) | ((colour & 15) << 4))
                       : uint8_t((b & 0xF0) | (colour & 15));
        break;
    }
    case 8:
        row[x] = uint8_t(colour);
        break;
    case 24: {
        uint8_t* p = row + int64_t(x) * 3;
        p[0] = uint8_t(colour);
        p[1] = uint8_t(colour >> 8);
        p[2] = uint8_t(colour >> 16);
        break;
    }
    default:
        break;
    }
}

QString GetDIBOpenFilter() {
    const QList<FilterEntry> types = ReadableTypes();
    QStringList all;
    for (const FilterEntry& e : types)
        all.append(e.suffixes);
    QStringList parts;
    parts.append(QStringLiteral("Alle Bilddateien (%1)").arg(Patterns(all, QLatin1Char(';'))));
    parts.append(Patterns(all, QLatin1Char(';')));
    for (const FilterEntry& e : types) {
        const QString patterns = Patterns(e.suffixes, QLatin1Char(';'));
        parts.append(QStringLiteral("%1 (%2)").arg(e.description, patterns));
        parts.append(patterns);
    }
    return parts.join(QLatin1Char('|'));
}

QStringList DibFilterToNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // Qt reads the patterns from the last parentheses of the description,
        // so any there are replaced by the entry's own patterns.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')))
            description.truncate(open);
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        result.append(QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns));
    }
    return result;
}

QImage DibToImage(const dib& d) {
    const int w = DibWidth(d);
    const int h = DibHeight(d);
    if (!d.poi || w <= 0 || h <= 0)
        return QImage();
    switch (DibBitCount(d)) {
    case 1: {
        QImage view(d.poi, w, h, d.bytew, QImage::Format_Mono);
        view.setColorTable(ColourTable(d, 2));
        return view.convertToFormat(QImage::Format_RGB32);
    }
    case 4: {
        QImage wide(w, h, QImage::Format_Indexed8);
        if (wide.isNull())
            return QImage();
        for (int y = 0; y < h; ++y) {
            uchar* out = wide.scanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = uchar(getpixel(d, x, y));
        }
        wide.setColorTable(ColourTable(d, 256));
        return wide.convertToFormat(QImage::Format_RGB32);
    }
    case 8: {
        QImage view(d.poi, w, h, d.bytew, QImage::Format_Indexed8);
        view.setColorTable(ColourTable(d, 256));
        return view.convertToFormat(QImage::Format_RGB32);
    }
    case 24:
        return QImage(d.poi, w, h, d.bytew, QImage::Format_BGR888)
            .convertToFormat(QImage::Format_RGB32);
    default:
        return QImage();
    }
}
