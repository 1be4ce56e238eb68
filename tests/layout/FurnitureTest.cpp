#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"
#include "layout/LayoutFixture.h"
#include "texture/Texture.h"

namespace {

// Footer, legends, header, frame and texture on a page of the default
// settings: margins of 25 mm, the footer text on, the frame on.
class FurnitureTest : public LayoutFixture {
protected:
    int height(double zoom = 100) const { return paper.PixelSize(96, zoom).height(); }
    // Pixel height of " " in a font as drawn.
    int th(FontRole role) const {
        const TFontSetting& f = doc.font(role);
        return TFontCache::TextHeight(f, FontPixelSize(f.size, 96));
    }
    void setLegend(Legend l, const QStringList& texts) {
        QList<TLegendEntry> entries;
        for (qsizetype i = 0; i < texts.size(); ++i)
            entries.append(
                {l == Legend::Additives ? QString::number(i + 1) : QString(QChar(65 + int(i))),
                 texts[i]});
        doc.setLegend(l, entries);
    }
    QList<Item> legendTexts(const Result& r) const {
        QList<Item> items = r.texts(FontRole::Legend);
        items.removeIf([&](const Item& i) { return i.text == doc.text(TextSetting::Footer); });
        return items;
    }
};

TEST_F(FurnitureTest, FooterSitsOnTheBottomMarginAndKeepsContentAbove) {
    doc.setFlag(FlagSetting::Frame, false);
    const int k = addKat("Speisen");
    for (int i = 0; i < 60; ++i)
        addProduct(k, QStringLiteral("Gericht %1").arg(i));
    const Result r = layout(1);
    const QString footer = doc.text(TextSetting::Footer);
    const QList<Item> f = r.texts(FontRole::Legend);
    ASSERT_EQ(f.size(), 1);
    EXPECT_EQ(f[0].text, footer);
    const int margin = marginPx(25);
    EXPECT_EQ(f[0].x1, (pageWidth() - 2 * margin - w(FontRole::Legend, footer)) / 2 + margin);
    EXPECT_EQ(f[0].y1, height() - margin - th(FontRole::Legend));
    // No product line starts below the room of the footer and its empty line.
    const double limit = paper.HeightMM() - 25 - 2 * hmm(FontRole::Legend);
    for (const Item& i : r.texts(FontRole::ProductName))
        EXPECT_LE(i.y1, P(limit)) << i.text;
}

TEST_F(FurnitureTest, NoFurnitureLeavesTheWholePageToTheMenu) {
    doc.setText(TextSetting::Footer, QString());
    doc.setFlag(FlagSetting::Frame, false);
    const Result r = layout(1);
    ASSERT_EQ(r.items.size(), 2); // the white page and the heading
    EXPECT_EQ(r.items[1].y1, P(25));
}

TEST_F(FurnitureTest, HeaderOnTheTopMarginPushesTheHeadingDown) {
    doc.setText(TextSetting::HeaderLine, "Gasthaus zur Linde");
    const Result r = layout(1);
    const QList<Item> header = r.texts(FontRole::HeaderLine);
    ASSERT_EQ(header.size(), 1);
    const int margin = marginPx(25);
    EXPECT_EQ(header[0].y1, margin);
    EXPECT_EQ(header[0].x1,
              (pageWidth() - 2 * margin - w(FontRole::HeaderLine, header[0].text)) / 2 + margin);
    EXPECT_EQ(r.texts(FontRole::Heading)[0].y1, P(25 + 2 * hmm(FontRole::HeaderLine)));
}

// Three columns between the margins, in list order, the last row filled from
// the left, directly above the footer and its empty line.
TEST_F(FurnitureTest, FourAdditivesFillARowAndStartAnother) {
    doc.setFlag(FlagSetting::OnlyUsedMarkers, false);
    setLegend(Legend::Additives, {"Farbstoff", "Konservierung", "Antioxidans", "Koffein"});
    const QList<Item> legend = legendTexts(layout(1));
    ASSERT_EQ(legend.size(), 4);
    const int margin = marginPx(25);
    const int inner = pageWidth() - 2 * margin;
    const int t = th(FontRole::Legend);
    const int lower = height() - margin - t - 2 * t;
    struct Expected {
        const char* text;
        int x, y;
    };
    // Drawn from the last entry upwards.
    const Expected expected[] = {{"4) Koffein", margin, lower},
                                 {"3) Antioxidans", inner * 2 / 3 + margin, lower - t},
                                 {"2) Konservierung", inner / 3 + margin, lower - t},
                                 {"1) Farbstoff", margin, lower - t}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(legend[i].text, expected[i].text);
        EXPECT_EQ(legend[i].x1, expected[i].x) << expected[i].text;
        EXPECT_EQ(legend[i].y1, expected[i].y) << expected[i].text;
    }
}

TEST_F(FurnitureTest, OnlyUsedAllergensAreListed) {
    const int k = addKat("Speisen");
    addProduct(k, "Schnitzel (A; C)");
    addProduct(k, "Salat (a)"); // markers are case-sensitive
    setLegend(Legend::Allergens, {"Gluten", "Krebstiere", "Eier", "Fisch", "Erdnüsse"});
    const QList<Item> legend = legendTexts(layout(1));
    ASSERT_EQ(legend.size(), 2);
    const int margin = marginPx(25);
    EXPECT_EQ(legend[0].text, "C) Eier");
    EXPECT_EQ(legend[0].x1, (pageWidth() - 2 * margin) / 3 + margin);
    EXPECT_EQ(legend[1].text, "A) Gluten");
    EXPECT_EQ(legend[1].x1, margin);
    EXPECT_EQ(legend[0].y1, legend[1].y1);
}

TEST_F(FurnitureTest, LegendRulesTable) {
    struct Case {
        const char* name;
        bool onlyContained;
        QStringList allergens;
        QStringList additives;
        QString productName;
        QStringList shown;
    };
    const Case cases[] = {
        {"nothing used", true, {"Gluten", "Eier"}, {"Farbstoff"}, "Suppe", {}},
        {"empty allergen never shown",
         false,
         {"Gluten", "", "Eier"},
         {},
         "Suppe",
         {"C) Eier", "A) Gluten"}},
        {"empty additive shows its marker", false, {}, {""}, "Suppe", {"1) "}},
        {"markers after a size",
         true,
         {"Gluten"},
         {"Farbstoff", "Zucker"},
         "Saft (0,5 l) (2)",
         {"2) Zucker"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDocument fresh;
        doc.clearKats();
        doc.setFlag(FlagSetting::OnlyUsedMarkers, c.onlyContained);
        setLegend(Legend::Allergens, c.allergens);
        setLegend(Legend::Additives, c.additives);
        addProduct(addKat("Speisen"), c.productName);
        QStringList shown;
        for (const Item& i : legendTexts(layout(1)))
            shown << i.text;
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(MarkerTokens, Table) {
    const std::pair<const char*, QStringList> cases[] = {
        {"Salat (1; 3)", {"1", "3"}},
        {"Brot (A;C)", {"A", "C"}},
        {"Saft (0,5 l) (2)", {"0,5l", "2"}},
        {"Offen (1; 2", {"1"}},
        {"Tief (a (b) c)", {"ab", ")c"}}, // a closing parenthesis inside stays
        {"Ohne", {}},
        {"Leer ()", {}},
        {"Zu) (A)", {"A"}},
    };
    for (const auto& [name, tokens] : cases)
        EXPECT_EQ(TMenuLayout::MarkerTokens(QString::fromUtf8(name)), tokens) << name;
}

TEST_F(FurnitureTest, FrameRunsAlongTheMiddleOfTheMargins) {
    doc.setText(TextSetting::Footer, QString());
    doc.setNumber(NumberSetting::LeftMargin, 20);
    doc.setNumber(NumberSetting::TopMargin, 30);
    const Result r = layout(1, 200);
    QList<Item> lines, arcs;
    for (const Item& i : r.items) {
        if (i.kind == Item::Kind::Line)
            lines.append(i);
        if (i.kind == Item::Kind::Arc)
            arcs.append(i);
    }
    ASSERT_EQ(lines.size(), 4);
    ASSERT_EQ(arcs.size(), 4);
    const int l = marginPx(20, 200), t = marginPx(30, 200), rt = marginPx(25, 200),
              b = marginPx(25, 200);
    const int W = pageWidth(200), H = height(200);
    EXPECT_EQ(lines[0].penWidth, int(200 * 96 / MMPerInch / 100)); // one millimetre
    const QRect edges[] = {{QPoint(l, t / 2), QPoint(W - rt, t / 2)},
                           {QPoint(W - rt / 2, t), QPoint(W - rt / 2, H - b)},
                           {QPoint(l, H - b / 2), QPoint(W - rt, H - b / 2)},
                           {QPoint(l / 2, t), QPoint(l / 2, H - b)}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(QRect(QPoint(lines[i].x1, lines[i].y1), QPoint(lines[i].x2, lines[i].y2)),
                  edges[i])
            << i;
    // Top left: box over the corner, from the lowest to the rightmost point.
    EXPECT_EQ(QList<int>({arcs[0].x1, arcs[0].y1, arcs[0].x2, arcs[0].y2, arcs[0].x3, arcs[0].y3,
                          arcs[0].x4, arcs[0].y4}),
              QList<int>({0, 0, l, t, l / 2, t, l, t / 2}));
    // Bottom right: from the topmost to the leftmost point.
    EXPECT_EQ(QList<int>({arcs[3].x1, arcs[3].y1, arcs[3].x2, arcs[3].y2, arcs[3].x3, arcs[3].y3,
                          arcs[3].x4, arcs[3].y4}),
              QList<int>({W - rt, H - b, W, H, W - rt / 2, H - b, W - rt, H - b / 2}));
}

TEST_F(FurnitureTest, PageBeyondTheLastShowsOnlyTheFrame) {
    const int k = addKat("Speisen");
    addProduct(k, "Suppe", "heiß");
    doc.setText(TextSetting::HeaderLine, "Kopf");
    setLegend(Legend::Additives, {"Farbstoff"});
    doc.setFlag(FlagSetting::OnlyUsedMarkers, false);
    const Result r = layout(3);
    EXPECT_FALSE(r.more);
    for (const Item& i : r.items)
        EXPECT_NE(i.kind, Item::Kind::Text) << i.text;
    int lines = 0;
    for (const Item& i : r.items)
        lines += i.kind == Item::Kind::Line;
    EXPECT_EQ(lines, 4); // the menu's one page drew its frame
}

class TextureTiles : public FurnitureTest {
protected:
    void SetUp() override {
        FurnitureTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(QColor(240, 230, 210));
        const QString path = dir.filePath("tile.png");
        ASSERT_TRUE(image.save(path));
        TTextureSettings settings;
        settings.fileName = path;
        texture.Prepare(settings);
        ASSERT_FALSE(texture.isEmpty());
        view.texture = &texture;
        // 300 pixels wide at 96 dpi and 100 %.
        doc.setNumber(NumberSetting::TileWidth, 300 * 2.539995 / 96 + 1e-9);
        doc.setNumber(NumberSetting::TileHeight, 5);
    }
    QList<Item> tiles(const Result& r) const {
        QList<Item> images;
        for (const Item& i : r.items)
            if (i.kind == Item::Kind::Image)
                images.append(i);
        return images;
    }
    QTemporaryDir dir;
    TTexture texture{QString()};
};

TEST_F(TextureTiles, AspectRatioDecidesTheTileHeight) {
    const int tall = int(5 * 10 / MMPerInch * 96);
    for (bool keep : {true, false}) {
        doc.setFlag(FlagSetting::TextureKeepsAspect, keep);
        const QList<Item> images = tiles(layout(1));
        const int tw = 300, tht = keep ? 150 : tall;
        ASSERT_FALSE(images.isEmpty());
        EXPECT_EQ(images[0].x2, tw);
        EXPECT_EQ(images[0].y2, tht);
        const int columns = (pageWidth() + tw - 1) / tw;
        const int rows = (height() + tht - 1) / tht;
        EXPECT_EQ(images.size(), columns * rows) << keep;
        EXPECT_EQ(images[1].x1, tw); // rows outer, columns inner
        EXPECT_EQ(images[columns].y1, tht);
    }
}

TEST_F(TextureTiles, FrameStandsOverTheTextureOfTheRequestedPage) {
    const int k = addKat("Speisen");
    for (int i = 0; i < 80; ++i)
        addProduct(k, "Gericht");
    const Result r = layout(2);
    qsizetype lastTile = -1, lastLine = -1;
    for (qsizetype i = 0; i < r.items.size(); ++i) {
        if (r.items[i].kind == Item::Kind::Image)
            lastTile = i;
        if (r.items[i].kind == Item::Kind::Line)
            lastLine = i;
    }
    ASSERT_GE(lastTile, 0);
    EXPECT_GT(lastLine, lastTile);
}

TEST_F(TextureTiles, OnlyTheRequestedPageAndNoEndlessTiling) {
    const int k = addKat("Speisen");
    for (int i = 0; i < 80; ++i)
        addProduct(k, "Gericht");
    const int perPage = int(tiles(layout(1)).size());
    EXPECT_EQ(tiles(layout(2)).size(), perPage); // page 1's tiles are not drawn again
    // A tile below one pixel: no texture on the page rather than a loop.
    doc.setNumber(NumberSetting::TileWidth, 1);
    EXPECT_TRUE(tiles(layout(1, 10, 10)).isEmpty());
}

} // namespace
