#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "common/QtPrinters.h"
#include "files/MenuFile.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"
#include "foundation/ProduktRec.h"
#include "layout/Export.h"
#include "layout/RecordingCanvas.h"

namespace {

// A menu of a few pages.
void fillMenu(MenuDocument& doc) {
    for (int k = 0; k < 3; ++k) {
        const int kat = doc.addKat(QStringLiteral("Kategorie %1").arg(k + 1));
        for (int i = 0; i < 25; ++i) {
            auto* p = static_cast<TProduktRec*>(doc.products(kat)->Add());
            p->name = NewText(QStringLiteral("Gericht %1").arg(i + 1));
            p->description = NewText(u"Eine Beschreibung, die eine Zeile füllt");
            p->price = 9.5;
        }
    }
}

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST(Export, PdfHasOnePagePerMenuPage) {
    MenuDocument doc;
    fillMenu(doc);
    TExportRequest req;
    QByteArray pdf;
    ASSERT_TRUE(RenderPdf(doc, req, &pdf, nullptr));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    // The layout says how many pages there are.
    int pages = 0;
    for (;;) {
        TRecordingCanvas rec(600);
        if (!PaintToCanvas(doc, TLayoutView(), rec, req.paper.Request(600, 100, ++pages, true)))
            break;
    }
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pdfPages(pdf), pages);

    req.page = 2;
    ASSERT_TRUE(RenderPdf(doc, req, &pdf, nullptr));
    EXPECT_EQ(pdfPages(pdf), 1);
}

TEST(Export, PngIsThePreviewPage) {
    MenuDocument doc;
    fillMenu(doc);
    TExportRequest req;
    req.page = 1;
    req.zoom = 50;
    req.dpi = 96;
    QByteArray png;
    ASSERT_TRUE(RenderPng(doc, req, &png, nullptr));
    const QImage image = QImage::fromData(png, "png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), req.paper.PixelSize(96, 50));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)); // the outline
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white)); // the page
}

TEST(Export, LayoutJsonListsTheDrawingCalls) {
    MenuDocument doc;
    fillMenu(doc);
    TExportRequest req;
    req.page = 1;
    QByteArray json;
    ASSERT_TRUE(RenderLayoutJson(doc, req, &json, nullptr));
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(root["page"].toInt(), 1);
    EXPECT_TRUE(root["pages_follow"].toBool());
    EXPECT_EQ(root["dpi"].toInt(), 96);
    EXPECT_EQ(root["width"].toInt(), req.paper.PixelSize(96, 100).width());
    const QJsonArray items = root["items"].toArray();
    ASSERT_GT(items.size(), 3);
    EXPECT_EQ(items[0].toObject()["kind"].toString(), "rect");
    QJsonObject heading;
    QStringList kinds;
    for (const QJsonValue& v : items) {
        kinds << v.toObject()["kind"].toString();
        if (v.toObject()["text"].toString() == "Speisekarte")
            heading = v.toObject();
    }
    EXPECT_EQ(heading["kind"].toString(), "text");
    EXPECT_EQ(heading["font"].toString(), "FontDialog1");
    EXPECT_EQ(heading["size"].toInt(), 24);
    EXPECT_TRUE(heading.contains("x") && heading.contains("y"));
    // The frame comes at the start of every page laid out, the same each time.
    EXPECT_GE(kinds.count("line"), 4);
    EXPECT_EQ(kinds.count("line") % 4, 0);
    EXPECT_EQ(kinds.count("arc"), kinds.count("line"));
}

// Bad options, missing or damaged files and unwritable outputs fail with a
// message and write nothing.
TEST(Export, CommandLineErrorsWriteNothing) {
    QTemporaryDir dir;
    const QString good = dir.filePath("karte.mnx");
    {
        MenuDocument doc;
        fillMenu(doc);
        ASSERT_TRUE(SaveMenuFile(doc, good));
    }
    QFile damaged(dir.filePath("kaputt.mnx"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x01\x00\x00\x00\x05\x00", 6));
    damaged.close();
    const QString out = dir.filePath("out.png");

    const QList<QStringList> failing = {
        {"--export-png", out, good},                // no page
        {"--export-png", out, "--page", "0", good}, // page out of range
        {"--export-png", out, "--page", "1", "--zoom", "5", good},
        {"--export-png", out, "--page", "1", "--dpi", "x", good},
        {"--export-png", out, "--page", "1", dir.filePath("fehlt.mnx")},
        {"--export-png", out, "--page", "1", damaged.fileName()},
        {"--export-png", dir.filePath("no/such/dir.png"), "--page", "1", good},
        {"--export-pdf", out, "--zoom", "200", good},
        {"--export-pdf", out, good, good},
        {"--layout-json", out, "--bogus", good},
        {"--export-pdf", out},
    };
    for (const QStringList& args : failing) {
        QString error;
        EXPECT_NE(RunHeadless(ParseCommandLine(args), &error), 0) << args.join(' ');
        EXPECT_FALSE(error.isEmpty()) << args.join(' ');
        EXPECT_FALSE(QFile::exists(out)) << args.join(' ');
    }

    QString error;
    EXPECT_EQ(RunHeadless(ParseCommandLine({"--export-png", out, "--page", "2", good}), &error), 0)
        << error;
    EXPECT_FALSE(QImage(out).isNull());
    const QString pdf = dir.filePath("karte.pdf");
    EXPECT_EQ(RunHeadless(ParseCommandLine({"--export-pdf", pdf, good}), &error), 0) << error;
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST(CsvCommandLine, ImportSavesAndExportsAndFailuresWriteNothing) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = dir.filePath("in.csv");
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("h\r\n\"Suppen\",\"Tee\",\"eins\r\nzwei\",\"1,50\",\"3\",\"\"\r\n");
    f.close();
    const QString mnx = dir.filePath("out.mnx");
    const QString pdf = dir.filePath("out.pdf");
    QString error;
    ASSERT_EQ(
        RunHeadless(ParseCommandLine({"--import-csv", in, "--save", mnx, "--export-pdf", pdf}),
                    &error),
        0)
        << error;
    EXPECT_TRUE(QFile::exists(pdf));
    MenuDocument doc;
    ASSERT_TRUE(OpenMenuFile(mnx, doc, &error)) << error;
    ASSERT_EQ(doc.katCount(), 1);
    EXPECT_EQ(doc.katName(0), QStringLiteral("Suppen"));
    ASSERT_EQ(doc.products(0)->count(), 1u);
    const auto* rec = static_cast<const TProduktRec*>(doc.products(0)->GetObject(0));
    EXPECT_EQ(TextOf(rec->description), QStringLiteral("eins\r\nzwei"));
    EXPECT_EQ(rec->price, 1.5);

    // Into an existing menu, then back out as CSV.
    const QString twice = dir.filePath("twice.mnx");
    ASSERT_EQ(RunHeadless(ParseCommandLine({"--import-csv", in, "--save", twice, mnx}), &error), 0)
        << error;
    const QString csv = dir.filePath("out.csv");
    ASSERT_EQ(RunHeadless(ParseCommandLine({"--export-csv", csv, twice}), &error), 0) << error;
    QFile back(csv);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    const QByteArray line = "\"Suppen\",\"Tee\",\"eins\r\nzwei\",\"1,50\",\"3\",\"\"\r\n";
    EXPECT_EQ(back.readAll(), "\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\","
                              "\"Bestellnummer\",\"Menge\"\r\n" +
                                  line + line);

    const QString out = dir.filePath("never.mnx");
    const QList<QStringList> failing = {
        {"--import-csv", dir.filePath("fehlt.csv"), "--save", out},
        {"--import-csv", dir.path(), "--save", out},
        {"--import-csv", in},
        {"--import-csv", in, "--save", out, "--export-png", out, "--page", "1"},
        {"--import-csv", in, "--save", out, dir.filePath("fehlt.mnx")},
        {"--import-csv", in, "--save", out, mnx, mnx},
        {"--import-csv", in, "--export-pdf", "", mnx}, // nothing to write
        {"--import-csv", "", "--save", out, mnx},
        {"--export-csv", out},
        {"--export-csv", out, dir.filePath("fehlt.mnx")},
        {"--export-csv", out, "--save", out, mnx},
        {"--export-csv", dir.filePath("no/such/dir.csv"), mnx},
    };
    for (const QStringList& args : failing) {
        EXPECT_NE(RunHeadless(ParseCommandLine(args), &error), 0) << args.join(' ');
        EXPECT_FALSE(error.isEmpty()) << args.join(' ');
        EXPECT_FALSE(QFile::exists(out)) << args.join(' ');
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
