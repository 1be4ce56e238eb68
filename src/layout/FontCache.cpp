#include "layout/FontCache.h"

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
    explicit Entry(const QFont& f) : metrics(f) {}
    QFontMetrics metrics;
    QHash<QString, int> widths;
};

// Texts measured per font before the font's table starts afresh; keeps the
// cache bounded when many distinct texts pass through (wrapping long texts).
constexpr qsizetype MaxWidthsPerFont = 200000;

bool memoising = true;

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
    if (it == c.end())
        it = c.insert(key, std::make_shared<Entry>(MakeQFont(font, pixelSize)));
    return **it;
}

} // namespace

int FontPixelSize(int size, int ppi) {
    return int(std::lround(double(size) * ppi / 72.0));
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
    if (!memoising)
        return e.metrics.horizontalAdvance(text);
    auto it = e.widths.constFind(text);
    if (it != e.widths.constEnd())
        return *it;
    if (e.widths.size() >= MaxWidthsPerFont)
        e.widths.clear();
    const int w = e.metrics.horizontalAdvance(text);
    e.widths.insert(text, w);
    return w;
}

int TFontCache::TextHeight(const TFontSetting& font, int pixelSize) {
    return entryFor(font, pixelSize).metrics.height();
}

int TFontCache::Ascent(const TFontSetting& font, int pixelSize) {
    return entryFor(font, pixelSize).metrics.ascent();
}

void TFontCache::Clear() {
    cache().clear();
}

void TFontCache::SetMemoising(bool on) {
    memoising = on;
}
