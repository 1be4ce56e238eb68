#include "layout/FontCache.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QColor>
#include <QFontMetrics>
#include <QHash>

size_t qHash(const TFontCache::Key& k, size_t seed = 0) {
    return qHashMulti(seed, k.face, k.pixelSize, k.style);
}

namespace {

struct Entry {
    explicit Entry(const QFont& f)
        : metrics(f), height(metrics.height()), ascent(metrics.ascent()) {}
    QFontMetrics metrics;
    int height; // the font engine works these out anew at each call
    int ascent;
    QHash<QString, int> widths;
    qsizetype characters = 0; // in the texts of `widths`
};

// Bounds of the cache: texts and characters kept per font before the font's
// table starts afresh, the longest text kept, and fonts kept before the whole
// cache starts afresh. Wrapping long texts measures many distinct prefixes;
// zooming makes new pixel sizes.
constexpr qsizetype MaxWidthsPerFont = 200000;
constexpr qsizetype MaxCharactersPerFont = qsizetype(4) << 20;
constexpr qsizetype MaxMemoisedLength = 1024;
constexpr qsizetype MaxFonts = 256;

qint64 measuredCharacters = 0;

bool memoising = true;

// Characters higher than this (about 14 inches at 2400 pixels per inch) are
// drawn at this height; the font engines do not take more.
constexpr double MaxFontPixels = 32767;

QHash<TFontCache::Key, std::shared_ptr<Entry>>& cache() {
    static QHash<TFontCache::Key, std::shared_ptr<Entry>> c;
    return c;
}

Entry& entryFor(const TFontSetting& font, int pixelSize) {
    const uint8_t styleBits = font.style & (TFontSetting::Bold | TFontSetting::Italic |
                                            TFontSetting::Underline | TFontSetting::StrikeOut);
    const TFontCache::Key key{font.name, pixelSize, styleBits};
    auto& c = cache();
    auto it = c.find(key);
    if (it == c.end()) {
        if (c.size() >= MaxFonts)
            c.clear();
        it = c.insert(key, std::make_shared<Entry>(MakeQFont(font, pixelSize)));
    }
    return **it;
}

} // namespace

int FontPixelSize(int size, int ppi) {
    const double pixels = std::clamp(double(size) * ppi / 72.0, -MaxFontPixels, MaxFontPixels);
    return int(std::lround(pixels));
}

QFont MakeQFont(const TFontSetting& font, int pixelSize) {
    QFont f = font.toQFont();
    f.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    return f;
}

QColor FontColor(const TFontSetting& font) {
    const auto c = uint32_t(font.color);
    if ((c & 0xFF000000u) == 0xFF000000u) {
        // The classic desktop defaults of the system colours that make sense
        // for text; anything else is drawn in the window-text colour, black.
        switch (c & 0xFFu) {
        case 5:  // window
        case 14: // highlighted text
            return Qt::white;
        case 16: // button shadow
        case 17: // grey text
            return QColor(128, 128, 128);
        case 13: // highlight
            return QColor(0, 0, 128);
        default:
            return Qt::black;
        }
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

int TFontCache::TextWidth(const TFontSetting& font, int pixelSize, const QString& text) {
    if (text.isEmpty())
        return 0;
    Entry& e = entryFor(font, pixelSize);
    const bool memoise = memoising && text.size() <= MaxMemoisedLength;
    if (memoise) {
        auto it = e.widths.constFind(text);
        if (it != e.widths.constEnd())
            return *it;
    }
    measuredCharacters += text.size();
    const int w = e.metrics.horizontalAdvance(text);
    if (memoise) {
        if (e.widths.size() >= MaxWidthsPerFont ||
            e.characters + text.size() > MaxCharactersPerFont) {
            e.widths.clear();
            e.characters = 0;
        }
        e.widths.insert(text, w);
        e.characters += text.size();
    }
    return w;
}

int TFontCache::TextHeight(const TFontSetting& font, int pixelSize) {
    return entryFor(font, pixelSize).height;
}

int TFontCache::Ascent(const TFontSetting& font, int pixelSize) {
    return entryFor(font, pixelSize).ascent;
}

void TFontCache::Clear() {
    cache().clear();
}

qint64 TFontCache::MeasuredCharacters() {
    return measuredCharacters;
}

void TFontCache::SetMemoising(bool on) {
    memoising = on;
}
