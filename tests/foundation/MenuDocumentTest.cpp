#include <cmath>
#include <limits>

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "foundation/MenuDocument.h"

namespace {

TEST(MenuDocument, Defaults) {
    MenuDocument doc;
    EXPECT_EQ(doc.text(TextSetting::Heading), "Speisekarte");
    EXPECT_EQ(doc.text(TextSetting::Footer),
              "Unsere Preise beinhalten Bedienugsgeld und die ges. Mehrwertsteuer");
    EXPECT_EQ(doc.text(TextSetting::HeaderLine), "");
    EXPECT_EQ(doc.text(TextSetting::Currency), QString::fromUtf8("€"));

    const FlagSetting on[] = {FlagSetting::Frame,
                              FlagSetting::CategoryCapitals,
                              FlagSetting::HeadingCentred,
                              FlagSetting::OnlyUsedMarkers,
                              FlagSetting::TextureKeepsAspect,
                              FlagSetting::TextureLightened};
    for (int i = 0; i < FlagSettingCount; ++i) {
        const bool expected =
            std::find(std::begin(on), std::end(on), FlagSetting(i)) != std::end(on);
        EXPECT_EQ(doc.flag(FlagSetting(i)), expected) << SettingInfo(FlagSetting(i)).name;
    }
    const double numbers[NumberSettingCount] = {25, 25, 25, 25, 23, 10, 50, 0};
    for (int i = 0; i < NumberSettingCount; ++i)
        EXPECT_EQ(doc.number(NumberSetting(i)), numbers[i]) << SettingInfo(NumberSetting(i)).name;

    EXPECT_EQ(doc.katCount(), 0);
    EXPECT_TRUE(doc.legend(Legend::Additives).isEmpty());
    EXPECT_TRUE(doc.legend(Legend::Allergens).isEmpty());
}

TEST(MenuDocument, DefaultFonts) {
    struct Expected {
        FontRole role;
        const char* face;
        int32_t size;
        uint8_t style;
        int32_t height; // at 96 pixels per inch
    };
    const Expected fonts[] = {
        {FontRole::Heading, "Times New Roman", 24, TFontSetting::Bold, -32},
        {FontRole::CategoryName, "Times New Roman", 14, TFontSetting::Bold, -19},
        {FontRole::ProductName, "Times New Roman", 12, TFontSetting::Bold, -16},
        {FontRole::Description, "Times New Roman", 12, TFontSetting::Italic, -16},
        {FontRole::Price, "Times New Roman", 12, 0, -16},
        {FontRole::DotLeader, "Courier New", 12, 0, -16},
        {FontRole::FreeText, "Times New Roman", 12, TFontSetting::Italic, -16},
        {FontRole::Legend, "Times New Roman", 9, 0, -12},
        {FontRole::HeaderLine, "Times New Roman", 9, 0, -12},
    };
    MenuDocument doc;
    for (const Expected& e : fonts) {
        const TFontSetting& f = doc.font(e.role);
        SCOPED_TRACE(FontRoleName(e.role).toStdString());
        EXPECT_EQ(f.name, e.face);
        EXPECT_EQ(f.size, e.size);
        EXPECT_EQ(f.style, e.style);
        EXPECT_EQ(f.height(), e.height);
        EXPECT_EQ(f.charset, 0);
        EXPECT_EQ(uint32_t(f.color), 0xFF000008u);
        EXPECT_EQ(f.pitch, TFontSetting::DefaultPitch);
        EXPECT_EQ(f.pixelsPerInch, 96);
    }
}

TEST(MenuDocument, NumbersKeepToTheirRange) {
    struct Case {
        NumberSetting s;
        double in;
        double out;
    };
    const Case cases[] = {
        {NumberSetting::LeftMargin, -3, 0},
        {NumberSetting::LeftMargin, 1000.5, 1000},
        {NumberSetting::LeftMargin, 12.25, 12.25},
        {NumberSetting::TileWidth, 0.5, 1},
        {NumberSetting::TextureBrightness, 0, 1},
        {NumberSetting::TextureBrightness, 42.6, 43},
        {NumberSetting::TextureSaturation, -150, -100},
        {NumberSetting::TextureSaturation, 250, 200},
        {NumberSetting::BottomMargin, std::numeric_limits<double>::quiet_NaN(), 0},
        {NumberSetting::TileHeight, std::numeric_limits<double>::infinity(), 10000},
    };
    for (const Case& c : cases) {
        MenuDocument doc;
        doc.setNumber(c.s, c.in);
        EXPECT_EQ(doc.number(c.s), c.out) << SettingInfo(c.s).name << " " << c.in;
    }
}

// Every edit of stored content is reported, and only real changes are.
TEST(MenuDocument, EveryEditReportsModified) {
    MenuDocument doc;
    QSignalSpy spy(&doc, &MenuDocument::modified);
    doc.setText(TextSetting::HeaderLine, "Kopf");
    doc.setFlag(FlagSetting::NoDotLeaders, true);
    doc.setNumber(NumberSetting::TopMargin, 30);
    TFontSetting f = doc.font(FontRole::Description);
    f.size = 13;
    doc.setFont(FontRole::Description, f);
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}});
    const int kat = doc.addKat("Suppen");
    doc.setKatName(kat, "Vorspeisen");
    EXPECT_EQ(spy.count(), 7);

    spy.clear();
    doc.setText(TextSetting::HeaderLine, "Kopf");
    doc.setFlag(FlagSetting::NoDotLeaders, true);
    doc.setNumber(NumberSetting::TopMargin, 30);
    doc.setFont(FontRole::Description, f);
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}});
    doc.setKatName(kat, "Vorspeisen");
    EXPECT_EQ(spy.count(), 0);
}

// Products own their texts; deleting categories and clearing free them (the
// sanitizer build reports a leak or a double free).
TEST(MenuDocument, CategoriesOwnTheirProducts) {
    MenuDocument doc;
    for (const char* name : {"Suppen", "Hauptspeisen", "Getränke"}) {
        const int k = doc.addKat(QString::fromUtf8(name));
        TDynaArray* prods = doc.products(k);
        for (int j = 0; j < 3; ++j) {
            auto* p = static_cast<TProduktRec*>(prods->Add());
            EXPECT_EQ(p, doc.aprod);
            p->name = NewText(QStringLiteral("Produkt %1").arg(j));
            p->description = NewText(u"Beschreibung");
            p->price = 4.5 + j;
        }
    }
    doc.products(2)->Add(); // a fresh record: null texts
    EXPECT_EQ(doc.katCount(), 3);

    doc.changeKats(0, 2);
    EXPECT_EQ(doc.katName(0), QString::fromUtf8("Getränke"));
    EXPECT_EQ(doc.products(0)->count(), 4u);

    doc.deleteKat(1);
    EXPECT_EQ(doc.katCount(), 2);
    EXPECT_EQ(doc.katName(1), "Suppen");

    auto* d = static_cast<TProduktRec*>(doc.data.Add());
    d->name = NewText(u"Im Lager");
    doc.clearMenu();
    EXPECT_EQ(doc.katCount(), 0);
    EXPECT_EQ(doc.data.count(), 1u); // the database stays
}

TEST(MenuDocument, ExchangeKatsMovesProductsAndRetargetsCursor) {
    MenuDocument user;
    user.addKat("Alt");
    MenuDocument loaded;
    const int k = loaded.addKat("Neu");
    auto* p = static_cast<TProduktRec*>(loaded.products(k)->Add());
    p->name = NewText(u"Brot");

    user.exchangeKats(loaded);
    ASSERT_EQ(user.katCount(), 1);
    EXPECT_EQ(user.katName(0), "Neu");
    EXPECT_EQ(loaded.katName(0), "Alt");
    user.products(0)->GetObject(0);
    ASSERT_NE(user.aprod, nullptr);
    EXPECT_EQ(TextOf(user.aprod->name), "Brot");
    EXPECT_EQ(loaded.aprod, nullptr);
}

TEST(ProduktText, OwnedTextsAreTerminatedCopies) {
    const QString text = QString::fromUtf8("Käse 🧀");
    char16_t* t = NewText(text);
    EXPECT_EQ(t[text.size()], u'\0');
    EXPECT_EQ(TextOf(t), text);
    SetText(t, u"");
    EXPECT_EQ(TextOf(t), "");
    FreeText(t);
    EXPECT_EQ(t, nullptr);
    FreeText(t); // freeing null is allowed
    EXPECT_EQ(TextOf(nullptr), "");
}

} // namespace
