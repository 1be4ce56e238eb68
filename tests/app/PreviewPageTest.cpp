// The preview draws a page in parts from one layout; every part has exactly
// the pixels of the same part of the whole page bitmap.
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/GeneratedMenu.h"
#include "layout/PageSetup.h"
#include "layout/Preview.h"
#include "texture/Texture.h"

namespace {

class PreviewPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_TRUE(dir.isValid());
        FillGeneratedMenu(doc, 120, 11);
        doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"3", "Konservierungsstoff"}});
        doc.setLegend(Legend::Allergens, {{"A", "Gluten"}, {"C", "Eier"}});
        doc.setText(TextSetting::HeaderLine, QStringLiteral("Gasthaus zur Linde"));
        // A texture with detail in every pixel, so that any difference in
        // scaling or placement of its tiles shows.
        QImage tile(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                tile.setPixel(x, y, qRgb(180 + (x * 7) % 70, 150 + (y * 5) % 100, (x * y) % 255));
        const QString file = dir.filePath(QStringLiteral("textur.png"));
        ASSERT_TRUE(tile.save(file));
        doc.setText(TextSetting::TextureFile, file);
        doc.setNumber(NumberSetting::TileWidth, 3.7);
        doc.setNumber(NumberSetting::TileHeight, 2.9);
        texture.Prepare(doc);
        ASSERT_FALSE(texture.isEmpty());
        view.texture = &texture;
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QTemporaryDir dir;
    MenuDocument doc;
    TTexture texture;
    TLayoutView view;
    const TPageSetup paper = A4PageSetup();
};

TEST_F(PreviewPageTest, PartsMatchTheWholePageBitmap) {
    struct Case {
        double zoom;
        int page;
        bool onlySelected;
    };
    const Case cases[] = {
        {100, 1, false}, {100, 2, false}, {250, 1, false}, {40, 1, true}, {100, 99, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " page " << c.page);
        TLayoutView v = view;
        v.onlySelected = c.onlySelected;
        v.selectedKat = c.onlySelected ? 2 : -1;
        const QImage whole = RenderPreviewPage(doc, v, paper, 96, c.zoom, c.page);
        ASSERT_FALSE(whole.isNull());
        TPreviewPage page;
        page.Layout(doc, v, paper, 96, c.zoom, c.page);
        ASSERT_EQ(page.size(), whole.size());
        const int w = whole.width(), h = whole.height();
        // Corners, edges, a thin strip as a scroll step exposes it, the
        // middle, the whole page, and a part that reaches past the page.
        const QRect parts[] = {
            {0, 0, 200, 150},
            {w - 130, h - 170, 130, 170},
            {w / 3, 0, 257, 20},
            {0, h / 2, w, 20},
            {w / 4, h / 3, w / 2, h / 3},
            {0, 0, w, h},
            {w - 50, h - 60, 200, 200},
            {17, 33, 1, 1},
        };
        for (const QRect& part : parts) {
            SCOPED_TRACE(testing::Message() << part.x() << "," << part.y() << " " << part.width()
                                            << "x" << part.height());
            const QRect onPage = part & QRect(0, 0, w, h);
            const QImage drawn = page.Render(part);
            ASSERT_EQ(drawn.size(), onPage.size());
            // Counted pixel by pixel, so that a failure says where.
            const QImage expected = whole.copy(onPage);
            int differing = 0;
            QPoint first(-1, -1);
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    if (drawn.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                        first = QPoint(x, y) + onPage.topLeft();
            EXPECT_EQ(differing, 0) << "first at " << first.x() << "," << first.y();
        }
    }
}

TEST_F(PreviewPageTest, NothingLaidOutDrawsNothing) {
    TPreviewPage page;
    EXPECT_TRUE(page.Render(QRect(0, 0, 10, 10)).isNull());
    page.Layout(doc, view, paper, 96, 100, 1);
    EXPECT_TRUE(page.isLaidOut());
    EXPECT_TRUE(page.Render(QRect(5000, 5000, 10, 10)).isNull()); // beside the page
    page.Clear();
    EXPECT_FALSE(page.isLaidOut());
}

} // namespace
