#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "foundation/FontSetting.h"

class ByteReader;
class ByteWriter;
class MenuDocument;

// The menu file (.mnx): categories with their products, page texts, layout and
// texture settings and eight fonts (the mandatory part, fields 1 to 28), then
// the optional groups A to G. There is no header and no version field; older
// files simply stop after field 28 or after one of the groups.

// The optional groups, in file order.
enum class MenuFileGroup {
    A, // PricesWithoutDecimals
    B, // NewPagePerCategory
    C, // NoDotLeaders, CategoryHeadingCentred, HeaderLine, the header line font
    D, // additive legend
    E, // allergen legend
    F, // OnlyUsedMarkers
    G, // product database
};
constexpr int MenuFileGroupCount = 7;

// The optional groups that a file carried. They come in order, so a file
// carries the first `count` of them.
struct MenuFileGroups {
    int count = 0;
    bool has(MenuFileGroup g) const { return int(g) < count; }
    bool operator==(const MenuFileGroups&) const = default;
};

// --- font record: charset, colour, name length, name (Windows-1252), pitch,
// pixels per inch, size, style ---

void WriteFontRecord(ByteWriter& out, const TFontSetting& font);
// Every field as stored; the pixel height follows from size and pixels per
// inch (TFontSetting::height).
TFontSetting ReadFontRecord(ByteReader& in);

// --- writing ---

// The complete file for `doc`: fields 1 to 41, every group.
QByteArray MenuFileBytes(const MenuDocument& doc);
// Writes the complete file to `path` with WriteWholeFile: a failed save
// leaves an existing file as it was. On failure returns false and, when
// `error` is given, a message naming the file and the cause.
bool SaveMenuFile(const MenuDocument& doc, const QString& path, QString* error = nullptr);

// --- reading ---

// Reads a complete file held in memory into `fresh`, a newly created document
// (its categories, legends and database are emptied first). Settings of
// absent groups keep the values `fresh` had. On failure returns false with
// the reason in `error` ("Read beyond end of file" for a file that ends
// early); what was read so far stays in `fresh` and is freed with it. Bytes
// after group G are ignored.
bool ReadMenuFile(QByteArrayView bytes, MenuDocument& fresh, MenuFileGroups* groups,
                  QString* error = nullptr);
// The same for the file at `path`; a file that cannot be opened gives a
// message naming it.
bool LoadMenuFile(const QString& path, MenuDocument& fresh, MenuFileGroups* groups,
                  QString* error = nullptr);

// Puts a completely read document into `target`, through its setters so that
// everything bound to the target reacts as to an edit:
// - categories are exchanged (the target's old ones go to `loaded` and are
//   freed with it);
// - texts, flags, numbers and fonts of the mandatory part are set;
// - each present group sets its values; an absent group leaves the target's
//   check boxes, header line and header line font as they were;
// - the legends become those of the file, empty when their group is absent;
// - with group G the databases are exchanged (the old records are freed with
//   `loaded`); without it the target's database stays.
void ApplyLoadedMenu(MenuDocument& target, MenuDocument& loaded, const MenuFileGroups& groups);

// LoadMenuFile into a fresh document, then ApplyLoadedMenu. On failure
// `target` is untouched.
bool OpenMenuFile(const QString& path, MenuDocument& target, QString* error = nullptr);
