// Printing from the window through the real print path (QPrinter writing
// PDF), the printer set-up, the print resolution, the PDF command, the page
// count and the progress of long jobs.
#include <cmath>
#include <functional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPageLayout>
#include <QPageRanges>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "common/PdfReader.h"
#include "common/QtPrinters.h"

#include "app/DPIEinstellenFUnit.h"
#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/ShownWindowTest.h"
#include "app/WindowFixture.h"
#include "app/tabs/ProductsTab.h"
#include "layout/Export.h"
#include "layout/Preview.h"
#include "layout/Printing.h"
#include "layout/RecordingCanvas.h"
#include "translation/TranslateUnit.h"

namespace {

using Item = TRecordingCanvas::Item;

class PrintTest : public ShownWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ShownWindowTest::SetUp());
        out = dir.filePath(QStringLiteral("druck.pdf"));
    }

    // A menu of `pages` pages: category k ("Seite k", in capitals on the
    // page) starts page k.
    void pagedMenu(int pages) {
        form->doc.setFlag(FlagSetting::NewPagePerCategory, true);
        for (int k = 1; k <= pages; ++k) {
            const int kat = form->editor().addCategory(QStringLiteral("Seite %1").arg(k));
            TProductFields fields;
            fields.name = QStringLiteral("Gericht %1").arg(k);
            fields.description = QStringLiteral("mit Beilage");
            fields.price = 9.5 + k;
            form->editor().addProduct(kat, fields);
        }
    }
    // The print dialog answers by printing to `path`, after `more`.
    void printTo(const QString& path, std::function<void(QPrinter&)> more = nullptr) {
        prompts->printDialog = [path, more](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(path);
            if (more)
                more(p);
            return true;
        };
    }
    void trigger(const char* item) { form->action(QString::fromLatin1(item))->trigger(); }
    // Which menu page each sheet of a PDF shows, by its category heading.
    static QList<int> sheets(const QString& path) {
        static const QRegularExpression heading(QStringLiteral("SEITE (\\d+)"));
        QList<int> shown;
        for (const QString& text : PdfPageTexts(path)) {
            const QRegularExpressionMatch m = heading.match(text);
            shown << (m.hasMatch() ? m.captured(1).toInt() : 0);
        }
        return shown;
    }
    QString status() const { return form->statusBar()->currentMessage(); }
    // The layout of page `page` as printing draws it at `dpi`.
    QList<Item> printedLayout(int page, int dpi) {
        TRecordingCanvas canvas(dpi);
        TLayoutView view;
        view.texture = &form->texture();
        TPageRequest request = form->paper().Request(dpi, 100, page, true);
        PaintToCanvas(form->doc, view, canvas, request);
        return canvas.Texts();
    }
    // The words of a page's texts, sorted.
    static QStringList words(const QList<Item>& texts) {
        QStringList all;
        for (const Item& i : texts)
            all += i.text.split(u' ', Qt::SkipEmptyParts);
        all.sort();
        return all;
    }
    static QStringList words(const QList<TPdfWord>& pdf) {
        QStringList all;
        for (const TPdfWord& w : pdf)
            all << w.text;
        all.sort();
        return all;
    }
    // Every text drawn at `dpi` stands on the PDF page where it was drawn:
    // a word of its first word's text whose box starts there, within
    // `tolerance` points.
    static void expectPlaced(const QList<Item>& texts, int dpi, const QList<TPdfWord>& pdf,
                             double tolerance) {
        for (const Item& i : texts) {
            const QString first = i.text.split(u' ', Qt::SkipEmptyParts).value(0);
            if (first.isEmpty())
                continue;
            const double x = i.x1 * 72.0 / dpi;
            const double y = i.y1 * 72.0 / dpi;
            bool found = false;
            for (const TPdfWord& w : pdf)
                found = found || (w.text == first && std::abs(w.xMin - x) <= tolerance &&
                                  std::abs(w.yMin - y) <= 1.5);
            EXPECT_TRUE(found) << first << " at " << x << ", " << y;
        }
    }
    // The files in the test's folder.
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString out;
};

// "Drucken", from the menu and from the toolbar: one job of all pages, in
// order, titled with message 12; the engine says that pages follow pages 1
// and 2 but not page 3.
TEST_F(PrintTest, DruckenPrintsEveryPageInOneJob) {
    pagedMenu(3);
    printTo(out);
    trigger("Drucken1");
    EXPECT_EQ(prompts->printDialogPages, QList<int>{3});
    EXPECT_TRUE(prompts->errors.isEmpty()) << prompts->errors.join(' ');
    EXPECT_EQ(sheets(out), (QList<int>{1, 2, 3}));
    const QMap<QString, QString> info = PdfInfo(out);
    EXPECT_EQ(info.value("Title"), GetMessageText(12));
    EXPECT_EQ(info.value("Creator"), "Menolux");
    EXPECT_EQ(status(), "3 Seiten gedruckt");
    EXPECT_TRUE(prompts->progresses.isEmpty()); // three pages are soon done
    QList<bool> follows;
    for (int page = 1; page <= 3; ++page) {
        TRecordingCanvas canvas(1200);
        follows << PaintToCanvas(form->doc, TLayoutView(), canvas,
                                 form->paper().Request(1200, 100, page, true));
    }
    EXPECT_EQ(follows, (QList<bool>{true, true, false}));

    const QString again = dir.filePath(QStringLiteral("nochmal.pdf"));
    printTo(again);
    form->findChild<QToolButton*>(QStringLiteral("DruckenBtn"))->click();
    EXPECT_EQ(prompts->printDialogPages.size(), 2);
    EXPECT_EQ(sheets(again), (QList<int>{1, 2, 3}));

    // "Nur die markierte Kategorie ausgeben" holds for paper as for the
    // preview.
    form->productsTab()->selectCategory(1);
    form->findChild<QCheckBox*>(QStringLiteral("OnlySelected"))->setChecked(true);
    const QString selected = dir.filePath(QStringLiteral("auswahl.pdf"));
    printTo(selected);
    trigger("Drucken1");
    EXPECT_EQ(prompts->printDialogPages.last(), 1);
    EXPECT_EQ(sheets(selected), QList<int>{2});
}

// "Aktuelle Seite drucken" prints the page the preview shows, as the preview
// lays it out, at physical size whatever the zoom: the same words at the
// places the layout gives them at the printer's resolution.
TEST_F(PrintTest, CurrentPagePrintsThePreviewsPageAtPhysicalSize) {
    pagedMenu(3);
    form->doc.setText(TextSetting::HeaderLine, QStringLiteral("Gasthaus zur Linde"));
    form->findChild<QSpinBox*>(QStringLiteral("SeiteEd"))->setValue(2);
    form->findChild<QSpinBox*>(QStringLiteral("ZoomEd"))->setValue(250);
    printTo(out);
    trigger("AktuelleSeitedrucken1");
    EXPECT_EQ(prompts->printDialogPages, QList<int>{0}); // no range to choose
    ASSERT_EQ(sheets(out), QList<int>{2});
    EXPECT_EQ(status(), "Eine Seite gedruckt");

    // The preview's page 2, as the screen shows it.
    TRecordingCanvas preview(96);
    TLayoutView view;
    view.zoom = 100;
    view.texture = &form->texture();
    PaintToCanvas(form->doc, view, preview, form->paper().Request(96, 100, 2, false));
    const QList<Item> printed = printedLayout(2, 1200);
    QStringList previewTexts, printedTexts;
    for (const Item& i : preview.Texts())
        previewTexts << i.text;
    for (const Item& i : printed)
        printedTexts << i.text;
    EXPECT_EQ(printedTexts, previewTexts);
    const QList<TPdfWord> pdf = PdfWords(out, 1);
    EXPECT_EQ(words(pdf), words(printed));
    expectPlaced(printed, 1200, pdf, 0.05);
    EXPECT_TRUE(PdfInfo(out).value("Page size").startsWith("595 x 842 pts"))
        << PdfInfo(out).value("Page size");

    // A page beyond the last: one sheet with the frame alone.
    form->findChild<QSpinBox*>(QStringLiteral("SeiteEd"))->setValue(9);
    const QString beyond = dir.filePath(QStringLiteral("leer.pdf"));
    printTo(beyond);
    trigger("AktuelleSeitedrucken1");
    EXPECT_EQ(PdfPageCount(beyond), 1);
    EXPECT_TRUE(PdfWords(beyond, 1).isEmpty());
    const QImage sheet = PdfPageImage(beyond, 1, 36);
    ASSERT_FALSE(sheet.isNull());
    const int frameX = int(12.5 / 25.4 * 36); // the frame runs along the margin's middle
    int dark = 0;
    for (int y = sheet.height() / 3; y < 2 * sheet.height() / 3; ++y)
        dark += qGray(sheet.pixel(frameX, y)) < 128 || qGray(sheet.pixel(frameX + 1, y)) < 128;
    EXPECT_GT(dark, sheet.height() / 4);
}

// The printed page is drawn without the preview's white page and its black
// outline: the sheet's edges stay blank.
TEST_F(PrintTest, ThePrintedPageHasNoOutline) {
    pagedMenu(1);
    printTo(out);
    trigger("Drucken1");
    const QImage sheet = PdfPageImage(out, 1, 50);
    ASSERT_FALSE(sheet.isNull());
    const QImage screen = RenderPreviewPage(form->doc, TLayoutView(), form->paper(), 96, 100, 1);
    auto darkEdgePixels = [](const QImage& image) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x)
            dark += (qGray(image.pixel(x, 0)) < 128) +
                    (qGray(image.pixel(x, image.height() - 1)) < 128);
        for (int y = 0; y < image.height(); ++y)
            dark +=
                (qGray(image.pixel(0, y)) < 128) + (qGray(image.pixel(image.width() - 1, y)) < 128);
        return dark;
    };
    EXPECT_EQ(darkEdgePixels(sheet), 0);
    EXPECT_GT(darkEdgePixels(screen), 2 * (screen.width() + screen.height()) - 8);
    for (const Item& i : printedLayout(1, 1200))
        EXPECT_NE(i.kind, Item::Kind::Rect);
}

// With "DPI Wert beim Drucken selber einstellen" checked, printing asks for
// the resolution and lays the pages out at it: other pixels, the same paper
// size, the same page and line breaks, the words where they were.
TEST_F(PrintTest, ManualResolutionChangesThePixelsNotTheSizeOrTheBreaks) {
    pagedMenu(3);
    form->doc.setText(TextSetting::HeaderLine, QStringLiteral("Gasthaus zur Linde"));
    printTo(out);
    trigger("Drucken1");
    EXPECT_TRUE(prompts->offeredResolutions.isEmpty()); // the option is off

    QAction* option = form->action(QStringLiteral("DPIWertbeimDruckenselbereinstellen1"));
    option->trigger();
    ASSERT_TRUE(option->isChecked());
    const QString manual = dir.filePath(QStringLiteral("150dpi.pdf"));
    printTo(manual);
    prompts->printResolution = 150;
    trigger("Drucken1");
    EXPECT_EQ(prompts->offeredResolutions, QList<int>{TDPIEinstellenForm::DefaultResolution});
    EXPECT_EQ(form->printResolutionDialog().resolution(), 150);
    ASSERT_EQ(sheets(manual), (QList<int>{1, 2, 3}));
    EXPECT_EQ(PdfInfo(manual).value("Page size"), PdfInfo(out).value("Page size"));
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const QList<TPdfWord> coarse = PdfWords(manual, page);
        const QList<Item> layout = printedLayout(page, 150);
        EXPECT_EQ(words(coarse), words(PdfWords(out, page)));
        EXPECT_EQ(words(coarse), words(layout));
        // On the pixels of 150 dpi, within a millimetre of the printer's own
        // (centred texts move by what their width measures at each
        // resolution).
        expectPlaced(layout, 150, coarse, 0.05);
        expectPlaced(printedLayout(page, 1200), 1200, coarse, 72 / 25.4);
    }

    // The dialog keeps its value; closed without OK, nothing is printed.
    const QString none = dir.filePath(QStringLiteral("nicht.pdf"));
    printTo(none);
    prompts->printResolution.reset();
    trigger("Drucken1");
    EXPECT_EQ(prompts->offeredResolutions, (QList<int>{300, 150}));
    EXPECT_FALSE(QFile::exists(none));
}

// The print dialog's page range, copies and page order: the PDF printer makes
// no copies itself, so the job draws them.
TEST_F(PrintTest, RangeCopiesAndOrderOfTheDialog) {
    pagedMenu(3);
    form->findChild<QSpinBox*>(QStringLiteral("SeiteEd"))->setValue(3);
    struct Case {
        const char* what;
        std::function<void(QPrinter&)> choose;
        QList<int> sheets;
    };
    auto range = [](std::vector<std::pair<int, int>> spans) {
        return [spans](QPrinter& p) {
            QPageRanges ranges;
            for (const auto& [from, to] : spans)
                ranges.addRange(from, to);
            p.setPrintRange(QPrinter::PageRange);
            p.setPageRanges(ranges);
        };
    };
    const Case cases[] = {
        {"all", nullptr, {1, 2, 3}},
        {"2-3", range({{2, 3}}), {2, 3}},
        {"1,3", range({{1, 1}, {3, 3}}), {1, 3}},
        {"reverse", [](QPrinter& p) { p.setPageOrder(QPrinter::LastPageFirst); }, {3, 2, 1}},
        {"two collated",
         [](QPrinter& p) {
             p.setCopyCount(2);
             p.setCollateCopies(true);
         },
         {1, 2, 3, 1, 2, 3}},
        {"two uncollated",
         [](QPrinter& p) {
             p.setCopyCount(2);
             p.setCollateCopies(false);
         },
         {1, 1, 2, 2, 3, 3}},
        {"2-3 reverse, two uncollated",
         [&](QPrinter& p) {
             range({{2, 3}})(p);
             p.setPageOrder(QPrinter::LastPageFirst);
             p.setCopyCount(2);
             p.setCollateCopies(false);
         },
         {3, 3, 2, 2}},
        {"the current page", [](QPrinter& p) { p.setPrintRange(QPrinter::CurrentPage); }, {3}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("fall%1.pdf").arg(++n));
        printTo(path, [&c](QPrinter& p) {
            p.setPageOrder(QPrinter::FirstPageFirst);
            p.setCopyCount(1);
            if (c.choose)
                c.choose(p);
        });
        trigger("Drucken1");
        EXPECT_TRUE(prompts->errors.isEmpty()) << prompts->errors.join(' ');
        EXPECT_EQ(sheets(path), c.sheets);
    }
    // Each job starts from all pages again.
    printTo(dir.filePath(QStringLiteral("alle.pdf")));
    trigger("Drucken1");
    EXPECT_EQ(sheets(dir.filePath(QStringLiteral("alle.pdf"))), (QList<int>{1, 2, 3}));
}

TEST(SheetSequence, OrderAndCopies) {
    struct Case {
        QList<int> pages;
        int copies;
        bool collate, reverse;
        QList<int> sheets;
    };
    const Case cases[] = {
        {{1, 2, 3}, 1, true, false, {1, 2, 3}},       {{1, 2, 3}, 0, true, false, {1, 2, 3}},
        {{2, 5}, 3, true, false, {2, 5, 2, 5, 2, 5}}, {{2, 5}, 3, false, false, {2, 2, 2, 5, 5, 5}},
        {{2, 5}, 2, true, true, {5, 2, 5, 2}},        {{}, 2, true, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetSequence(c.pages, c.copies, c.collate, c.reverse), c.sheets);
}

// A job of more than a few sheets shows its progress; cancelling it leaves
// no half-written file: a file of that name stays as it was.
TEST_F(PrintTest, LongJobsShowProgressAndCancelCleanly) {
    pagedMenu(6);
    printTo(out);
    trigger("Drucken1");
    ASSERT_EQ(prompts->progresses.size(), 1);
    EXPECT_EQ(prompts->progresses[0].steps, 6);
    EXPECT_EQ(prompts->progresses[0].advanced, (QList<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(prompts->progresses[0].open);
    EXPECT_EQ(PdfPageCount(out), 6);

    const QByteArray before = bytesOf(out);
    prompts->cancelAt = 2; // when the third sheet starts
    trigger("Drucken1");
    ASSERT_EQ(prompts->progresses.size(), 2);
    EXPECT_EQ(prompts->progresses[1].advanced, (QList<int>{0, 1, 2}));
    EXPECT_FALSE(prompts->progresses[1].open);
    EXPECT_EQ(bytesOf(out), before);
    EXPECT_EQ(status(), "Drucken abgebrochen");
    const QString fresh = dir.filePath(QStringLiteral("neu.pdf"));
    printTo(fresh);
    prompts->cancelAt = 0; // before the first sheet
    trigger("Drucken1");
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(files().size(), 1) << files().join(' ');

    // The PDF command alike.
    prompts->pdfSaveName = dir.filePath(QStringLiteral("karte.pdf"));
    prompts->cancelAt = 3;
    trigger("AlsPDFexportieren1");
    EXPECT_FALSE(QFile::exists(prompts->pdfSaveName));
    EXPECT_EQ(status(), "PDF-Export abgebrochen");
    prompts->cancelAt = -1;
    trigger("AlsPDFexportieren1");
    EXPECT_EQ(PdfPageCount(prompts->pdfSaveName), 6);
    EXPECT_EQ(prompts->progresses.last().steps, 6);
    EXPECT_EQ(prompts->progresses.last().advanced, (QList<int>{0, 1, 2, 3, 4, 5}));
}

// The real progress dialog shows at once and keeps the window behind it
// from input while the job runs; its button cancels.
TEST(DialogProgress, ShowsAtOnceAndCancels) {
    QWidget window;
    window.show();
    TDialogPrompts prompts;
    std::unique_ptr<TProgress> progress =
        prompts.StartProgress(&window, QStringLiteral("Die Speisekarte wird gedruckt …"), 5);
    auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("ProgressDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->labelText(), "Die Speisekarte wird gedruckt …");
    EXPECT_EQ(dialog->maximum(), 5);
    EXPECT_TRUE(progress->Advance(1));
    EXPECT_EQ(dialog->value(), 1);
    dialog->cancel();
    EXPECT_FALSE(progress->Advance(2));
    progress.reset();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

// A job that cannot be done says so, and writes nothing.
TEST_F(PrintTest, JobsThatCannotBeDoneAreReported) {
    pagedMenu(2);
    struct Case {
        const char* what;
        std::function<bool(QPrinter&)> dialog;
        QString error;
    };
    const QString noFolder = dir.filePath(QStringLiteral("fehlt/druck.pdf"));
    const Case cases[] = {
        {"no printer and no file",
         [](QPrinter& p) {
             p.setOutputFileName(QString());
             p.setOutputFormat(QPrinter::PdfFormat);
             return true;
         },
         TranslateText("Der Druckauftrag konnte nicht gestartet werden. Bitte prüfen Sie den "
                       "Drucker.")},
        {"a file in a missing folder",
         [&](QPrinter& p) {
             p.setOutputFormat(QPrinter::PdfFormat);
             p.setOutputFileName(noFolder);
             return true;
         },
         GetMessageText(19) + u' ' + noFolder},
        {"pages the menu does not have",
         [&](QPrinter& p) {
             p.setOutputFormat(QPrinter::PdfFormat);
             p.setOutputFileName(out);
             p.setPrintRange(QPrinter::PageRange);
             p.setPageRanges(QPageRanges::fromString(QStringLiteral("5-7")));
             return true;
         },
         "Die gewählten Seiten gibt es nicht: Die Speisekarte hat 2 Seiten."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompts->errors.clear();
        prompts->printDialog = c.dialog;
        trigger("Drucken1");
        EXPECT_EQ(prompts->errors, QStringList{c.error});
    }
    EXPECT_TRUE(files().isEmpty());

    // A cancelled print dialog prints nothing.
    prompts->errors.clear();
    prompts->printDialog = nullptr;
    trigger("Drucken1");
    trigger("AktuelleSeitedrucken1");
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

// "Drucker einrichten...": the preview then lays the menu out for the chosen
// paper, and printing uses it.
TEST_F(PrintTest, PrinterSetUpGivesThePreviewItsPaper) {
    pagedMenu(1);
    const TPageSetup a4 = form->paper();
    trigger("Druckereinrichten1");
    EXPECT_EQ(prompts->printerSetupDialogs, 1);
    EXPECT_EQ(form->paper().pw, a4.pw); // cancelled: nothing changes

    prompts->printerSetupDialog = [](QPrinter& p) {
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        return true;
    };
    trigger("Druckereinrichten1");
    // A5 (148 x 210 mm, in whole points) less the margins.
    EXPECT_NEAR(form->paper().WidthMM(), 128, 0.5);
    EXPECT_NEAR(form->paper().HeightMM(), 190, 0.5);
    form->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("PaintBox1"))->size(),
              PreviewBoxSize(PreviewBitmapSize(form->paper(), form->screenDpi(), 100)));

    printTo(out);
    trigger("Drucken1");
    EXPECT_TRUE(PdfInfo(out).value("Page size").startsWith("420 x 595 pts"))
        << PdfInfo(out).value("Page size");
    const QList<Item> printed = printedLayout(1, form->printer().resolution());
    // The content stands inside the printable area: 10 mm in (to a pixel of
    // the printer), plus the menu's margins.
    expectPlaced(
        printed, form->printer().resolution(),
        [&] {
            QList<TPdfWord> shifted = PdfWords(out, 1);
            for (TPdfWord& w : shifted) {
                w.xMin -= 10 / 25.4 * 72;
                w.yMin -= 10 / 25.4 * 72;
            }
            return shifted;
        }(),
        0.5);
}

// "Als PDF exportieren...": the whole menu through the path of --export-pdf,
// titled with the menu's heading.
TEST_F(PrintTest, PdfCommandWritesTheWholeMenu) {
    pagedMenu(3);
    form->doc.setText(TextSetting::Heading, QStringLiteral("Mittagskarte"));
    trigger("AlsPDFexportieren1");
    EXPECT_EQ(prompts->pdfDialogs, 1); // cancelled: nothing written
    EXPECT_TRUE(files().isEmpty());

    prompts->pdfSaveName = dir.filePath(QStringLiteral("karte.pdf"));
    trigger("AlsPDFexportieren1");
    EXPECT_TRUE(prompts->errors.isEmpty()) << prompts->errors.join(' ');
    const QMap<QString, QString> info = PdfInfo(prompts->pdfSaveName);
    EXPECT_EQ(info.value("Title"), "Mittagskarte");
    EXPECT_EQ(info.value("Creator"), "Menolux");
    EXPECT_EQ(sheets(prompts->pdfSaveName), (QList<int>{1, 2, 3}));
    EXPECT_EQ(status(), "PDF mit 3 Seiten geschrieben: " + prompts->pdfSaveName);

    TExportRequest req;
    QByteArray headless;
    ASSERT_TRUE(RenderPdf(form->doc, req, &headless, nullptr));
    const QString cli = dir.filePath(QStringLiteral("kommandozeile.pdf"));
    {
        QFile f(cli);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(headless);
    }
    EXPECT_EQ(PdfPageTexts(prompts->pdfSaveName), PdfPageTexts(cli));

    prompts->pdfSaveName = dir.filePath(QStringLiteral("fehlt/karte.pdf"));
    trigger("AlsPDFexportieren1");
    EXPECT_EQ(prompts->errors, QStringList{GetMessageText(19) + u' ' + prompts->pdfSaveName});
}

// Beside the page field the preview names the number of pages, and keeps it
// current as the menu changes.
TEST_F(PrintTest, PageCountStandsBesideThePageField) {
    pagedMenu(3);
    form->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    QApplication::processEvents();
    auto* count = form->findChild<QLabel*>(QStringLiteral("SeitenzahlLabel"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), "von 3");
    form->editor().addCategory(QStringLiteral("Seite 4"));
    QApplication::processEvents();
    EXPECT_EQ(count->text(), "von 4");
    form->undo();
    QApplication::processEvents();
    EXPECT_EQ(count->text(), "von 3");
    form->doc.setFlag(FlagSetting::NewPagePerCategory, false);
    QApplication::processEvents();
    EXPECT_EQ(count->text(), "von 1");
}

// The print-resolution dialog: made once, a window of its own, with its
// caption, label, field and OK button.
TEST_F(PrintTest, PrintResolutionDialog) {
    TDPIEinstellenForm& dialog = form->printResolutionDialog();
    EXPECT_EQ(&dialog, &form->printResolutionDialog());
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_EQ(dialog.objectName(), "DPIEinstellenForm");
    EXPECT_EQ(dialog.windowTitle(), "DPI einstellen");
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "DPI/Auflösung des Druckers:");
    auto* field = dialog.findChild<QSpinBox*>(QStringLiteral("DPIEd"));
    ASSERT_EQ(field, dialog.resolutionField());
    EXPECT_EQ(field->value(), 300);
    // A resolution of 0 or below would draw nothing; the field keeps to what
    // printers have.
    EXPECT_EQ(field->minimum(), TDPIEinstellenForm::MinimumResolution);
    EXPECT_EQ(field->maximum(), TDPIEinstellenForm::MaximumResolution);
    field->setValue(-5);
    EXPECT_EQ(dialog.resolution(), TDPIEinstellenForm::MinimumResolution);
    EXPECT_EQ(dialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");

    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(field->hasFocus() || QApplication::focusWidget() == field);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
