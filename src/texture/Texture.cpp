#include "texture/Texture.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileInfo>

#include "app/DataFiles.h"
#include "foundation/MenuDocument.h"

bool ConvertTo24Bit(dib& d) {
    const int bits = DibBitCount(d);
    if (bits == 24)
        return true;
    if (!d.poi || (bits != 1 && bits != 4 && bits != 8))
        return false;
    const int w = DibWidth(d);
    const int h = DibHeight(d);
    dib nd = newdib(w, h, 24);
    if (!nd.poih)
        return false;

    // Colour of each index, as the three bytes of a 24-bit pixel. At 1 bit
    // value 0 is black and 1 white, whatever the palette says.
    uint8_t bgr[256][3];
    for (int i = 0; i < 256; ++i) {
        if (bits == 1) {
            const uint8_t v = i == 0 ? 0 : 255;
            bgr[i][0] = bgr[i][1] = bgr[i][2] = v;
        } else {
            const PalEntry& e = d.pal.rgb0[i];
            bgr[i][0] = e.blue;
            bgr[i][1] = e.green;
            bgr[i][2] = e.red;
        }
    }
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = d.poi + int64_t(y) * d.bytew;
        uint8_t* out = nd.poi + int64_t(y) * nd.bytew;
        for (int x = 0; x < w; ++x, out += 3) {
            int i;
            if (bits == 1)
                i = (in[x / 8] >> (7 - x % 8)) & 1;
            else if (bits == 4)
                i = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 15;
            else
                i = in[x];
            out[0] = bgr[i][0];
            out[1] = bgr[i][1];
            out[2] = bgr[i][2];
        }
    }
    FreeDib(d);
    d = std::move(nd);
    return true;
}

bool ConvertToGrayScale(dib& d) {
    if (!d.poi || DibBitCount(d) != 24)
        return false;
    const int w = DibWidth(d);
    const int h = DibHeight(d);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = d.poi + int64_t(y) * d.bytew;
        for (int x = 0; x < w; ++x, p += 3) {
            const uint8_t g = uint8_t((30 * p[2] + 59 * p[1] + 11 * p[0]) / 100);
            p[0] = p[1] = p[2] = g;
        }
    }
    return true;
}

bool LightenAndSaturate(dib& d, int hell, int sat) {
    if (!d.poi || DibBitCount(d) != 24)
        return false;
    hell = std::clamp(hell, 1, 100);
    sat = std::clamp(sat, -100, 200);
    // Each byte is mapped on its own, so one table of 256 results serves all.
    uint8_t table[256];
    for (int c = 0; c < 256; ++c) {
        const int c1 = std::clamp((c - 128) * (sat + 100) / 100 + 128, 0, 255);
        const int c2 = (25500 - (255 - c1) * hell) / 100;
        table[c] = uint8_t(std::clamp(c2, 0, 255));
    }
    const int64_t rowBytes = int64_t(DibWidth(d)) * 3;
    const int h = DibHeight(d);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = d.poi + int64_t(y) * d.bytew;
        for (int64_t i = 0; i < rowBytes; ++i)
            p[i] = table[p[i]];
    }
    return true;
}

QString FindTextureFile(const QString& name, const QString& dataFolder) {
    if (name.isEmpty() || QFileInfo(name).isAbsolute() || QFileInfo(name).isFile() ||
        dataFolder.isEmpty())
        return name;
    const QString shipped = QDir(dataFolder).filePath(name);
    return QFileInfo(shipped).isFile() ? shipped : name;
}

TTextureSettings TTextureSettings::FromDocument(const MenuDocument& doc) {
    TTextureSettings s;
    s.fileName = doc.text(TextSetting::TextureFile);
    s.grayScale = doc.flag(FlagSetting::TextureGrey);
    s.lighten = doc.flag(FlagSetting::TextureLightened);
    s.hell = int(std::lround(doc.number(NumberSetting::TextureBrightness)));
    s.sat = int(std::lround(doc.number(NumberSetting::TextureSaturation)));
    return s;
}

void PrepareDib(dib& d, const TTextureSettings& settings) {
    if (!d.poi || !(settings.grayScale || settings.lighten))
        return;
    // The grey and lightening steps work on 3-byte pixels only; an image that
    // could not be widened is shown as it was read.
    if (!ConvertTo24Bit(d))
        return;
    if (settings.grayScale)
        ConvertToGrayScale(d);
    if (settings.lighten)
        LightenAndSaturate(d, settings.hell, settings.sat);
}

TTexture::TTexture() : TTexture(ProgramDataFolder()) {}

TTexture::TTexture(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

TTexture::~TTexture() {
    Free();
}

void TTexture::Prepare(const MenuDocument& doc) {
    Prepare(TTextureSettings::FromDocument(doc));
}

void TTexture::Prepare(const TTextureSettings& settings) {
    Free();
    filePath_ = FindTextureFile(settings.fileName, dataFolder_);
    di2_ = OpenDib(filePath_);
    PrepareDib(di2_, settings);
    image_ = DibToImage(di2_);
}

void TTexture::Free() {
    if (di2_.poi)
        FreeDib(di2_);
    image_ = QImage();
    scaled_ = QImage();
}

QImage TTexture::scaled(QSize size) const {
    if (image_.isNull() || size.isEmpty())
        return QImage();
    if (scaled_.size() != size)
        scaled_ = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled_;
}
