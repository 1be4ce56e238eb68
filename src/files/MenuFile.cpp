#include "files/MenuFile.h"

#include <cstring>
#include <initializer_list>

#include <QDir>
#include <QFile>

#include "files/BinaryStream.h"
#include "files/OutputFile.h"
#include "files/Windows1252.h"
#include "foundation/MenuDocument.h"
#include "translation/TranslateUnit.h"

namespace {

// Least number of bytes that one stored entry takes, used to check counts
// against the bytes that remain before anything is allocated for them.
constexpr qsizetype MinProductBytes = 3 * MinFileStrBytes + 8 + 4;
constexpr qsizetype MinCategoryBytes = MinFileStrBytes + 4;
constexpr qsizetype MinLegendEntryBytes = 2 * MinFileStrBytes;

// Larger files are refused before they are read into memory. A menu of
// 10,000 products with descriptions takes about 4 MiB.
constexpr qint64 MaxMenuFileBytes = qint64(256) << 20;

// The settings of the mandatory part, in file order.
constexpr TextSetting MandatoryTexts[] = {TextSetting::Heading, TextSetting::Footer,
                                          TextSetting::Currency, TextSetting::TextureFile};
constexpr FlagSetting LeadingFlags[] = {FlagSetting::Frame, FlagSetting::CategoryCapitals};
constexpr NumberSetting Numbers[] = {
    NumberSetting::LeftMargin,        NumberSetting::TopMargin,         NumberSetting::RightMargin,
    NumberSetting::BottomMargin,      NumberSetting::TileWidth,         NumberSetting::TileHeight,
    NumberSetting::TextureBrightness, NumberSetting::TextureSaturation,
};
constexpr FlagSetting TrailingFlags[] = {FlagSetting::TextureKeepsAspect, FlagSetting::TextureGrey,
                                         FlagSetting::TextureLightened,
                                         FlagSetting::HeadingCentred};
constexpr int MandatoryFontCount = 8; // every font but the header line's

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void setError(QString* error, const QString& message) {
    if (error)
        *error = message;
}

// --- writing --------------------------------------------------------------

QStringView viewOf(const char16_t* text) {
    return text ? QStringView(text) : QStringView();
}

// Product array of category i, read without moving any cursor.
const TDynaArray& productsOf(const MenuDocument& doc, int i) {
    TDynaArray* products;
    std::memcpy(&products,
                static_cast<const char*>(doc.kats.poi()) + std::size_t(i) * doc.kats.size(),
                sizeof products);
    return *products;
}

const TProduktRec& productAt(const TDynaArray& products, uint32_t j) {
    const char* record =
        static_cast<const char*>(products.poi()) + std::size_t(j) * products.size();
    return *static_cast<const TProduktRec*>(static_cast<const void*>(record));
}

void writeProduct(ByteWriter& out, const TProduktRec& rec) {
    WriteFileStr(out, viewOf(rec.name));
    WriteFileStr(out, viewOf(rec.description));
    WriteFileStr(out, viewOf(rec.quantity));
    out.f64(rec.price);
    out.i32(rec.number);
}

void writeProducts(ByteWriter& out, const TDynaArray& products) {
    out.i32(int32_t(products.count()));
    for (uint32_t j = 0; j < products.count(); ++j)
        writeProduct(out, productAt(products, j));
}

void writeLegend(ByteWriter& out, const QList<TLegendEntry>& entries) {
    out.i32(int32_t(entries.size()));
    for (const TLegendEntry& e : entries) {
        WriteFileStr(out, e.key);
        WriteFileStr(out, e.text);
    }
}

// --- reading --------------------------------------------------------------

void failNoMemory(ByteReader& in) {
    in.fail(TranslateText(QStringLiteral("Nicht genug Speicher, um die Datei zu lesen")));
}

// Reads one product record into a fresh (all zero) record. `scratch` carries
// a buffer from one text to the next.
void readProduct(ByteReader& in, TProduktRec& rec, QString& scratch) {
    for (char16_t** field : {&rec.name, &rec.description, &rec.quantity}) {
        if (!ReadFileStr(in, scratch))
            return;
        *field = NewText(scratch);
    }
    rec.price = in.f64();
    rec.number = in.i32();
}

// Reads a product count and the products into `products`.
void readProducts(ByteReader& in, TDynaArray& products, QString& scratch) {
    const int32_t n = in.count(MinProductBytes);
    for (int32_t j = 0; j < n && in.ok(); ++j) {
        auto* rec = static_cast<TProduktRec*>(products.Add());
        if (!rec) {
            failNoMemory(in);
            return;
        }
        readProduct(in, *rec, scratch);
    }
}

void readCategories(ByteReader& in, MenuDocument& doc, QString& scratch) {
    const int32_t n = in.count(MinCategoryBytes);
    for (int32_t i = 0; i < n && in.ok(); ++i) {
        if (!ReadFileStr(in, scratch))
            return;
        const int k = doc.addKat(scratch);
        if (k < 0) {
            failNoMemory(in);
            return;
        }
        readProducts(in, *doc.products(k), scratch);
    }
}

QList<TLegendEntry> readLegend(ByteReader& in) {
    QList<TLegendEntry> entries;
    const int32_t n = in.count(MinLegendEntryBytes);
    // The list grows as entries arrive: the count alone reserves nothing, so
    // memory follows what the file really holds.
    for (int32_t i = 0; i < n && in.ok(); ++i) {
        TLegendEntry e;
        e.key = ReadFileStr(in);
        e.text = ReadFileStr(in);
        entries.append(std::move(e));
    }
    return entries;
}

void readMandatoryPart(ByteReader& in, MenuDocument& doc, QString& scratch) {
    readCategories(in, doc, scratch);
    for (TextSetting s : MandatoryTexts)
        doc.setText(s, ReadFileStr(in));
    for (FlagSetting s : LeadingFlags)
        doc.setFlag(s, in.flag());
    for (NumberSetting s : Numbers)
        doc.setNumber(s, in.f64());
    for (FlagSetting s : TrailingFlags)
        doc.setFlag(s, in.flag());
    for (int f = 0; f < MandatoryFontCount; ++f)
        doc.setFont(FontRole(f), ReadFontRecord(in));
}

// Reads group g completely into `doc`; the values are set only when the
// whole group was read.
void readGroup(ByteReader& in, MenuDocument& doc, MenuFileGroup g, QString& scratch) {
    switch (g) {
    case MenuFileGroup::A: {
        const bool noKomma = in.flag();
        if (in.ok())
            doc.setFlag(FlagSetting::PricesWithoutDecimals, noKomma);
        break;
    }
    case MenuFileGroup::B: {
        const bool newPage = in.flag();
        if (in.ok())
            doc.setFlag(FlagSetting::NewPagePerCategory, newPage);
        break;
    }
    case MenuFileGroup::C: {
        const bool noPoints = in.flag();
        const bool centerKat = in.flag();
        const QString kopf = ReadFileStr(in);
        const TFontSetting font = ReadFontRecord(in);
        if (in.ok()) {
            doc.setFlag(FlagSetting::NoDotLeaders, noPoints);
            doc.setFlag(FlagSetting::CategoryHeadingCentred, centerKat);
            doc.setText(TextSetting::HeaderLine, kopf);
            doc.setFont(FontRole::HeaderLine, font);
        }
        break;
    }
    case MenuFileGroup::D:
    case MenuFileGroup::E: {
        const QList<TLegendEntry> entries = readLegend(in);
        if (in.ok())
            doc.setLegend(g == MenuFileGroup::D ? Legend::Additives : Legend::Allergens, entries);
        break;
    }
    case MenuFileGroup::F: {
        const bool onlyContained = in.flag();
        if (in.ok())
            doc.setFlag(FlagSetting::OnlyUsedMarkers, onlyContained);
        break;
    }
    case MenuFileGroup::G:
        readProducts(in, doc.data, scratch);
        break;
    }
}

} // namespace

// --- font record ---------------------------------------------------------

void WriteFontRecord(ByteWriter& out, const TFontSetting& font) {
    const QByteArray name = ToWindows1252(font.name);
    // The length byte holds the low 8 bits of the name's length; that many
    // bytes of the name follow.
    const auto n = uint8_t(name.size() & 0xFF);
    out.u8(font.charset);
    out.i32(font.color);
    out.u8(n);
    out.raw(QByteArrayView(name.constData(), n));
    out.u8(font.pitch);
    out.i32(font.pixelsPerInch);
    out.i32(font.size);
    out.u8(font.style);
}

TFontSetting ReadFontRecord(ByteReader& in) {
    TFontSetting font;
    font.charset = in.u8();
    font.color = in.i32();
    const uint8_t n = in.u8();
    if (const char* name = in.take(n))
        font.name = FromWindows1252(QByteArrayView(name, n));
    font.pitch = in.u8();
    font.pixelsPerInch = in.i32();
    font.size = in.i32();
    font.style = in.u8();
    return font;
}

// --- writing ---------------------------------------------------------------

QByteArray MenuFileBytes(const MenuDocument& doc) {
    ByteWriter out;
    // Fields 1, 2: categories with their products.
    out.i32(int32_t(doc.katCount()));
    for (int i = 0; i < doc.katCount(); ++i) {
        WriteFileStr(out, doc.katName(i));
        writeProducts(out, productsOf(doc, i));
    }
    // Fields 3 to 28.
    for (TextSetting s : MandatoryTexts)
        WriteFileStr(out, doc.text(s));
    for (FlagSetting s : LeadingFlags)
        out.flag(doc.flag(s));
    for (NumberSetting s : Numbers)
        out.f64(doc.number(s));
    for (FlagSetting s : TrailingFlags)
        out.flag(doc.flag(s));
    for (int f = 0; f < MandatoryFontCount; ++f)
        WriteFontRecord(out, doc.font(FontRole(f)));
    // Groups A to C.
    out.flag(doc.flag(FlagSetting::PricesWithoutDecimals));
    out.flag(doc.flag(FlagSetting::NewPagePerCategory));
    out.flag(doc.flag(FlagSetting::NoDotLeaders));
    out.flag(doc.flag(FlagSetting::CategoryHeadingCentred));
    WriteFileStr(out, doc.text(TextSetting::HeaderLine));
    WriteFontRecord(out, doc.font(FontRole::HeaderLine));
    // Groups D to G.
    writeLegend(out, doc.legend(Legend::Additives));
    writeLegend(out, doc.legend(Legend::Allergens));
    out.flag(doc.flag(FlagSetting::OnlyUsedMarkers));
    writeProducts(out, doc.data);
    return out.take();
}

bool SaveMenuFile(const MenuDocument& doc, const QString& path, QString* error) {
    return WriteWholeFile(path, MenuFileBytes(doc), error);
}

// --- reading ---------------------------------------------------------------

bool ReadMenuFile(QByteArrayView bytes, MenuDocument& fresh, MenuFileGroups* groups,
                  QString* error) {
    fresh.clearMenu();
    fresh.clearDatabase();

    ByteReader in(bytes);
    QString scratch;
    MenuFileGroups found;
    readMandatoryPart(in, fresh, scratch);
    // Each optional group is there when the file goes on; a file ends after
    // field 28 or after a complete group.
    for (int g = 0; g < MenuFileGroupCount && in.ok() && !in.atEnd(); ++g) {
        readGroup(in, fresh, MenuFileGroup(g), scratch);
        if (in.ok())
            found.count = g + 1;
    }
    if (groups)
        *groups = found;
    if (!in.ok()) {
        setError(error, in.error());
        return false;
    }
    return true;
}

bool LoadMenuFile(const QString& path, MenuDocument& fresh, MenuFileGroups* groups,
                  QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    if (file.isSequential()) {
        setError(error, TranslateText(QStringLiteral("\"%1\" ist keine gewöhnliche Datei"))
                            .arg(nativePath(path)));
        return false;
    }
    const qint64 size = file.size();
    if (size > MaxMenuFileBytes) {
        setError(error,
                 TranslateText(
                     QStringLiteral("Die Datei \"%1\" ist zu groß für eine Speisekarte (%2 Bytes)"))
                     .arg(nativePath(path))
                     .arg(size));
        return false;
    }
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size) {
        setError(error,
                 TranslateText(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2"))
                     .arg(nativePath(path), file.errorString()));
        return false;
    }
    return ReadMenuFile(bytes, fresh, groups, error);
}

void ApplyLoadedMenu(MenuDocument& target, MenuDocument& loaded, const MenuFileGroups& groups) {
    target.exchangeKats(loaded);
    for (TextSetting s : MandatoryTexts)
        target.setText(s, loaded.text(s));
    for (FlagSetting s : LeadingFlags)
        target.setFlag(s, loaded.flag(s));
    for (NumberSetting s : Numbers)
        target.setNumber(s, loaded.number(s));
    for (FlagSetting s : TrailingFlags)
        target.setFlag(s, loaded.flag(s));
    for (int f = 0; f < MandatoryFontCount; ++f)
        target.setFont(FontRole(f), loaded.font(FontRole(f)));

    if (groups.has(MenuFileGroup::A))
        target.setFlag(FlagSetting::PricesWithoutDecimals,
                       loaded.flag(FlagSetting::PricesWithoutDecimals));
    if (groups.has(MenuFileGroup::B))
        target.setFlag(FlagSetting::NewPagePerCategory,
                       loaded.flag(FlagSetting::NewPagePerCategory));
    if (groups.has(MenuFileGroup::C)) {
        target.setFlag(FlagSetting::NoDotLeaders, loaded.flag(FlagSetting::NoDotLeaders));
        target.setFlag(FlagSetting::CategoryHeadingCentred,
                       loaded.flag(FlagSetting::CategoryHeadingCentred));
        target.setText(TextSetting::HeaderLine, loaded.text(TextSetting::HeaderLine));
        target.setFont(FontRole::HeaderLine, loaded.font(FontRole::HeaderLine));
    }
    // Opening starts from an emptied menu: a legend that the file lacks is empty.
    target.setLegend(Legend::Additives, groups.has(MenuFileGroup::D)
                                            ? loaded.legend(Legend::Additives)
                                            : QList<TLegendEntry>());
    target.setLegend(Legend::Allergens, groups.has(MenuFileGroup::E)
                                            ? loaded.legend(Legend::Allergens)
                                            : QList<TLegendEntry>());
    if (groups.has(MenuFileGroup::F))
        target.setFlag(FlagSetting::OnlyUsedMarkers, loaded.flag(FlagSetting::OnlyUsedMarkers));
    if (groups.has(MenuFileGroup::G))
        target.exchangeDatabase(loaded);
}

bool OpenMenuFile(const QString& path, MenuDocument& target, QString* error) {
    MenuDocument loaded;
    MenuFileGroups groups;
    if (!LoadMenuFile(path, loaded, &groups, error))
        return false;
    ApplyLoadedMenu(target, loaded, groups);
    return true;
}
