// Menus with extreme settings and contents: work and memory stay bounded by
// what shows on a page, and nothing leaves the range of its type.
#include <climits>
#include <cstdio>

#include <unistd.h>

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "app/CommandLine.h"
#include "common/GeneratedMenu.h"
#include "files/MenuFile.h"
#include "layout/Export.h"
#include "layout/PainterCanvas.h"
#include "texture/Texture.h"

namespace {

// --- texture tiles ---------------------------------------------------------

TEST(VisibleImagePart, ScalesNothingLargerThanThePage) {
    const QSize page(800, 1100);
    const QRect all(0, 0, 800, 1100);
    struct Case {
        const char* what;
        QSize image;
        QRect target;
        QRect visible;
        bool whole;
        QRect drawn;
        QRectF source;
    };
    const Case cases[] = {
        {"ordinary tile",
         {200, 100},
         {300, 150, 300, 150},
         all,
         true,
         {300, 150, 300, 150},
         {0, 0, 200, 100}},
        {"ordinary tile over the edge",
         {200, 100},
         {600, 1050, 300, 150},
         all,
         true,
         {600, 1050, 300, 150},
         {0, 0, 200, 100}},
        {"ordinary tile off the page", {200, 100}, {900, 0, 300, 150}, all, true, {}, {}},
        {"a tile the size of the page",
         {10, 10},
         {0, 0, 800, 1100},
         all,
         true,
         {0, 0, 800, 1100},
         {0, 0, 10, 10}},
        // One pixel wide and a million high, stretched to 869 x 911,212,544.
        {"very tall tile",
         {1, 1048576},
         {0, 0, 869, 911212544},
         all,
         false,
         {0, 0, 800, 1100},
         {0, 0, 800.0 / 869, 1100.0 * 1048576 / 911212544}},
        {"huge tile seen through a window",
         {1000, 1000},
         {-5000, -5000, 100000, 100000},
         {100, 200, 50, 60},
         false,
         {100, 200, 50, 60},
         {51, 52, 0.5, 0.6}},
        {"huge tile outside the window",
         {1000, 1000},
         {2000, 0, 100000, 100000},
         all,
         false,
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TImagePart part = VisibleImagePart(c.image, c.target, c.visible, page);
        EXPECT_EQ(part.whole, c.whole);
        EXPECT_EQ(part.target, c.drawn);
        if (c.drawn.isEmpty())
            continue;
        EXPECT_NEAR(part.source.x(), c.source.x(), 1e-9);
        EXPECT_NEAR(part.source.y(), c.source.y(), 1e-9);
        EXPECT_NEAR(part.source.width(), c.source.width(), 1e-9);
        EXPECT_NEAR(part.source.height(), c.source.height(), 1e-9);
        // What gets scaled is never larger than the page.
        EXPECT_LE(qint64(part.target.width()) * part.target.height(),
                  qint64(page.width()) * page.height());
    }
}

QImage blankPage(QSize size) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

TEST(StretchImage, OrdinaryTilesAreTheSmoothlyScaledImage) {
    QImage tile(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            tile.setPixel(x, y, qRgb(30 * x, 40 * y, 200));
    QImage page = blankPage({120, 90});
    {
        QPainter painter(&page);
        TPainterCanvas canvas(painter, 96);
        canvas.StretchImage(tile, QRect(10, 20, 61, 43));
    }
    QImage expected = blankPage({120, 90});
    {
        QPainter painter(&expected);
        painter.drawImage(10, 20,
                          tile.scaled(61, 43, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    EXPECT_EQ(page, expected);
}

TEST(StretchImage, AHugeTileShowsTheRightPartOfTheImage) {
    // Red above, blue below, stretched far beyond the page.
    QImage tall(1, 1000, QImage::Format_RGB32);
    for (int y = 0; y < 1000; ++y)
        tall.setPixel(0, y, y < 500 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    QImage page = blankPage({40, 40});
    {
        QPainter painter(&page);
        TPainterCanvas canvas(painter, 96);
        canvas.SetPageSize(page.size());
        // Twenty pixels per pixel of the image; the middle of the tile falls
        // on row 20 of the page.
        canvas.StretchImage(tall, QRect(0, 20 - 10000, 40, 20000));
    }
    EXPECT_EQ(page.pixel(5, 2), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(30, 37), qRgb(0, 0, 255));
}

// Drawing the page into a small window moved over it gives the pixels of the
// whole page there: what a zoomed preview shows of a part of the page.
TEST(StretchImage, AWindowOntoThePageShowsThePagesPixels) {
    QImage tile(9, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            tile.setPixel(x, y, qRgb(20 * x, 30 * y, 100 + 10 * x));
    const QSize size(300, 200);
    auto draw = [&](TCanvas& canvas) {
        canvas.SetPageSize(size);
        for (int y = 0; y < size.height(); y += 47)
            for (int x = 0; x < size.width(); x += 71)
                canvas.StretchImage(tile, QRect(x, y, 71, 47));
        // And one tile larger than the page.
        canvas.StretchImage(tile, QRect(-400, 150, 1000, 900));
    };
    QImage page = blankPage(size);
    {
        QPainter painter(&page);
        TPainterCanvas canvas(painter, 96);
        draw(canvas);
    }
    const QRect window(83, 61, 120, 90);
    QImage part = blankPage(window.size());
    {
        QPainter painter(&part);
        painter.translate(-window.topLeft());
        painter.setClipRect(window);
        TPainterCanvas canvas(painter, 96);
        draw(canvas);
    }
    const QImage crop = page.copy(window);
    // The tile larger than the page is scaled from the part that shows and
    // may differ by rounding at its edges; everything else is the same.
    int differing = 0;
    for (int y = 0; y < crop.height(); ++y)
        for (int x = 0; x < crop.width(); ++x)
            differing += crop.pixel(x, y) != part.pixel(x, y) && y + window.y() < 150;
    EXPECT_EQ(differing, 0);
}

// --- layout ----------------------------------------------------------------

class ExtremeLayout : public LayoutFixture {
protected:
    // Lays the menu out on a texture prepared from `image`, as from a file.
    void useTexture(const QImage& image) {
        ASSERT_TRUE(textureDir.isValid());
        const QString path = textureDir.filePath("texture.png");
        ASSERT_TRUE(image.save(path));
        TTextureSettings settings;
        settings.fileName = path;
        texture.Prepare(settings);
        ASSERT_FALSE(texture.isEmpty());
        view.texture = &texture;
    }

    QTemporaryDir textureDir;
    TTexture texture{QString()};
};

// Settings at the ends of what a file may carry: the layout stays within the
// range of int everywhere (the sanitizer build checks the conversions).
TEST_F(ExtremeLayout, SettingsAtTheirLimitsLayOutWithinRange) {
    const int k = addKat("Speisen");
    addProduct(k, "Suppe", "heiß und scharf", 4.5);
    addProduct(k, "Preis auf Anfrage", "", 0);
    doc.setText(TextSetting::HeaderLine, "Kopf");
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}});
    for (const int32_t size : {INT_MAX, INT_MIN, 0, -1}) {
        for (FontRole role : {FontRole::Heading, FontRole::ProductName, FontRole::Description,
                              FontRole::DotLeader, FontRole::Legend}) {
            TFontSetting f = doc.font(role);
            f.size = size;
            doc.setFont(role, f);
        }
        for (const double zoom : {10.0, 100.0, 1000.0}) {
            SCOPED_TRACE(QStringLiteral("size %1 zoom %2").arg(size).arg(zoom).toStdString());
            const Result r = layout(1, zoom, 96);
            for (const Item& i : r.items) {
                if (i.kind == Item::Kind::Text) {
                    EXPECT_GE(i.size, 1);
                }
            }
        }
    }
}

TEST_F(ExtremeLayout, HugeTextureTilesStayWithinRange) {
    QImage tall(1, 100000, QImage::Format_RGB32);
    tall.fill(Qt::gray);
    ASSERT_NO_FATAL_FAILURE(useTexture(tall));
    doc.setNumber(NumberSetting::TileWidth, 10000);
    doc.setNumber(NumberSetting::TileHeight, 10000);
    for (bool keepAspect : {true, false}) {
        doc.setFlag(FlagSetting::TextureKeepsAspect, keepAspect);
        const Result r = layout(1, 1000, 2400);
        int tiles = 0;
        for (const Item& i : r.items) {
            if (i.kind != Item::Kind::Image)
                continue;
            ++tiles;
            EXPECT_GT(i.x2, 0);
            EXPECT_GT(i.y2, 0);
        }
        EXPECT_EQ(tiles, 1) << keepAspect; // one tile covers the page
    }
}

// A wide image kept in proportion gives tiles a few pixels high: a page
// would take some 80,000 of them. Blocks of tiles bound the calls, and the
// pixels are those of the single tiles.
TEST_F(ExtremeLayout, TinyTilesAreDrawnInBlocksWithTheSamePixels) {
    QImage wide(118, 1, QImage::Format_RGB32);
    for (int x = 0; x < wide.width(); ++x)
        wide.setPixel(x, 0, qRgb(x, 255 - x, (x * 7) % 256));
    ASSERT_NO_FATAL_FAILURE(useTexture(wide));
    doc.setFlag(FlagSetting::TextureKeepsAspect, true);
    doc.setFlag(FlagSetting::Frame, false);
    doc.setText(TextSetting::Footer, QString());
    doc.setText(TextSetting::Heading, QString());
    doc.setNumber(NumberSetting::TileWidth, 1);

    struct Case {
        int dpi;
        double zoom;
        bool comparePixels; // larger pages only count the calls
    };
    for (const Case& c : {Case{300, 100, true}, Case{96, 400, true}, Case{600, 100, false},
                          Case{96, 1000, false}}) {
        SCOPED_TRACE(QStringLiteral("%1 dpi, %2 %").arg(c.dpi).arg(c.zoom).toStdString());
        const int tw = int(c.zoom * (10 / MMPerInch * c.dpi) / 100);
        const int th = int(qint64(texture.height()) * tw / texture.width());
        ASSERT_GE(th, 1);
        const QSize size = paper.PixelSize(c.dpi, c.zoom);
        const qint64 single =
            ((size.width() + tw - 1) / tw) * qint64((size.height() + th - 1) / th);
        ASSERT_GT(single, TMenuLayout::MaxTilesPerPage);

        const Result r = layout(1, c.zoom, c.dpi);
        int images = 0;
        for (const Item& i : r.items)
            images += i.kind == Item::Kind::Image;
        EXPECT_GT(images, 0);
        EXPECT_LE(images, TMenuLayout::MaxTileBlocksAcross * TMenuLayout::MaxTileBlocksAcross);
        if (!c.comparePixels)
            continue;

        // What the page shows against the single tiles drawn one by one.
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            TPainterCanvas canvas(painter, c.dpi);
            TLayoutView v = view;
            v.zoom = c.zoom;
            TMenuLayout engine(doc, v);
            engine.PaintToCanvas(canvas, paper.Request(c.dpi, c.zoom, 1, true));
        }
        QImage tiles(size, QImage::Format_RGB32);
        tiles.fill(Qt::white);
        {
            QPainter painter(&tiles);
            TPainterCanvas canvas(painter, c.dpi);
            canvas.SetPageSize(size);
            for (int y = 0; y < size.height(); y += th)
                for (int x = 0; x < size.width(); x += tw)
                    canvas.StretchImage(texture.image(), QRect(x, y, tw, th));
        }
        EXPECT_TRUE(page == tiles);
    }
}

// Every combination of the ends of what a file may carry (margins, type
// sizes, zoom, tile sizes, and pages from the first to far beyond the last)
// lays a small menu out with work bounded by the menu, never by the
// settings: a few thousand drawing calls at most.
TEST_F(ExtremeLayout, HostileSettingsKeepTheWorkBoundedByTheMenu) {
    QImage wide(30, 1, QImage::Format_RGB32);
    wide.fill(Qt::darkYellow);
    ASSERT_NO_FATAL_FAILURE(useTexture(wide));

    const int k = addKat("Speisen");
    for (int i = 0; i < 3; ++i)
        addProduct(k, QStringLiteral("Gericht %1 (1; A)").arg(i),
                   QStringLiteral("eine Beschreibung von genau vierzig Zeichen"), 4.5);
    doc.setText(TextSetting::HeaderLine, "Kopf");
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}});
    doc.setLegend(Legend::Allergens, {{"A", "Gluten"}});
    doc.setFlag(FlagSetting::TextureKeepsAspect, true);
    const qsizetype bound = 5000;
    for (const double margin : {0.0, 1000.0}) {
        for (const int32_t size : {1, INT_MAX}) {
            for (const double tile : {1.0, 10000.0}) {
                for (NumberSetting m : {NumberSetting::LeftMargin, NumberSetting::TopMargin,
                                        NumberSetting::RightMargin, NumberSetting::BottomMargin})
                    doc.setNumber(m, margin);
                for (int r = 0; r < FontCount; ++r) {
                    TFontSetting f = doc.font(FontRole(r));
                    f.size = size;
                    doc.setFont(FontRole(r), f);
                }
                doc.setNumber(NumberSetting::TileWidth, tile);
                for (const double zoom : {10.0, 1000.0}) {
                    const int pages = CountPages(doc, view, paper.Request(96, zoom, 1, false));
                    EXPECT_LE(pages, 200);
                    for (const int page : {1, pages, pages + 1, INT_MAX}) {
                        SCOPED_TRACE(QStringLiteral("margins %1, size %2, tile %3, zoom %4, "
                                                    "page %5")
                                         .arg(margin)
                                         .arg(size)
                                         .arg(tile)
                                         .arg(zoom)
                                         .arg(page)
                                         .toStdString());
                        const Result r = layout(page, zoom, 96);
                        EXPECT_LE(r.items.size(), bound);
                        EXPECT_EQ(r.more, page < pages);
                    }
                }
            }
        }
    }
}

// Breaking a word between characters measures about as much as the word is
// long, not the square of its length.
TEST_F(ExtremeLayout, LongWordsAreBrokenWithWorkInProportionToTheirLength) {
    TRecordingCanvas canvas(96);
    TMenuLayout engine(doc, view);
    engine.BeginMeasuring(canvas, 96, FontRole::Description);
    for (const QString& word : {QString(30000, QChar('W')), QString(30000, QChar('i')),
                                QStringLiteral("ein Wort ") + QString(30000, QChar('m'))}) {
        const qint64 before = TFontCache::MeasuredCharacters();
        const QStringList pieces = engine.WrapLines(word, 120);
        const qint64 measured = TFontCache::MeasuredCharacters() - before;
        EXPECT_GT(pieces.size(), 20);
        EXPECT_EQ(pieces.join(QString()), word);
        EXPECT_LE(measured, 100 * word.size());
    }
}

// Counts how often the layout works out a legend's grid.
class CountingLayout : public TMenuLayout {
public:
    using TMenuLayout::TMenuLayout;
    int plans = 0;

protected:
    TLegendGrid PlanLegend(Legend which) override {
        ++plans;
        return TMenuLayout::PlanLegend(which);
    }
};

TEST_F(ExtremeLayout, LegendsAreWorkedOutOncePerCall) {
    doc.setFlag(FlagSetting::NewPagePerCategory, true);
    doc.setFlag(FlagSetting::OnlyUsedMarkers, false);
    for (int k = 0; k < 6; ++k)
        addProduct(addKat(QStringLiteral("Kategorie %1").arg(k)), "Gericht (1; A)");
    QList<TLegendEntry> additives, allergens;
    doc.setText(TextSetting::Footer, QString());
    for (int i = 0; i < 60; ++i) {
        additives.append({QString::number(i + 1), QStringLiteral("Zusatz %1").arg(i)});
        allergens.append({QString(QChar(65 + i % 26)), QStringLiteral("Allergen %1").arg(i)});
    }
    doc.setLegend(Legend::Additives, additives);
    doc.setLegend(Legend::Allergens, allergens);
    for (int page : {1, 6}) {
        TRecordingCanvas canvas(96);
        CountingLayout engine(doc, view);
        engine.PaintToCanvas(canvas, paper.Request(96, 100, page, false));
        EXPECT_EQ(engine.plans, 2) << page;
        // Every page carries the whole grid, the same on each.
        const Result r = layout(page);
        EXPECT_EQ(r.texts(FontRole::Legend).size(), 120) << page;
        EXPECT_EQ(r.strings(FontRole::Legend), layout(1).strings(FontRole::Legend));
    }
}

// Drawing every page in one pass gives each page the texts and images that a
// call for that page alone draws (PassTest compares every call).
TEST_F(ExtremeLayout, AllPagesInOnePassMatchPageByPage) {
    FillGeneratedMenu(doc, 120, 5);
    doc.setText(TextSetting::HeaderLine, "Kopf");
    doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"3", "Konservierungsstoff"}});
    doc.setFlag(FlagSetting::OnlyUsedMarkers, false);
    TRecordingCanvas canvas(96);
    QList<qsizetype> starts{0};
    const int pages =
        PaintAllPages(doc, view, canvas, paper.Request(96, 100, 1, false), [&](int page) {
            EXPECT_EQ(page, int(starts.size()) + 1);
            starts.append(canvas.Items().size());
            return true;
        });
    ASSERT_GE(pages, 3);
    ASSERT_EQ(starts.size(), pages);
    starts.append(canvas.Items().size());
    auto drawn = [](const QList<Item>& items) {
        QStringList out;
        for (const Item& i : items)
            if (i.kind == Item::Kind::Text || i.kind == Item::Kind::Image)
                out << QStringLiteral("%1 %2 %3 %4 %5")
                           .arg(i.text)
                           .arg(i.x1)
                           .arg(i.y1)
                           .arg(int(i.font))
                           .arg(i.size);
        return out;
    };
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QList<Item> onePass =
            canvas.Items().mid(starts[page - 1], starts[page] - starts[page - 1]);
        const Result alone = layout(page);
        EXPECT_EQ(drawn(onePass), drawn(alone.items));
        EXPECT_EQ(alone.more, page < pages);
    }

    // Stopping at page 2: nothing is drawn after, and the count says so.
    TRecordingCanvas stopped(96);
    qsizetype atStop = -1;
    const int result =
        PaintAllPages(doc, view, stopped, paper.Request(96, 100, 1, false), [&](int) {
            atStop = stopped.Items().size();
            return false;
        });
    EXPECT_EQ(result, -pages);
    EXPECT_EQ(stopped.Items().size(), atStop);
}

// --- exports and the command line -------------------------------------------

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST(ExtremeExport, APdfLongerThanTheLimitIsAnErrorNotACut) {
    MenuDocument doc;
    doc.setFlag(FlagSetting::NewPagePerCategory, true);
    for (int k = 0; k < 4; ++k)
        doc.addKat(QStringLiteral("Seite %1").arg(k + 1));
    TExportRequest req;
    QByteArray pdf;
    QString error;
    req.maxPages = 4;
    ASSERT_TRUE(RenderPdf(doc, req, &pdf, &error)) << error.toStdString();
    EXPECT_EQ(pdfPages(pdf), 4);
    req.maxPages = 3;
    EXPECT_FALSE(RenderPdf(doc, req, &pdf, &error));
    EXPECT_TRUE(error.contains("3")) << error.toStdString();
}

TEST(ExtremeExport, ImagesOverThePixelBudgetAreRefusedBeforeDrawing) {
    MenuDocument doc;
    TExportRequest req;
    req.page = 1;
    req.dpi = 2000; // A4 at 2000 dpi: 16536 x 23386 pixels
    QByteArray png;
    QString error;
    EXPECT_FALSE(RenderPng(doc, req, &png, &error));
    EXPECT_TRUE(error.contains("16536 x 23386")) << error.toStdString();
    EXPECT_TRUE(png.isEmpty());
    req.dpi = 1200; // 9921 x 14031: within the budget
    req.zoom = 10;
    EXPECT_TRUE(RenderPng(doc, req, &png, &error)) << error.toStdString();
}

TEST(ExtremeCommandLine, OptionsWithOneDashAndStandardOutput) {
    using Mode = TCommandLine::Mode;
    struct Case {
        QStringList args;
        Mode mode;
        QString output;
    };
    const Case cases[] = {
        {{"-x", "f.mnx"}, Mode::Error, {}},
        {{"f.mnx", "-x"}, Mode::Window, {}}, // after a file, arguments are ignored
        {{"-h"}, Mode::Help, {}},
        {{"--save", "-", "f.mnx"}, Mode::Save, "-"},
        {{"--export-pdf", "-", "f.mnx"}, Mode::ExportPdf, "-"},
        {{"--layout-json", "out.json", "-q", "f.mnx"}, Mode::Error, {}},
    };
    for (const Case& c : cases) {
        const TCommandLine cl = ParseCommandLine(c.args);
        EXPECT_EQ(cl.mode, c.mode) << c.args.join(' ').toStdString();
        EXPECT_EQ(cl.output, c.output) << c.args.join(' ').toStdString();
    }
}

// Runs `run` with standard output going into a file; returns what it wrote.
template <class Run> QByteArray captureStandardOutput(const QString& file, Run run) {
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE* target = std::fopen(file.toLocal8Bit().constData(), "wb");
    if (saved < 0 || !target)
        return {};
    dup2(fileno(target), STDOUT_FILENO);
    run();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::fclose(target);
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ExtremeCommandLine, SaveToStandardOutput) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MenuDocument doc;
    auto* p = static_cast<TProduktRec*>(doc.products(doc.addKat("Suppen"))->Add());
    p->name = NewText(u"Linsensuppe");
    p->price = 4.5;
    const QString menu = dir.filePath("karte.mnx");
    ASSERT_TRUE(SaveMenuFile(doc, menu));
    int code = -1;
    QString error;
    const QByteArray written = captureStandardOutput(dir.filePath("stdout"), [&] {
        code = RunHeadless(ParseCommandLine({"--save", "-", menu}), &error);
    });
    EXPECT_EQ(code, 0) << error.toStdString();
    EXPECT_EQ(written, MenuFileBytes(doc));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("-")));
}

} // namespace
