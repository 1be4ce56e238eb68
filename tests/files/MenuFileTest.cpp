// The menu file: fixtures are built byte by byte from the format description.
#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "files/MenuFile.h"
#include "foundation/MenuDocument.h"

namespace {

constexpr uint32_t WindowText = 0xFF000008;
constexpr char16_t DefaultFooter[] =
    u"Unsere Preise beinhalten Bedienugsgeld und die ges. Mehrwertsteuer";

QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

uint64_t bitsOf(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

double fromBits(uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Fields 3 to 28 with the settings and fonts of a new document.
ByteBuilder& defaultSettings(ByteBuilder& b) {
    b.text(u"Speisekarte").text(DefaultFooter).text(u"\u20AC").text(u"paper.jpg");
    b.flag(true).flag(true);                        // RahmenCheck, CapsCheck
    b.f64(25).f64(25).f64(25).f64(25);              // margins
    b.f64(23).f64(10).f64(50).f64(0);               // tile width, height, brightness, saturation
    b.flag(true).flag(false).flag(true).flag(true); // SVerh2, GrayScale, Lighten, Zentr
    b.font(0, WindowText, "Times New Roman", 0, 96, 24, 1);
    b.font(0, WindowText, "Times New Roman", 0, 96, 14, 1);
    b.font(0, WindowText, "Times New Roman", 0, 96, 12, 1);
    b.font(0, WindowText, "Times New Roman", 0, 96, 12, 2);
    b.font(0, WindowText, "Times New Roman", 0, 96, 12, 0);
    b.font(0, WindowText, "Courier New", 0, 96, 12, 0);
    b.font(0, WindowText, "Times New Roman", 0, 96, 12, 2);
    b.font(0, WindowText, "Times New Roman", 0, 96, 9, 0);
    return b;
}

// Groups A to G of a new document without database.
ByteBuilder& defaultGroups(ByteBuilder& b) {
    b.flag(false).flag(false);                             // A, B
    b.flag(false).flag(false).text(u"");                   // C
    b.font(0, WindowText, "Times New Roman", 0, 96, 9, 0); // C: FontDialog9
    b.i32(0).i32(0);                                       // D, E
    b.flag(true);                                          // F
    b.i32(0);                                              // G
    return b;
}

// A file with every group and a value other than the default everywhere.
// ends[0] is the end of field 28, ends[g] the end of group g (1 = A ... 7 = G).
struct Fixture {
    QByteArray bytes;
    std::array<qsizetype, 8> ends{};
};

Fixture fullFile() {
    Fixture f;
    ByteBuilder b;
    b.i32(2);
    b.text(u"Vorspeisen").i32(2);
    b.product(u"Suppe (1; 2) (A)", u"hei\u00DF\r\nmit Brot", u"0,5l", 4.5, 7);
    b.product(u"", u"T\u00E4glich wechselnd", u"", -1, -1);
    b.text(u"Leer").i32(0);
    b.text(u"Karte").text(u"Fu\u00DF").text(u"EUR").text(u"holz.png");
    b.flag(false).flag(false);
    b.f64(10.5).f64(12.25).f64(0).f64(1000);
    b.f64(1.5).f64(10000).f64(100).f64(-100);
    b.flag(false).flag(true).flag(false).flag(false);
    b.font(0, WindowText, "Arial", 0, 96, 30, 3);
    b.font(1, 0x000000FF, "Georgia", 1, 96, 16, 1);
    b.font(2, 0x0000FF00, "Courier New", 2, 96, 11, 0);
    b.font(238, 0x00FF0000, "Verdana", 0, 120, 10, 2);
    b.font(0, 0xFF00000F, "Tahoma", 1, 96, 13, 4);
    b.font(0, WindowText, "Lucida Console", 2, 96, 8, 8);
    b.font(161, 0x00808080, "Caf\xE9", 0, 72, 11, 6);
    b.font(0, WindowText, "Garamond", 0, 96, 7, 0);
    f.ends[0] = b.size();
    b.flag(true);
    f.ends[1] = b.size();
    b.flag(true);
    f.ends[2] = b.size();
    b.flag(true).flag(true).text(u"Kopf \u2116 1");
    b.font(204, 0x00010203, "Courier New", 2, 120, 10, 0x0C);
    f.ends[3] = b.size();
    b.i32(2).text(u"1").text(u"Farbstoff").text(u"2").text(u"Konservierungsstoff");
    f.ends[4] = b.size();
    b.i32(1).text(u"A").text(u"Gluten");
    f.ends[5] = b.size();
    b.flag(false);
    f.ends[6] = b.size();
    b.i32(1).product(u"Bier", u"", u"0,3l", 3.2, 0);
    f.ends[7] = b.size();
    f.bytes = b.data();
    return f;
}

TProduktRec& productOf(MenuDocument& doc, int kat, uint32_t j) {
    return *static_cast<TProduktRec*>(doc.products(kat)->GetObject(j));
}

TProduktRec& addProduct(TDynaArray& products, std::u16string_view name, double price = 1,
                        int32_t number = 0) {
    auto& rec = *static_cast<TProduktRec*>(products.Add());
    SetText(rec.name, qs(name));
    SetText(rec.description, u"");
    SetText(rec.quantity, u"");
    rec.price = price;
    rec.number = number;
    return rec;
}

// A user's document; its settings of groups C and F differ from the defaults.
void fillTarget(MenuDocument& doc) {
    const int k = doc.addKat(QStringLiteral("Alt"));
    addProduct(*doc.products(k), u"Altes Produkt");
    doc.setText(TextSetting::Heading, QStringLiteral("Alte Karte"));
    doc.setText(TextSetting::HeaderLine, QStringLiteral("Alter Kopf"));
    doc.setFlag(FlagSetting::PricesWithoutDecimals, false);
    doc.setFlag(FlagSetting::NewPagePerCategory, false);
    doc.setFlag(FlagSetting::NoDotLeaders, true);
    doc.setFlag(FlagSetting::CategoryHeadingCentred, true);
    doc.setFlag(FlagSetting::OnlyUsedMarkers, false);
    TFontSetting header = DefaultFont(FontRole::HeaderLine);
    header.name = QStringLiteral("Alte Schrift");
    header.size = 17;
    doc.setFont(FontRole::HeaderLine, header);
    doc.setLegend(Legend::Additives, {{"1", "Alt"}});
    doc.setLegend(Legend::Allergens, {{"A", "Alt"}});
    addProduct(doc.data, u"Wein", 5.5, 3);
}

// Caps the process's address space while alive, so that an allocation sized
// by a count from the file rather than by the bytes that back it fails. The
// sanitizers reserve far more address space than any cap; there it is skipped.
class AddressSpaceCap {
public:
    explicit AddressSpaceCap(uint64_t headroom) {
#if !defined(__SANITIZE_ADDRESS__)
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly) || getrlimit(RLIMIT_AS, &saved_) != 0)
            return;
        const uint64_t pages = statm.readAll().split(' ').value(0).toULongLong();
        rlimit cap = saved_;
        cap.rlim_cur = pages * uint64_t(sysconf(_SC_PAGESIZE)) + headroom;
        active_ = setrlimit(RLIMIT_AS, &cap) == 0;
#else
        (void)headroom;
#endif
    }
    ~AddressSpaceCap() {
        if (active_)
            setrlimit(RLIMIT_AS, &saved_);
    }
    AddressSpaceCap(const AddressSpaceCap&) = delete;
    AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;

private:
    rlimit saved_{};
    bool active_ = false;
};

class MenuFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return file.fileName();
    }

    static QByteArray contents(const QString& filePath) {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(MenuFileTest, EmptyDocumentSavesAsDescribed) {
    ByteBuilder b;
    b.i32(0);
    defaultSettings(b);
    defaultGroups(b);

    MenuDocument doc;
    EXPECT_EQ(MenuFileBytes(doc).toHex(), b.data().toHex());
    QString error;
    ASSERT_TRUE(SaveMenuFile(doc, path("empty.mnx"), &error)) << error.toStdString();
    EXPECT_EQ(contents(path("empty.mnx")), b.data());
}

TEST_F(MenuFileTest, FullFileLoadsEveryValueAndSavesIdentically) {
    const Fixture f = fullFile();
    MenuDocument doc;
    MenuFileGroups groups;
    QString error;
    ASSERT_TRUE(ReadMenuFile(f.bytes, doc, &groups, &error)) << error.toStdString();
    EXPECT_EQ(groups.count, MenuFileGroupCount);

    ASSERT_EQ(doc.katCount(), 2);
    EXPECT_EQ(doc.katName(0), "Vorspeisen");
    EXPECT_EQ(doc.katName(1), "Leer");
    ASSERT_EQ(doc.products(0)->count(), 2u);
    EXPECT_EQ(doc.products(1)->count(), 0u);
    const TProduktRec& soup = productOf(doc, 0, 0);
    EXPECT_EQ(TextOf(soup.name), "Suppe (1; 2) (A)");
    EXPECT_EQ(TextOf(soup.description), qs(u"hei\u00DF\r\nmit Brot"));
    EXPECT_EQ(TextOf(soup.quantity), "0,5l");
    EXPECT_EQ(soup.price, 4.5);
    EXPECT_EQ(soup.number, 7);
    const TProduktRec& freeText = productOf(doc, 0, 1);
    ASSERT_NE(freeText.name, nullptr); // loaded texts are buffers, even when empty
    EXPECT_EQ(freeText.name[0], u'\0');
    EXPECT_EQ(freeText.price, -1);
    EXPECT_EQ(freeText.number, -1);

    EXPECT_EQ(doc.text(TextSetting::Heading), "Karte");
    EXPECT_EQ(doc.text(TextSetting::Footer), qs(u"Fu\u00DF"));
    EXPECT_EQ(doc.text(TextSetting::Currency), "EUR");
    EXPECT_EQ(doc.text(TextSetting::TextureFile), "holz.png");
    EXPECT_EQ(doc.text(TextSetting::HeaderLine), qs(u"Kopf \u2116 1"));
    const std::pair<FlagSetting, bool> flags[] = {
        {FlagSetting::Frame, false},
        {FlagSetting::CategoryCapitals, false},
        {FlagSetting::TextureKeepsAspect, false},
        {FlagSetting::TextureGrey, true},
        {FlagSetting::TextureLightened, false},
        {FlagSetting::HeadingCentred, false},
        {FlagSetting::PricesWithoutDecimals, true},
        {FlagSetting::NewPagePerCategory, true},
        {FlagSetting::NoDotLeaders, true},
        {FlagSetting::CategoryHeadingCentred, true},
        {FlagSetting::OnlyUsedMarkers, false},
    };
    for (auto [s, on] : flags)
        EXPECT_EQ(doc.flag(s), on) << SettingInfo(s).name;
    const std::pair<NumberSetting, double> numbers[] = {
        {NumberSetting::LeftMargin, 10.5},       {NumberSetting::TopMargin, 12.25},
        {NumberSetting::RightMargin, 0},         {NumberSetting::BottomMargin, 1000},
        {NumberSetting::TileWidth, 1.5},         {NumberSetting::TileHeight, 10000},
        {NumberSetting::TextureBrightness, 100}, {NumberSetting::TextureSaturation, -100},
    };
    for (auto [s, v] : numbers)
        EXPECT_EQ(doc.number(s), v) << SettingInfo(s).name;

    const TFontSetting& category = doc.font(FontRole::CategoryName);
    EXPECT_EQ(category.charset, 1);
    EXPECT_EQ(category.color, 0x000000FF);
    EXPECT_EQ(category.name, "Georgia");
    EXPECT_EQ(category.pitch, TFontSetting::VariablePitch);
    EXPECT_EQ(category.size, 16);
    EXPECT_EQ(category.style, TFontSetting::Bold);
    EXPECT_EQ(doc.font(FontRole::FreeText).name, qs(u"Caf\u00E9"));
    EXPECT_EQ(doc.font(FontRole::Legend).name, "Garamond");
    const TFontSetting& header = doc.font(FontRole::HeaderLine);
    EXPECT_EQ(header.charset, 204);
    EXPECT_EQ(header.color, 0x00010203);
    EXPECT_EQ(header.pixelsPerInch, 120);
    EXPECT_EQ(header.height(), -17);
    EXPECT_EQ(header.style, TFontSetting::Underline | TFontSetting::StrikeOut);

    EXPECT_EQ(doc.legend(Legend::Additives),
              (QList<TLegendEntry>{{"1", "Farbstoff"}, {"2", "Konservierungsstoff"}}));
    EXPECT_EQ(doc.legend(Legend::Allergens), (QList<TLegendEntry>{{"A", "Gluten"}}));
    ASSERT_EQ(doc.data.count(), 1u);
    const auto& beer = *static_cast<TProduktRec*>(doc.data.GetObject(0));
    EXPECT_EQ(TextOf(beer.name), "Bier");
    EXPECT_EQ(beer.price, 3.2);

    EXPECT_EQ(MenuFileBytes(doc).toHex(), f.bytes.toHex());
}

// Older files stop after field 28 or after a group; what they lack keeps the
// user's values, except the legends, which a load always empties first.
TEST_F(MenuFileTest, OlderFilesKeepSettingsTheyLack) {
    const Fixture f = fullFile();
    struct Case {
        int groupCount;
        bool groupsABBefore; // NoKommaCheck and NewPageForKatCheck before opening
    };
    // The file sets both; without groups A and B they keep the value they had.
    for (const Case c : {Case{0, true}, Case{2, false}}) {
        SCOPED_TRACE(c.groupCount);
        MenuDocument target;
        fillTarget(target);
        target.setFlag(FlagSetting::PricesWithoutDecimals, c.groupsABBefore);
        target.setFlag(FlagSetting::NewPagePerCategory, c.groupsABBefore);
        const TFontSetting oldHeader = target.font(FontRole::HeaderLine);

        const QString file = write("old.mnx", f.bytes.left(f.ends[std::size_t(c.groupCount)]));
        QString error;
        ASSERT_TRUE(OpenMenuFile(file, target, &error)) << error.toStdString();

        // The mandatory part is the file's.
        ASSERT_EQ(target.katCount(), 2);
        EXPECT_EQ(target.katName(0), "Vorspeisen");
        EXPECT_EQ(target.text(TextSetting::Heading), "Karte");
        EXPECT_EQ(target.number(NumberSetting::LeftMargin), 10.5);
        EXPECT_EQ(target.font(FontRole::Legend).name, "Garamond");
        EXPECT_TRUE(target.flag(FlagSetting::PricesWithoutDecimals));
        EXPECT_TRUE(target.flag(FlagSetting::NewPagePerCategory));
        // Groups C to G are absent in both.
        EXPECT_TRUE(target.flag(FlagSetting::NoDotLeaders));
        EXPECT_TRUE(target.flag(FlagSetting::CategoryHeadingCentred));
        EXPECT_EQ(target.text(TextSetting::HeaderLine), "Alter Kopf");
        EXPECT_EQ(target.font(FontRole::HeaderLine), oldHeader);
        EXPECT_FALSE(target.flag(FlagSetting::OnlyUsedMarkers));
        EXPECT_TRUE(target.legend(Legend::Additives).isEmpty());
        EXPECT_TRUE(target.legend(Legend::Allergens).isEmpty());
        ASSERT_EQ(target.data.count(), 1u);
        EXPECT_EQ(TextOf(static_cast<TProduktRec*>(target.data.GetObject(0))->name), "Wein");
    }
}

TEST_F(MenuFileTest, FileWithDatabaseReplacesTheUsersDatabase) {
    MenuDocument target;
    fillTarget(target);
    target.setFlag(FlagSetting::OnlyUsedMarkers, true);
    ASSERT_TRUE(OpenMenuFile(write("full.mnx", fullFile().bytes), target));
    ASSERT_EQ(target.data.count(), 1u);
    EXPECT_EQ(TextOf(static_cast<TProduktRec*>(target.data.GetObject(0))->name), "Bier");
    EXPECT_EQ(target.legend(Legend::Allergens), (QList<TLegendEntry>{{"A", "Gluten"}}));
    EXPECT_FALSE(target.flag(FlagSetting::OnlyUsedMarkers));
}

// Every proper prefix of a file is damaged, except those that end after field
// 28 or after a complete group. A damaged file leaves the document untouched.
TEST_F(MenuFileTest, FileCutAtAnyByteFailsCleanly) {
    const Fixture f = fullFile();
    MenuDocument reference;
    fillTarget(reference);
    const QByteArray before = MenuFileBytes(reference);

    for (qsizetype cut = 0; cut < f.bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        MenuDocument target;
        fillTarget(target);
        int modified = 0;
        QObject::connect(&target, &MenuDocument::modified, [&] { ++modified; });

        const auto end = std::find(f.ends.begin(), f.ends.end(), cut);
        const QString file = write("cut.mnx", f.bytes.left(cut));
        QString error;
        const bool ok = OpenMenuFile(file, target, &error);
        if (end != f.ends.end()) {
            EXPECT_TRUE(ok) << error.toStdString();
            MenuDocument fresh;
            MenuFileGroups groups;
            EXPECT_TRUE(ReadMenuFile(f.bytes.left(cut), fresh, &groups));
            EXPECT_EQ(groups.count, int(end - f.ends.begin()));
        } else {
            ASSERT_FALSE(ok);
            EXPECT_EQ(error, "Read beyond end of file");
            EXPECT_EQ(modified, 0);
            EXPECT_EQ(MenuFileBytes(target), before);
        }
    }
}

TEST_F(MenuFileTest, HostileCountsAndLengths) {
    const QString beyondEnd = QStringLiteral("Read beyond end of file");
    auto withCategories = [](const ByteBuilder& categories) {
        ByteBuilder b = categories;
        defaultSettings(b);
        return defaultGroups(b).data();
    };
    auto withGroupsFromD = [](const ByteBuilder& fromD) {
        ByteBuilder b;
        b.i32(0);
        defaultSettings(b);
        b.flag(false).flag(false).flag(false).flag(false).text(u"");
        b.font(0, WindowText, "Times New Roman", 0, 96, 9, 0);
        return b.append(fromD.data()).data();
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        QString error; // empty: the file loads
        int katCount;
    };
    const Case cases[] = {
        {"category count 0x7FFFFFFF", withCategories(ByteBuilder().i32(0x7FFFFFFF)), beyondEnd, 0},
        {"category count -1", withCategories(ByteBuilder().i32(-1)), {}, 0},
        {"category count INT_MIN", withCategories(ByteBuilder().u32(0x80000000)), {}, 0},
        {"product count 0x7FFFFFFF",
         withCategories(ByteBuilder().i32(1).text(u"K").i32(0x7FFFFFFF)), beyondEnd, 0},
        {"product count -5", withCategories(ByteBuilder().i32(1).text(u"K").i32(-5)), {}, 1},
        {"name length 0x7FFFFFFF", withCategories(ByteBuilder().i32(1).i32(0x7FFFFFFF)), beyondEnd,
         0},
        {"name length -2", withCategories(ByteBuilder().i32(1).i32(-2)),
         "Beschädigte Datei: Textlänge -2 an Byte 4", 0},
        {"description length INT_MIN",
         withCategories(ByteBuilder().i32(1).text(u"K").i32(1).text(u"P").u32(0x80000000)),
         "Beschädigte Datei: Textlänge -2147483648 an Byte 20", 0},
        {"additive count 0x7FFFFFFF",
         withGroupsFromD(ByteBuilder().i32(0x7FFFFFFF).i32(0).flag(true).i32(0)), beyondEnd, 0},
        {"additive count -3",
         withGroupsFromD(ByteBuilder().i32(-3).i32(0).flag(true).i32(0)),
         {},
         0},
        {"database count 0x40000000",
         withGroupsFromD(ByteBuilder().i32(0).i32(0).flag(true).i32(0x40000000)), beyondEnd, 0},
        {"database count -1",
         withGroupsFromD(ByteBuilder().i32(0).i32(0).flag(true).i32(-1)),
         {},
         0},
        {"bytes after group G",
         withGroupsFromD(ByteBuilder().i32(0).i32(0).flag(true).i32(0).i32(9)),
         {},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDocument doc;
        MenuFileGroups groups;
        QString error;
        bool ok;
        {
            const AddressSpaceCap cap(256u << 20);
            ok = ReadMenuFile(c.bytes, doc, &groups, &error);
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(ok, c.error.isEmpty());
        if (ok) {
            EXPECT_EQ(groups.count, MenuFileGroupCount);
            EXPECT_EQ(doc.katCount(), c.katCount);
            EXPECT_TRUE(doc.legend(Legend::Additives).isEmpty());
            EXPECT_EQ(doc.data.count(), 0u);
        }
    }
}

// A legend count that the bytes could back, followed by one long entry: the
// reader takes memory for what arrives, not for what the count promises (two
// million entries would take about 100 MB).
TEST_F(MenuFileTest, LegendMemoryFollowsTheEntriesThatArrive) {
    ByteBuilder b;
    b.i32(0);
    defaultSettings(b);
    b.flag(false).flag(false).flag(false).flag(false).text(u"");
    b.font(0, WindowText, "Times New Roman", 0, 96, 9, 0);
    b.i32(2000000).text(std::u16string(8000000, u'x')); // a key, then the file ends
    const QByteArray bytes = b.data();
    MenuDocument doc;
    QString error;
    bool ok;
    {
        const AddressSpaceCap cap(64u << 20);
        ok = ReadMenuFile(bytes, doc, nullptr, &error);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, "Read beyond end of file");
}

TEST_F(MenuFileTest, RichDocumentRoundTripsByteForByte) {
    MenuDocument doc;
    const int sushi = doc.addKat(qs(u"\U0001F363 Sushi \u5BFF\u53F8"));
    TDynaArray& products = *doc.products(sushi);
    addProduct(products, u"\u0421\u0443\u043F (1; 3)(A; C)", 0.0, 0);
    addProduct(products, u"Nigiri \U0001F41F", -0.0, -1);
    addProduct(products, u"", -2.5, std::numeric_limits<int32_t>::min());
    addProduct(products, u"Tiny", std::numeric_limits<double>::denorm_min(),
               std::numeric_limits<int32_t>::max());
    addProduct(products, u"Sum", 0.1 + 0.2, 12);
    addProduct(products, u"NaN", fromBits(0x7FF8000000000123), 1);
    products.Add(); // a fresh record: null texts, price 0, number 0
    auto& described = addProduct(products, u"Lang", 1e300, 5);
    SetText(described.description, u"Zeile 1\r\nZeile 2 \u00E4\u00F6\u00FC\u00DF \U0001D11E");
    SetText(described.quantity, u"4cl");
    doc.addKat(QString()); // empty name, no products
    doc.addKat(QStringLiteral("Getr\u00E4nke"));

    doc.setText(TextSetting::Heading, qs(u"\u041C\u0435\u043D\u044E"));
    doc.setText(TextSetting::Footer, QString());
    doc.setText(TextSetting::HeaderLine, qs(u"\U0001F600"));
    doc.setText(TextSetting::Currency, QStringLiteral("CHF"));
    doc.setNumber(NumberSetting::LeftMargin, 12.345678901234567);
    doc.setNumber(NumberSetting::TileHeight, 1.1);
    doc.setNumber(NumberSetting::TextureBrightness, 1);
    doc.setNumber(NumberSetting::TextureSaturation, -100);
    for (int i = 0; i < FlagSettingCount; ++i)
        doc.setFlag(FlagSetting(i), !doc.flag(FlagSetting(i)));
    TFontSetting font = DefaultFont(FontRole::ProductName);
    font.color = int32_t(0xFF000012);
    font.charset = 238;
    font.name = qs(u"Caf\u00E9 \u0160");
    font.style = 0x0F;
    doc.setFont(FontRole::ProductName, font);
    font.pixelsPerInch = 144;
    doc.setFont(FontRole::HeaderLine, font);
    doc.setLegend(Legend::Additives, {{"1", qs(u"\u8272\u7D20")}, {"2", ""}});
    doc.setLegend(Legend::Allergens, {{"A", "Gluten"}, {"B", "Krebstiere"}, {"C", ""}});
    addProduct(doc.data, u"Datenbank \U0001F37A", 2.75, -3);
    doc.data.Add();

    QString error;
    ASSERT_TRUE(SaveMenuFile(doc, path("rich.mnx"), &error)) << error.toStdString();
    const QByteArray first = contents(path("rich.mnx"));
    ASSERT_EQ(first, MenuFileBytes(doc));

    MenuDocument target;
    fillTarget(target);
    ASSERT_TRUE(OpenMenuFile(path("rich.mnx"), target, &error)) << error.toStdString();
    ASSERT_TRUE(SaveMenuFile(target, path("again.mnx"), &error)) << error.toStdString();
    EXPECT_EQ(contents(path("again.mnx")).toHex(), first.toHex());

    EXPECT_EQ(target.katName(0), doc.katName(0));
    EXPECT_EQ(bitsOf(productOf(target, 0, 1).price), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(productOf(target, 0, 5).price), 0x7FF8000000000123u);
    const TProduktRec& wasFresh = productOf(target, 0, 6);
    ASSERT_NE(wasFresh.name, nullptr);
    EXPECT_EQ(TextOf(wasFresh.name), QString());
    EXPECT_EQ(target.font(FontRole::HeaderLine), font);
    EXPECT_EQ(target.legend(Legend::Allergens), doc.legend(Legend::Allergens));
}

TEST_F(MenuFileTest, FailedOpenLeavesTheDocumentAlone) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    // A device that never ends must not make the reader wait or allocate.
    const QString cases[] = {path("missing.mnx"), path("folder"), "/dev/zero"};
    for (const QString& file : cases) {
        SCOPED_TRACE(file.toStdString());
        MenuDocument target;
        fillTarget(target);
        const QByteArray before = MenuFileBytes(target);
        QString error;
        EXPECT_FALSE(OpenMenuFile(file, target, &error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file))) << error.toStdString();
        EXPECT_EQ(MenuFileBytes(target), before);
    }
}

TEST_F(MenuFileTest, FailedSaveKeepsWhatWasThere) {
    const QByteArray old("previous contents");
    write("existing.mnx", old);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    write("folder/inside.mnx", old);

    MenuDocument doc;
    const QString cases[] = {
        path("missing/menu.mnx"),      // no such directory
        path("folder"),                // a directory is in the way
        path("existing.mnx/menu.mnx"), // the parent is a file
    };
    for (const QString& file : cases) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        EXPECT_FALSE(SaveMenuFile(doc, file, &error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file))) << error.toStdString();
    }
    EXPECT_EQ(contents(path("existing.mnx")), old);
    EXPECT_EQ(contents(path("folder/inside.mnx")), old);
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
}

// A write that fails part-way, as on a full disk: the file size limit of the
// process stops the write after 1 KiB. A small file stays in Qt's write buffer
// until the end, a large one is written at once; both must fail.
TEST_F(MenuFileTest, SaveThatFailsPartWayKeepsTheOldFile) {
    const QByteArray old("previous contents");
    const QString file = write("menu.mnx", old);
    for (int count : {100, 2000}) {
        SCOPED_TRACE(count);
        MenuDocument doc;
        for (int i = 0; i < count; ++i)
            addProduct(doc.data, u"Ein Produkt mit einem l\u00E4ngeren Namen");

        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool ok = SaveMenuFile(doc, file, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_FALSE(ok);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file))) << error.toStdString();
        EXPECT_EQ(contents(file), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"menu.mnx"});
    }
}

} // namespace
