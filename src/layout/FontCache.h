#pragma once

#include <QFont>
#include <QString>

#include "foundation/FontSetting.h"

// Pixel height of the characters of a font of `size` points at `ppi` pixels
// per inch: size * ppi / 72, rounded half away from zero, within ±32767.
int FontPixelSize(int size, int ppi);

// The Qt font for a font setting at a pixel size (at least 1).
QFont MakeQFont(const TFontSetting& font, int pixelSize);

// The drawing colour of a font setting: 0x00BBGGRR, or system colour nn for
// 0xFF0000nn (with the usual desktop defaults).
QColor FontColor(const TFontSetting& font);

// Measurements of texts, cached per font and pixel size and per text. Layout
// measures the same names, prices and leaders again on every redraw; the cache
// makes those lookups. Its size is bounded: long texts are not kept, and a
// font's table starts afresh when it holds too many texts or characters. Not
// thread-safe: used from one thread.
class TFontCache {
public:
    struct Key {
        QString face;
        int pixelSize;
        uint8_t style;
        bool operator==(const Key& o) const = default;
    };

    static int TextWidth(const TFontSetting& font, int pixelSize, const QString& text);
    static int TextHeight(const TFontSetting& font, int pixelSize);
    // The font's ascent, for placing a text by its top edge.
    static int Ascent(const TFontSetting& font, int pixelSize);
    // Forgets every measurement (for example after fonts were installed).
    static void Clear();
    // How many characters were measured with the font engine (not taken from
    // the cache) since the program started: the measuring work done.
    static qint64 MeasuredCharacters();
    // With memoising off every width is measured anew (for comparisons).
    static void SetMemoising(bool on);
};
