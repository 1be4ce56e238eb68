#include "layout/Printing.h"

#include <algorithm>
#include <climits>
#include <memory>

#include <QFile>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "files/OutputFile.h"
#include "layout/DisplayList.h"
#include "layout/PainterCanvas.h"
#include "translation/TranslateUnit.h"

TPageSetup PrinterPaper(const QPrinter& printer) {
    TPageSetup paper;
    paper.pdpi = printer.resolution();
    const QRect printable = printer.pageLayout().paintRectPixels(paper.pdpi);
    paper.pw = printable.width();
    paper.ph = printable.height();
    if (paper.pdpi <= 0 || paper.pw <= 0 || paper.ph <= 0)
        return A4PageSetup();
    return paper;
}

std::unique_ptr<QPrinter> MakeMenuPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (!printers.isEmpty())
            info = printers.constFirst();
    }
    if (!info.isNull())
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return printer;
}

QList<int> SheetSequence(const QList<int>& pages, int copies, bool collate, bool reverse) {
    QList<int> order = pages;
    if (reverse)
        std::reverse(order.begin(), order.end());
    copies = std::max(copies, 1);
    QList<int> sheets;
    sheets.reserve(order.size() * copies);
    if (collate) {
        for (int c = 0; c < copies; ++c)
            sheets += order;
    } else {
        for (int page : order)
            for (int c = 0; c < copies; ++c)
                sheets.append(page);
    }
    return sheets;
}

namespace {

// Hands the drawing on to the canvas of the page being drawn, or to none;
// measures as every canvas does. A canvas that takes over gets the pen and
// brush as they stand, so that it draws as the one canvas of the layout would.
class TPageSwitch : public TCanvas {
public:
    explicit TPageSwitch(int dpi) { font_.pixelsPerInch = dpi; }

    void SetTarget(TCanvas* target) {
        target_ = target;
        if (!target_)
            return;
        target_->SetPageSize(PageSize());
        target_->SetPen(pen_, penWidth_);
        target_->SetBrush(brush_);
        target_->MoveTo(penPos_.x(), penPos_.y());
    }

    void TextOut(int x, int y, const QString& text) override {
        if (!target_)
            return;
        target_->SetFont(Font());
        target_->TextOut(x, y, text);
    }
    void SetPen(const QColor& color, int width) override {
        pen_ = color;
        penWidth_ = width;
        if (target_)
            target_->SetPen(color, width);
    }
    void SetBrush(const QColor& color) override {
        brush_ = color;
        if (target_)
            target_->SetBrush(color);
    }
    void Rectangle(int x1, int y1, int x2, int y2) override {
        if (target_)
            target_->Rectangle(x1, y1, x2, y2);
    }
    void MoveTo(int x, int y) override {
        penPos_ = QPoint(x, y);
        if (target_)
            target_->MoveTo(x, y);
    }
    void LineTo(int x, int y) override {
        penPos_ = QPoint(x, y);
        if (target_)
            target_->LineTo(x, y);
    }
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
        if (target_)
            target_->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
    }
    void StretchImage(const QImage& image, const QRect& target) override {
        if (target_)
            target_->StretchImage(image, target);
    }

private:
    TCanvas* target_ = nullptr;
    QColor pen_ = Qt::black;
    int penWidth_ = 0;
    QColor brush_ = Qt::white;
    QPoint penPos_;
};

// While a job prints to a file, the printer writes a temporary file; the
// file itself is written only from a finished job.
class TFileRedirect {
public:
    explicit TFileRedirect(QPrinter& printer)
        : printer_(printer), target_(printer.outputFileName()) {
        if (!target_.isEmpty() && dir_.isValid())
            printer_.setOutputFileName(dir_.filePath(QStringLiteral("job.pdf")));
    }
    ~TFileRedirect() {
        if (!target_.isEmpty())
            printer_.setOutputFileName(target_);
    }
    TFileRedirect(const TFileRedirect&) = delete;
    TFileRedirect& operator=(const TFileRedirect&) = delete;

    bool toFile() const { return !target_.isEmpty(); }
    bool ready() const { return !toFile() || dir_.isValid(); }
    const QString& target() const { return target_; }
    // Puts the finished job in the file's place.
    bool Commit() const {
        QFile job(dir_.filePath(QStringLiteral("job.pdf")));
        if (!job.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = job.readAll();
        return job.error() == QFileDevice::NoError && WriteWholeFile(target_, bytes);
    }

private:
    QPrinter& printer_;
    QString target_;
    QTemporaryDir dir_;
};

TPrintResult failure(const QString& error) {
    TPrintResult r;
    r.status = TPrintResult::Status::Failed;
    r.error = error;
    return r;
}

} // namespace

TPrintResult PrintMenu(MenuDocument& doc, const TPrintJob& job, QPrinter& printer,
                       const std::function<bool(int, int)>& progress) {
    // Paper comes out at its physical size: zoom 100 at the printing
    // resolution, with the page and line breaks of the paper's millimetres.
    TLayoutView view = job.view;
    view.zoom = 100;
    const int dpi = job.resolution > 0 ? job.resolution : printer.resolution();
    if (dpi <= 0)
        return failure(TranslateText(QStringLiteral("Der Drucker nennt keine Auflösung.")));
    TPageRequest request = job.paper.Request(dpi, 100, 1, true);
    request.isprintout = true;

    // The pages to print.
    const bool single = job.currentPageOnly || printer.printRange() == QPrinter::CurrentPage;
    QList<int> pages;
    if (single) {
        pages.append(std::max(job.currentPage, 1));
    } else {
        const int count = CountPages(doc, view, request);
        const bool ranged = printer.printRange() == QPrinter::PageRange;
        const QPageRanges ranges = printer.pageRanges();
        for (int page = 1; page <= count; ++page)
            if (!ranged || ranges.isEmpty() || ranges.contains(page))
                pages.append(page);
        if (pages.isEmpty())
            return failure(TranslateText(QStringLiteral("Die gewählten Seiten gibt es nicht: Die "
                                                        "Speisekarte hat %1 Seiten."))
                               .arg(count));
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    const bool collate = printer.collateCopies();
    const bool reverse = printer.pageOrder() == QPrinter::LastPageFirst;
    const QList<int> sheets = SheetSequence(pages, copies, collate, reverse);

    // Cancelled before the first sheet, no job is started at all (a job
    // always holds a sheet).
    if (progress && !progress(1, int(sheets.size()))) {
        TPrintResult r;
        r.status = TPrintResult::Status::Cancelled;
        return r;
    }
    const QString cannotStart = TranslateText(
        QStringLiteral("Der Druckauftrag konnte nicht gestartet werden. Bitte prüfen Sie den "
                       "Drucker."));
    // PDF without a file has nowhere to go (and a printer that tried stays
    // busy for good).
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        return failure(cannotStart);
    TFileRedirect file(printer);
    if (!file.ready())
        return failure(GetMessageText(19) + u' ' + file.target());
    printer.setDocName(job.title);
    printer.setCreator(QStringLiteral("Menolux"));
    QPainter painter;
    if (!painter.begin(&printer))
        return failure(cannotStart);
    // The printing resolution's pixels onto the device's.
    if (const QPaintDevice* device = painter.device();
        device->logicalDpiX() != dpi || device->logicalDpiY() != dpi)
        painter.scale(double(device->logicalDpiX()) / dpi, double(device->logicalDpiY()) / dpi);
    TPainterCanvas canvas(painter, dpi);

    int started = 0;
    bool cancelled = false;
    bool noNewPage = false;
    // Before each sheet after the first: asks whether to go on, then starts
    // the new sheet.
    auto startSheet = [&] {
        if (started > 0) {
            if (progress && !progress(started + 1, int(sheets.size()))) {
                cancelled = true;
                return false;
            }
            if (!printer.newPage()) {
                noNewPage = true;
                return false;
            }
        }
        ++started;
        return true;
    };

    using Start = TMenuLayout::PageStart;
    if (single) {
        for (int page : sheets) {
            if (!startSheet())
                break;
            TPageRequest one = request;
            one.seiteedvalue = page;
            TMenuLayout(doc, view).PaintToCanvas(canvas, one);
        }
    } else if (!reverse && (copies == 1 || collate)) {
        // The pages in order as the pass reaches them, once per copy.
        for (int c = 0; c < copies && !cancelled && !noNewPage; ++c) {
            auto next = pages.cbegin();
            TMenuLayout(doc, view).PaintPages(canvas, request, [&](int page) {
                if (next == pages.cend() || cancelled || noNewPage)
                    return Start::Stop;
                if (page != *next)
                    return Start::Skip;
                ++next;
                return startSheet() ? Start::Draw : Start::Stop;
            });
        }
    } else {
        // Another order: the pass keeps each chosen page, then the sheets
        // are drawn from what it kept.
        QList<std::shared_ptr<TDisplayList>> kept(pages.constLast() + 1);
        TPageSwitch pass(dpi);
        TMenuLayout(doc, view).PaintPages(pass, request, [&](int page) {
            if (page > pages.constLast()) {
                pass.SetTarget(nullptr);
                return Start::Stop;
            }
            if (!std::binary_search(pages.cbegin(), pages.cend(), page)) {
                pass.SetTarget(nullptr);
                return Start::Skip;
            }
            kept[page] = std::make_shared<TDisplayList>(dpi);
            pass.SetTarget(kept[page].get());
            return Start::Draw;
        });
        const QRect everywhere(QPoint(INT_MIN / 4, INT_MIN / 4), QPoint(INT_MAX / 4, INT_MAX / 4));
        for (int page : sheets) {
            if (!startSheet())
                break;
            kept[page]->Replay(canvas, QPoint(0, 0), everywhere);
        }
    }

    TPrintResult result;
    result.sheets = started;
    if (cancelled) {
        // A print system that cannot withdraw the job prints what it has.
        const bool aborted = printer.abort();
        painter.end();
        result.status = TPrintResult::Status::Cancelled;
        result.sheetsSent = aborted || file.toFile() ? 0 : started;
        return result;
    }
    painter.end();
    if (noNewPage)
        return failure(TranslateText(QStringLiteral("Der Drucker konnte keine neue Seite "
                                                    "beginnen; der Druck wurde abgebrochen.")));
    if (printer.printerState() == QPrinter::Error)
        return failure(TranslateText(QStringLiteral("Beim Drucken ist ein Fehler aufgetreten.")));
    if (file.toFile() && !file.Commit())
        return failure(GetMessageText(19) + u' ' + file.target());
    return result;
}
