// One pass over every page against one call per page: the same drawing on
// every page, pages chosen or skipped, the page count, and where the frame
// stands among the content.
#include <functional>
#include <iterator>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/GeneratedMenu.h"
#include "common/LiteralLayout.h"
#include "common/QtPrinters.h"
#include "layout/LayoutFixture.h"
#include "layout/PainterCanvas.h"
#include "texture/Texture.h"

namespace {

// Every field of every drawing call, one line each.
QStringList describe(const QList<Item>& items) {
    QStringList out;
    for (const Item& i : items)
        out << QStringLiteral("%1|%2|%3|%4|%5 %6 %7 %8 %9 %10 %11 %12|%13 %14|%15")
                   .arg(int(i.kind))
                   .arg(i.text)
                   .arg(int(i.font))
                   .arg(i.size)
                   .arg(i.x1)
                   .arg(i.y1)
                   .arg(i.x2)
                   .arg(i.y2)
                   .arg(i.x3)
                   .arg(i.y3)
                   .arg(i.x4)
                   .arg(i.y4)
                   .arg(i.pen.name())
                   .arg(i.penWidth)
                   .arg(i.brush.isValid() ? i.brush.name() : QStringLiteral("none"));
    return out;
}

bool isFramePart(const Item& i) {
    return i.kind == Item::Kind::Line || i.kind == Item::Kind::Arc;
}

class PassTest : public LayoutFixture {
protected:
    void SetUp() override {
        LayoutFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor(235, 225, 200));
        const QString path = dir.filePath(QStringLiteral("tile.png"));
        ASSERT_TRUE(image.save(path));
        TTextureSettings settings;
        settings.fileName = path;
        texture.Prepare(settings);
        ASSERT_FALSE(texture.isEmpty());
    }

    // One call of the plain rules for `page`, as printing asks for it.
    template <class Layout = TLiteralLayout> Result alone(int page, bool printit = true) {
        TRecordingCanvas canvas(96);
        Layout engine(doc, view);
        const bool more = engine.PaintToCanvas(canvas, paper.Request(96, 100, page, printit));
        return {more, canvas.Items()};
    }

    // One pass in which `choose` decides about every page; the drawing of
    // each page drawn, by page number, and the pages offered.
    struct Pass {
        int result = 0;
        QList<int> offered;
        QMap<int, QList<Item>> pages;
    };
    Pass pass(const std::function<TMenuLayout::PageStart(int)>& choose, bool printit = true) {
        TRecordingCanvas canvas(96);
        Pass p;
        int drawing = 0;
        qsizetype from = 0;
        auto close = [&] {
            if (drawing > 0)
                p.pages[drawing] = canvas.Items().mid(from);
            from = canvas.Items().size();
        };
        TMenuLayout engine(doc, view);
        p.result = engine.PaintPages(canvas, paper.Request(96, 100, 1, printit), [&](int page) {
            close();
            p.offered << page;
            const TMenuLayout::PageStart what = choose(page);
            drawing = what == TMenuLayout::PageStart::Draw ? page : 0;
            return what;
        });
        close();
        EXPECT_EQ(engine.PagesLaidOut(), std::abs(p.result));
        return p;
    }
    static TMenuLayout::PageStart drawAll(int) { return TMenuLayout::PageStart::Draw; }

    QTemporaryDir dir;
    TTexture texture{QString()};
};

// Generated menus with every kind of furniture.
struct Variant {
    const char* what;
    unsigned seed;
    int products;
    std::function<void(MenuDocument&, TLayoutView&, const TTexture&)> set;
};
const Variant kVariants[] = {
    {"plain, frame off", 1, 90,
     [](MenuDocument& d, TLayoutView&, const TTexture&) { d.setFlag(FlagSetting::Frame, false); }},
    {"frame, footer, header, both legends, texture", 2, 140,
     [](MenuDocument& d, TLayoutView& v, const TTexture& t) {
         d.setText(TextSetting::HeaderLine, QStringLiteral("Gasthaus"));
         d.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"3", "Süßungsmittel"}});
         d.setLegend(Legend::Allergens, {{"A", "Gluten"}, {"C", "Eier"}, {"D", ""}});
         d.setFlag(FlagSetting::OnlyUsedMarkers, false);
         v.texture = &t;
     }},
    {"a page per category, centred, capitals", 3, 110,
     [](MenuDocument& d, TLayoutView&, const TTexture&) {
         d.setFlag(FlagSetting::NewPagePerCategory, true);
         d.setFlag(FlagSetting::CategoryHeadingCentred, true);
         d.setFlag(FlagSetting::CategoryCapitals, true);
     }},
    {"only the selected category", 4, 200,
     [](MenuDocument&, TLayoutView& v, const TTexture&) {
         v.onlySelected = true;
         v.selectedKat = 2;
     }},
};

class PassVariantTest : public PassTest, public ::testing::WithParamInterface<int> {};

// Each page of the pass holds exactly the calls that the plain rules draw
// for that page alone, frames, pens and fonts included; the count of pages
// agrees.
TEST_P(PassVariantTest, EveryPageOfThePassIsThePageAlone) {
    const Variant& v = kVariants[GetParam()];
    SCOPED_TRACE(v.what);
    FillGeneratedMenu(doc, v.products, v.seed);
    v.set(doc, view, texture);

    const Pass p = pass(drawAll);
    const int pages = p.result;
    ASSERT_GE(pages, 2);
    EXPECT_EQ(p.offered.size(), pages);
    EXPECT_EQ(CountPages(doc, view, paper.Request(96, 100, 1, true)), pages);
    for (int page = 1; page <= pages + 1; ++page) {
        SCOPED_TRACE(page);
        const Result literal = alone(page);
        EXPECT_EQ(literal.more, page < pages);
        if (page <= pages) {
            EXPECT_EQ(describe(p.pages.value(page)), describe(literal.items));
            EXPECT_EQ(describe(alone<TMenuLayout>(page).items), describe(literal.items));
        }
    }
    // For the screen the white page lies under page 1 only.
    const Pass screen = pass(drawAll, false);
    for (int page = 1; page <= pages; ++page) {
        QList<Item> expected = alone(page, false).items;
        ASSERT_FALSE(expected.isEmpty());
        ASSERT_EQ(expected.first().kind, Item::Kind::Rect);
        if (page > 1)
            expected.removeFirst();
        EXPECT_EQ(describe(screen.pages.value(page)), describe(expected)) << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Menus, PassVariantTest, ::testing::Range(0, int(std::size(kVariants))));

// Pages can be skipped and the pass stopped: what is drawn is the chosen
// pages alone, nothing is drawn after the stop, and the count says so.
TEST_F(PassTest, ChosenPagesAreThePagesAloneAndStopEndsTheDrawing) {
    FillGeneratedMenu(doc, 150, 7);
    doc.setText(TextSetting::HeaderLine, QStringLiteral("Kopf"));
    const int pages = CountPages(doc, view, paper.Request(96, 100, 1, true));
    ASSERT_GE(pages, 6);
    using Start = TMenuLayout::PageStart;
    const Pass p = pass([](int page) {
        return page == 2 || page == 4 ? Start::Draw : page < 5 ? Start::Skip : Start::Stop;
    });
    EXPECT_EQ(p.result, -pages);
    EXPECT_EQ(p.offered, (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(p.pages.keys(), (QList<int>{2, 4}));
    for (int page : {2, 4})
        EXPECT_EQ(describe(p.pages.value(page)), describe(alone(page).items)) << page;

    const Pass none = pass([](int) { return Start::Skip; });
    EXPECT_EQ(none.result, pages);
    EXPECT_TRUE(none.pages.isEmpty());
}

// Every page start draws the frame: on a page that another page follows,
// the frame of the next start lies over the content; the last page has only
// its own frame, under the content.
TEST_F(PassTest, TheNextPageStartsFrameLiesOverTheContent) {
    const int k = addKat(QStringLiteral("Speisen"));
    for (int i = 0; i < 45; ++i)
        addProduct(k, QStringLiteral("Gericht %1").arg(i));
    const Result first = alone(1);
    const Result last = alone(2);
    ASSERT_TRUE(first.more);
    ASSERT_FALSE(last.more);
    auto frameRuns = [](const QList<Item>& items) {
        // Runs of frame calls: where they start and how long they are.
        QList<std::pair<qsizetype, qsizetype>> runs;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!isFramePart(items[i]))
                continue;
            if (!runs.isEmpty() && runs.last().first + runs.last().second == i)
                ++runs.last().second;
            else
                runs.append({i, 1});
        }
        return runs;
    };
    const auto firstRuns = frameRuns(first.items);
    ASSERT_EQ(firstRuns.size(), 2);
    EXPECT_EQ(firstRuns[0].second, 8);
    EXPECT_EQ(firstRuns[1], (std::pair<qsizetype, qsizetype>{first.items.size() - 8, 8}));
    qsizetype firstName = 0;
    while (firstName < first.items.size() && first.items[firstName].font != FontRole::ProductName)
        ++firstName;
    EXPECT_LT(firstRuns[0].first, firstName);
    const auto lastRuns = frameRuns(last.items);
    ASSERT_EQ(lastRuns.size(), 1);
    EXPECT_EQ(lastRuns[0].second, 8);
    EXPECT_LT(lastRuns[0].first + 8, last.items.size());
}

// The stacking as it shows: a red name too long for the page crosses the
// frame's right edge; on page 1, which page 2 follows, the frame is drawn
// over it, on the last page the name lies over the frame.
TEST_F(PassTest, FrameCoversAnOverlongNameExceptOnTheLastPage) {
    const int k = addKat(QStringLiteral("Speisen"));
    TFontSetting redFont = doc.font(FontRole::ProductName);
    redFont.color = 0x000000FF; // 0x00BBGGRR: red
    doc.setFont(FontRole::ProductName, redFont);
    const QString longName(60, QChar(u'W'));
    addProduct(k, longName);
    for (int i = 0; i < 45; ++i)
        addProduct(k, QStringLiteral("Gericht"));
    addProduct(k, longName);
    ASSERT_EQ(CountPages(doc, view, paper.Request(96, 100, 1, true)), 2);

    const int right = pageWidth() - marginPx(25) / 2; // the frame's right edge
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        const Result r = alone<TMenuLayout>(page);
        QList<Item> names = r.texts(FontRole::ProductName);
        names.removeIf([&](const Item& i) { return i.text != longName; });
        ASSERT_EQ(names.size(), 1);
        const Item& name = names.first();
        QImage image(paper.PixelSize(96, 100), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            TPainterCanvas canvas(painter, 96);
            TMenuLayout engine(doc, view);
            engine.PaintToCanvas(canvas, paper.Request(96, 100, page, true));
        }
        // Along the frame line, through the name's letters.
        int red = 0, black = 0;
        const int h = TFontCache::TextHeight(redFont, FontPixelSize(redFont.size, 96));
        for (int y = name.y1; y < name.y1 + h; ++y) {
            const QColor c = image.pixelColor(right, y);
            red += c.red() > 150 && c.green() < 100;
            black += c.red() < 80 && c.green() < 80 && c.blue() < 80;
        }
        if (page == 1) {
            EXPECT_GE(black, h);
            EXPECT_EQ(red, 0);
        } else {
            EXPECT_GT(red, 0);
        }
    }
}

} // namespace
