#pragma once

#include <cstdint>

#include <QFont>
#include <QString>

// One of the nine font settings of a menu. Every field of the stored font
// record is kept, also those that a QFont has no place for (character set,
// colour, pitch, pixels per inch).
struct TFontSetting {
    enum Pitch : uint8_t { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };
    enum Style : uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    // The system window-text colour, stored as 0xFF000000 | 8.
    static constexpr int32_t WindowTextColor = int32_t(0xFF000008u);

    uint8_t charset = 0;             // Windows character-set code, 0 = ANSI
    int32_t color = WindowTextColor; // 0x00BBGGRR, or 0xFF0000nn for system colour nn
    QString name;                    // face name
    uint8_t pitch = DefaultPitch;
    int32_t pixelsPerInch = 96;
    int32_t size = 12; // points
    uint8_t style = 0; // Style flags

    bool operator==(const TFontSetting& o) const = default;

    // Pixel height at `pixelsPerInch`: -(size * ppi / 72), rounded to nearest,
    // halves away from zero (negative: character height without leading).
    int32_t height() const;

    // The font as Qt draws it, at `size` points.
    QFont toQFont() const;
    // Takes face, size and style from `font` (as a font dialog returns it);
    // character set, colour, pitch and resolution stay.
    void assignFrom(const QFont& font);
};

// The nine font settings, in the order of the stored file.
enum class FontRole {
    Heading,      // heading
    CategoryName, // category name
    ProductName,  // product numbers and names
    Description,  // description
    Price,        // prices and quantities
    DotLeader,    // dot leaders
    FreeText,     // free text
    Legend,       // footer and legends
    HeaderLine,   // header line
};
constexpr int FontCount = 9;

// The default of each font setting.
TFontSetting DefaultFont(FontRole role);
// "FontDialog1" ... "FontDialog9".
QString FontRoleName(FontRole role);
