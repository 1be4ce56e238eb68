#pragma once

#include <QString>

// The layout and background settings that a menu file stores, named by what
// they mean. Their info records carry the objectName of the control that
// edits each one.

enum class TextSetting {
    Heading,     // heading ("Überschrift:")
    Footer,      // footer line ("Fußzeile:")
    HeaderLine,  // header line ("Kopfzeile:")
    Currency,    // currency written after prices ("Währung:")
    TextureFile, // background texture image file ("Dateiname:")
};
constexpr int TextSettingCount = 5;

enum class FlagSetting {
    Frame,                  // draw a frame
    CategoryCapitals,       // category names in capitals
    HeadingCentred,         // heading centred
    PricesWithoutDecimals,  // prices without decimals
    NewPagePerCategory,     // each category starts a new page
    NoDotLeaders,           // no dot leaders after product names
    CategoryHeadingCentred, // category headings centred
    OnlyUsedMarkers,        // legends list only the entries that names mark
    TextureKeepsAspect,     // keep the texture's aspect ratio
    TextureGrey,            // convert the texture to grey
    TextureLightened,       // lighten the texture and recompute its saturation
};
constexpr int FlagSettingCount = 11;

enum class NumberSetting {
    LeftMargin,        // left page margin, mm
    TopMargin,         // top page margin, mm
    RightMargin,       // right page margin, mm
    BottomMargin,      // bottom page margin, mm
    TileWidth,         // texture tile width, cm
    TileHeight,        // texture tile height, cm
    TextureBrightness, // texture brightness, %
    TextureSaturation, // texture saturation
};
constexpr int NumberSettingCount = 8;

struct TextSettingInfo {
    const char* name;
    QString defaultValue;
};

struct FlagSettingInfo {
    const char* name;
    bool defaultValue;
};

struct NumberSettingInfo {
    const char* name;
    double defaultValue;
    double minimum;
    double maximum;
    double step;
    int decimals; // 0 for whole numbers
};

const TextSettingInfo& SettingInfo(TextSetting s);
const FlagSettingInfo& SettingInfo(FlagSetting s);
const NumberSettingInfo& SettingInfo(NumberSetting s);
