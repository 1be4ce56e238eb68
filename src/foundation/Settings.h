#pragma once

#include <QString>

// The layout and background settings that a menu file stores. Each carries the
// name of the control that edits it.

enum class TextSetting {
    CaptionEd,     // heading ("Überschrift:")
    FussEd,        // footer line ("Fußzeile:")
    KopfEd,        // header line ("Kopfzeile:")
    WaehrEd,       // currency written after prices ("Währung:")
    FilenameEdit2, // background texture image file ("Dateiname:")
};
constexpr int TextSettingCount = 5;

enum class FlagSetting {
    RahmenCheck,        // draw a frame
    CapsCheck,          // category names in capitals
    ZentrCheck,         // heading centred
    NoKommaCheck,       // prices without decimals
    NewPageForKatCheck, // each category starts a new page
    NoPointsCheck,      // no dot leaders after product names
    CenterKatCheck,     // category headings centred
    OnlyContainedCheck, // legends list only the entries that names mark
    SVerh2Check,        // keep the texture's aspect ratio
    GrayScaleCheck,     // convert the texture to grey
    LightenCheck,       // lighten the texture and recompute its saturation
};
constexpr int FlagSettingCount = 11;

enum class NumberSetting {
    LinksEd,  // left page margin, mm
    ObenEd,   // top page margin, mm
    RechtsEd, // right page margin, mm
    UntenEd,  // bottom page margin, mm
    BreitEd2, // texture tile width, cm
    HochEd2,  // texture tile height, cm
    HellEd,   // texture brightness, %
    SatEd,    // texture saturation
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
