#include <cmath>
#include <random>

#include <QLocale>

#include <gtest/gtest.h>

#include "common/GeneratedMenu.h"
#include "common/LiteralLayout.h"
#include "common/QtPrinters.h"
#include "layout/FontCache.h"
#include "layout/LayoutFixture.h"
#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"
#include "layout/RecordingCanvas.h"

namespace {

// The engine on a bare page: the page furniture has tests of its own.
class LayoutTest : public LayoutFixture {
protected:
    void SetUp() override {
        LayoutFixture::SetUp();
        doc.setText(TextSetting::Footer, QString());
        doc.setFlag(FlagSetting::Frame, false);
    }
};

TEST_F(LayoutTest, EmptyMenuIsTheWhitePageAndTheHeading) {
    const Result r = layout(1);
    EXPECT_FALSE(r.more);
    ASSERT_EQ(r.items.size(), 2);
    const Item& page = r.items[0];
    EXPECT_EQ(page.kind, Item::Kind::Rect);
    EXPECT_EQ(page.brush, QColor(Qt::white));
    EXPECT_EQ(page.pen, QColor(Qt::black));
    EXPECT_EQ(QRect(QPoint(page.x1, page.y1), QPoint(page.x2, page.y2)),
              QRect(QPoint(0, 0), QPoint(pageWidth(), paper.PixelSize(96, 100).height())));
    const Item& heading = r.items[1];
    EXPECT_EQ(heading.text, "Speisekarte");
    EXPECT_EQ(heading.font, FontRole::Heading);
    EXPECT_EQ(heading.size, 24);
    const int margin = marginPx(25);
    EXPECT_EQ(heading.x1,
              (pageWidth() - 2 * margin - w(FontRole::Heading, "Speisekarte")) / 2 + margin);
    EXPECT_EQ(heading.y1, P(25));
}

TEST_F(LayoutTest, AutomaticNumbersSkipExplicitOnes) {
    const int k = addKat("Suppen");
    for (int32_t n : {0, 0, 5, 0, 3, 0})
        addProduct(k, "Suppe", {}, 4, n);
    EXPECT_EQ(layout(1).strings(FontRole::ProductName),
              (QStringList{"1. ", "Suppe", "2. ", "Suppe", "5. ", "Suppe", "4. ", "Suppe", "3. ",
                           "Suppe", "6. ", "Suppe"}));
}

// A product without number: name at the margin, description still indented by
// the number column, whose width its "-1. " sets.
TEST_F(LayoutTest, NegativeNumberPrintsNoNumber) {
    const int k = addKat("Suppen");
    addProduct(k, "Brot", "frisch", 2, -1);
    const Result r = layout(1);
    const QList<Item> names = r.texts(FontRole::ProductName);
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(names[0].text, "Brot");
    EXPECT_EQ(names[0].x1, P(25));
    const QList<Item> descr = r.texts(FontRole::Description);
    ASSERT_EQ(descr.size(), 1);
    EXPECT_EQ(descr[0].x1, P(25 + wmm(FontRole::ProductName, "-1. ")));
}

TEST_F(LayoutTest, PriceOnRequestAndQuantity) {
    const int k = addKat("Weine");
    addProduct(k, "Hauswein", {}, 0, 0, "1/8 l");
    const Result r = layout(1);
    const QList<Item> prices = r.texts(FontRole::Price);
    ASSERT_EQ(prices.size(), 2);
    const QString onRequest = "    Preis auf Anfrage";
    const int right = pageWidth() - marginPx(25);
    EXPECT_EQ(prices[0].text, onRequest);
    EXPECT_EQ(prices[0].x1, right - w(FontRole::Price, onRequest));
    EXPECT_EQ(prices[1].text, "1/8 l");
    EXPECT_EQ(prices[1].x1, right - w(FontRole::Price, onRequest) - w(FontRole::Price, "1/8 l"));
}

TEST_F(LayoutTest, PricesWithAndWithoutDecimals) {
    const int k = addKat("Speisen");
    addProduct(k, "Schnitzel", {}, 12.99);
    EXPECT_EQ(layout(1).strings(FontRole::Price), (QStringList{"12,99 €", ""}));
    doc.setFlag(FlagSetting::PricesWithoutDecimals, true);
    EXPECT_EQ(layout(1).strings(FontRole::Price), (QStringList{"12 €", ""}));
}

TEST(PriceFormat, Table) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::tuple<double, bool, const char*> cases[] = {
        {7.5, false, "7,50"},
        {1234.5, false, "1234,50"},
        {0.004, false, "0,00"},
        {12.99, true, "12"},
        {-3.7, true, "-3"},
        {1e15, false, "1,00000000000000E+015"},
        {1234567.891, false, "1234567,89"},
        {0, false, "0,00"},
        {-3.5, false, "-3,50"},
        {2.675, false, "2,68"},
        {-2.675, false, "-2,68"},
        {1.005, false, "1,01"},
        {0.005, false, "0,01"},
        {-0.001, false, "0,00"},
        {12345678901234.56, false, "12345678901234,60"},
        {99999999999999.99, false, "100000000000000,00"},
        {999999999999999.9, false, "1,00000000000000E+015"},
        {-1e15, false, "-1,00000000000000E+015"},
    };
    for (const auto& [price, noKomma, text] : cases)
        EXPECT_EQ(FormatPrice(price, noKomma), QString::fromUtf8(text)) << price;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(FormatPrice(7.5, false), "7.50");
}

TEST(SplitLines, BreaksAtCrLfAndCrLf) {
    const std::pair<const char*, QStringList> cases[] = {
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"a\n\r\nb", {"a", "", "b"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(SplitLines(QString::fromLatin1(text)), lines) << text;
}

TEST_F(LayoutTest, OverWideNameStillGetsOneDot) {
    const int k = addKat("Speisen");
    addProduct(k, QString(80, 'W'), {}, 5);
    EXPECT_EQ(layout(1).strings(FontRole::DotLeader), QStringList{"."});
    doc.setFlag(FlagSetting::NoDotLeaders, true);
    EXPECT_TRUE(layout(1).strings(FontRole::DotLeader).isEmpty());
}

TEST_F(LayoutTest, WrapBreaksAfterLastFittingSpaceAndCutsLongWords) {
    TRecordingCanvas canvas(96);
    TMenuLayout engine(doc, view);
    engine.BeginMeasuring(canvas, 96, FontRole::Description);
    EXPECT_EQ(engine.WrapLines("aaa bbb ccc", engine.TextWidthMM("aaa bbb ")),
              (QStringList{"aaa bbb ", "ccc"}));
    EXPECT_EQ(engine.WrapLines("aaa bbb ccc", engine.TextWidthMM("aaa bbb ") - 0.01),
              (QStringList{"aaa ", "bbb ccc"}));
    EXPECT_EQ(engine.WrapLines("", 10), QStringList{""});

    const QString word = "abcdefghijklmnop";
    const QStringList pieces = engine.WrapLines(word, engine.TextWidthMM("abcd"));
    EXPECT_EQ(pieces.first(), "abcd");
    EXPECT_EQ(pieces.join(""), word);
    // Nothing fits: one character per piece.
    EXPECT_EQ(engine.WrapLines("xyz", 0), (QStringList{"x", "y", "z"}));
}

TEST_F(LayoutTest, EmptyDescriptionLinesTakeOneLineEach) {
    const int k = addKat("Speisen");
    addProduct(k, "Teller", "eins\r\n\r\ndrei");
    const QList<Item> lines = layout(1).texts(FontRole::Description);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].text, "");
    // One description line apart each (positions are rounded separately).
    const double dh = hmm(FontRole::Description) / MMPerInch * 96;
    EXPECT_NEAR(lines[1].y1 - lines[0].y1, dh, 1.0);
    EXPECT_NEAR(lines[2].y1 - lines[1].y1, dh, 1.0);
}

// A description that crosses the page end goes on one line below the top.
TEST_F(LayoutTest, DescriptionCrossesPageEnd) {
    const int k = addKat("Speisen");
    QStringList lines;
    for (int i = 1; i <= 120; ++i)
        lines << QStringLiteral("Zeile %1").arg(i);
    addProduct(k, "Lang", lines.join("\r\n"));
    const Result first = layout(1);
    EXPECT_TRUE(first.more);
    const Result second = layout(2);
    const QList<Item> continued = second.texts(FontRole::Description);
    ASSERT_FALSE(continued.isEmpty());
    const int onFirst = int(first.texts(FontRole::Description).size());
    EXPECT_EQ(continued[0].text, lines[onFirst]);
    EXPECT_EQ(continued[0].y1, P(25 + hmm(FontRole::Description)));
    EXPECT_TRUE(second.texts(FontRole::ProductName).isEmpty());
}

// A product that does not fit starts the next page without its category.
TEST_F(LayoutTest, ProductStartsNewPageWithoutCategoryHeading) {
    const int k = addKat("Getränke");
    for (int i = 0; i < 80; ++i)
        addProduct(k, QStringLiteral("Getränk %1").arg(i + 1));
    const Result first = layout(1);
    EXPECT_EQ(first.strings(FontRole::CategoryName), QStringList{"GETRÄNKE"});
    const Result second = layout(2);
    EXPECT_TRUE(second.texts(FontRole::CategoryName).isEmpty());
    const QList<Item> numbers = second.texts(FontRole::ProductName);
    ASSERT_FALSE(numbers.isEmpty());
    EXPECT_EQ(numbers[0].y1, P(25));
    const int onFirst = int(first.texts(FontRole::ProductName).size()) / 2;
    EXPECT_EQ(numbers[0].text, QStringLiteral("%1. ").arg(onFirst + 1));
}

TEST_F(LayoutTest, OnlySelectedNumbersFromTheFirstFreeNumber) {
    const int a = addKat("Vorspeisen");
    addProduct(a, "Salat");
    addProduct(a, "Suppe", {}, 5, 2);
    const int b = addKat("Hauptspeisen");
    addProduct(b, "Braten");
    addProduct(b, "Fisch");
    view.onlySelected = true;
    view.selectedKat = b;
    doc.setFlag(FlagSetting::NewPagePerCategory, true);
    const Result r = layout(1);
    EXPECT_EQ(r.strings(FontRole::CategoryName), QStringList{"HAUPTSPEISEN"});
    EXPECT_EQ(r.strings(FontRole::ProductName), (QStringList{"1. ", "Braten", "3. ", "Fisch"}));
    EXPECT_FALSE(r.more);
}

TEST_F(LayoutTest, PageBeyondTheLastDrawsOnlyThePage) {
    const int k = addKat("Speisen");
    addProduct(k, "Suppe", "heiß");
    const Result r = layout(7);
    EXPECT_FALSE(r.more);
    ASSERT_EQ(r.items.size(), 1);
    EXPECT_EQ(r.items[0].kind, Item::Kind::Rect);
}

// The fast leader and wrapping give exactly the pieces, dots and breaks of
// the plain one-step-at-a-time rules.
TEST_F(LayoutTest, FastLayoutMatchesTheLiteralRules) {
    FillGeneratedMenu(doc, 150, 7);
    for (double zoom : {100.0, 37.0}) {
        for (int page = 1;; ++page) {
            SCOPED_TRACE(QStringLiteral("zoom %1 page %2").arg(zoom).arg(page).toStdString());
            const Result fast = layout(page, zoom);
            const Result literal = layout<TLiteralLayout>(page, zoom);
            ASSERT_EQ(fast.more, literal.more);
            ASSERT_EQ(fast.items.size(), literal.items.size());
            for (qsizetype i = 0; i < fast.items.size(); ++i) {
                EXPECT_EQ(fast.items[i].text, literal.items[i].text) << i;
                EXPECT_EQ(fast.items[i].x1, literal.items[i].x1) << i;
                EXPECT_EQ(fast.items[i].y1, literal.items[i].y1) << i;
            }
            if (!fast.more || page > 40)
                break;
        }
    }
}

TEST_F(LayoutTest, FastWrapAndDotsMatchTheLiteralRulesOnManyTexts) {
    TRecordingCanvas canvas(96);
    TMenuLayout fast(doc, view);
    TLiteralLayout literal(doc, view);
    std::mt19937 rng(11);
    const QString alphabet = QStringLiteral("aeiou nrstlmWÄß.- ");
    for (FontRole role : {FontRole::Description, FontRole::FreeText}) {
        fast.BeginMeasuring(canvas, 96, role);
        TRecordingCanvas canvas2(96);
        literal.BeginMeasuring(canvas2, 96, role);
        for (int i = 0; i < 400; ++i) {
            QString line;
            const int n = int(rng() % 120);
            for (int c = 0; c < n; ++c)
                line += alphabet.at(int(rng() % unsigned(alphabet.size())));
            const double width = (rng() % 1500) / 10.0 - 5;
            ASSERT_EQ(fast.WrapLines(line, width), literal.WrapLines(line, width))
                << line.toStdString() << " " << width;
        }
    }
    fast.BeginMeasuring(canvas, 96, FontRole::DotLeader);
    TRecordingCanvas canvas3(96);
    literal.BeginMeasuring(canvas3, 96, FontRole::DotLeader);
    for (double room = -5; room < 200; room += 0.37)
        ASSERT_EQ(fast.DotCount(room), literal.DotCount(room)) << room;
}

TEST(DotLimit, BoundsTheLeaderForAnyDotWidth) {
    EXPECT_EQ(TMenuLayout::DotLimit(-3), 1);
    EXPECT_EQ(TMenuLayout::DotLimit(0), 1);
    // One pixel at 300 ppi is the narrowest dot that measures at all.
    EXPECT_EQ(TMenuLayout::DotLimit(10 * MMPerInch / 300), 12);
}

// Zoom changes sizes and positions, never the page or line breaks.
TEST_F(LayoutTest, BreaksAreTheSameAtEveryZoom) {
    FillGeneratedMenu(doc, 120, 3);
    for (int page = 1;; ++page) {
        const Result normal = layout(page, 100);
        const Result zoomed = layout(page, 250);
        EXPECT_EQ(normal.more, zoomed.more) << page;
        QStringList a, b;
        for (const Item& i : normal.items)
            a << i.text;
        for (const Item& i : zoomed.items)
            b << i.text;
        EXPECT_EQ(a, b) << "page " << page;
        if (!normal.more || page > 40)
            break;
    }
}

TEST_F(LayoutTest, CategoryHeadingCentredAndInCapitals) {
    addKat("Getränke");
    doc.setFlag(FlagSetting::CategoryHeadingCentred, true);
    const QList<Item> heads = layout(1).texts(FontRole::CategoryName);
    ASSERT_EQ(heads.size(), 1);
    EXPECT_EQ(heads[0].text, "GETRÄNKE");
    EXPECT_EQ(heads[0].x1, (pageWidth() - w(FontRole::CategoryName, "GETRÄNKE")) / 2);
    doc.setFlag(FlagSetting::CategoryCapitals, false);
    doc.setFlag(FlagSetting::CategoryHeadingCentred, false);
    const QList<Item> plain = layout(1).texts(FontRole::CategoryName);
    EXPECT_EQ(plain[0].text, "Getränke");
    EXPECT_EQ(plain[0].x1, P(25));
}

TEST_F(LayoutTest, FreeTextUsesItsFontAndTheFullWidth) {
    const int k = addKat("Hinweise");
    addProduct(k, "ignoriert", "Alle Speisen frisch zubereitet", -1, 7);
    const Result r = layout(1);
    EXPECT_EQ(r.strings(FontRole::FreeText), QStringList{"Alle Speisen frisch zubereitet"});
    EXPECT_TRUE(r.texts(FontRole::ProductName).isEmpty());
    EXPECT_EQ(r.texts(FontRole::FreeText)[0].x1, P(25));
}

TEST(RoundHalfEven, Table) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-0.5, 0},
                                            {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [v, r] : cases)
        EXPECT_EQ(RoundHalfEven(v), r) << v;
}

} // namespace
