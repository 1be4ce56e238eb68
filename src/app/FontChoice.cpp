#include "app/FontChoice.h"

#include <cmath>

#include <QFontInfo>

namespace {

int pointSizeOf(const QFont& font) {
    if (font.pointSize() > 0)
        return font.pointSize();
    return int(std::lround(font.pointSizeF()));
}

} // namespace

QFont FontForDialog(const TFontSetting& setting) {
    QFont font = setting.toQFont();
    const QString installed = QFontInfo(font).family();
    if (!installed.isEmpty())
        font.setFamily(installed);
    return font;
}

TFontSetting ApplyChosenFont(const TFontSetting& setting, const QFont& offered,
                             const QFont& chosen) {
    TFontSetting result = setting;
    if (chosen.family() != offered.family())
        result.name = chosen.family();
    const int size = pointSizeOf(chosen);
    if (size > 0 && size != pointSizeOf(offered))
        result.size = size;
    auto take = [&](bool chosenOn, bool offeredOn, TFontSetting::Style bit) {
        if (chosenOn == offeredOn)
            return;
        result.style = uint8_t(chosenOn ? (result.style | bit) : (result.style & ~bit));
    };
    take(chosen.bold(), offered.bold(), TFontSetting::Bold);
    take(chosen.italic(), offered.italic(), TFontSetting::Italic);
    take(chosen.underline(), offered.underline(), TFontSetting::Underline);
    take(chosen.strikeOut(), offered.strikeOut(), TFontSetting::StrikeOut);
    return result;
}
