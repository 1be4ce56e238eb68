#include "foundation/FontSetting.h"

#include <cmath>

int32_t TFontSetting::height() const {
    return -int32_t(std::lround(double(size) * pixelsPerInch / 72.0));
}

QFont TFontSetting::toQFont() const {
    QFont f(name);
    f.setPointSize(size > 0 ? size : 1);
    f.setBold(style & Bold);
    f.setItalic(style & Italic);
    f.setUnderline(style & Underline);
    f.setStrikeOut(style & StrikeOut);
    if (pitch == FixedPitch)
        f.setFixedPitch(true);
    return f;
}

void TFontSetting::assignFrom(const QFont& font) {
    name = font.family();
    if (font.pointSize() > 0)
        size = font.pointSize();
    else if (font.pointSizeF() > 0)
        size = int32_t(std::lround(font.pointSizeF()));
    style = uint8_t((font.bold() ? Bold : 0) | (font.italic() ? Italic : 0) |
                    (font.underline() ? Underline : 0) | (font.strikeOut() ? StrikeOut : 0));
}

TFontSetting DefaultFont(FontRole role) {
    struct Default {
        const char* face;
        int32_t size;
        uint8_t style;
    };
    static constexpr Default defaults[FontCount] = {
        {"Times New Roman", 24, TFontSetting::Bold},
        {"Times New Roman", 14, TFontSetting::Bold},
        {"Times New Roman", 12, TFontSetting::Bold},
        {"Times New Roman", 12, TFontSetting::Italic},
        {"Times New Roman", 12, 0},
        {"Courier New", 12, 0},
        {"Times New Roman", 12, TFontSetting::Italic},
        {"Times New Roman", 9, 0},
        {"Times New Roman", 9, 0},
    };
    const Default& d = defaults[int(role)];
    TFontSetting f;
    f.name = QString::fromLatin1(d.face);
    f.size = d.size;
    f.style = d.style;
    return f;
}

QString FontRoleName(FontRole role) {
    return QStringLiteral("FontDialog%1").arg(int(role) + 1);
}
