#include "layout/Canvas.h"

#include "layout/FontCache.h"

int TCanvasFont::PixelSize() const {
    return FontPixelSize(size, pixelsPerInch);
}

void TCanvas::AssignFont(FontRole role, const TFontSetting& setting) {
    font_.role = role;
    font_.setting = setting;
    font_.size = setting.size;
}

int TCanvas::TextWidth(const QString& text) const {
    return TFontCache::TextWidth(font_.setting, font_.PixelSize(), text);
}

int TCanvas::TextHeight(const QString& text) const {
    return text.isEmpty() ? 0 : TFontCache::TextHeight(font_.setting, font_.PixelSize());
}
