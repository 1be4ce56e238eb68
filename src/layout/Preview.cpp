#include "layout/Preview.h"

#include <algorithm>

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "layout/DisplayList.h"
#include "layout/PainterCanvas.h"
#include "layout/Printing.h"

TPageSetup CurrentPrinterPage() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty())
            return A4PageSetup();
        info = printers.constFirst();
    }
    return PrinterPaper(QPrinter(info, QPrinter::HighResolution));
}

QSize PreviewBitmapSize(const TPageSetup& paper, int sdpi, double zoom) {
    return paper.PixelSize(sdpi, zoom);
}

QSize PreviewBoxSize(QSize bitmap) {
    return bitmap + QSize(8, 8);
}

namespace {

// A bitmap at the screen's resolution: fonts take the bitmap's.
QImage screenBitmap(QSize size, int sdpi) {
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull())
        return bitmap;
    const int dotsPerMeter = int(sdpi / 0.0254 + 0.5);
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    return bitmap;
}

// The layout call of one preview page: at the screen's resolution, as the
// screen shows it. Not for the printer: the layout paints the white page
// itself.
TPageRequest previewRequest(const TPageSetup& paper, int sdpi, double zoom, int page) {
    TPageRequest request = paper.Request(sdpi, zoom, page, false);
    request.isprintout = false;
    return request;
}

} // namespace

QImage RenderPreviewPage(MenuDocument& doc, TLayoutView view, const TPageSetup& paper, int sdpi,
                         double zoom, int page) {
    const QSize size = PreviewBitmapSize(paper, sdpi, zoom);
    if (size.isEmpty())
        return QImage();
    QImage bitmap = screenBitmap(size, sdpi);
    if (bitmap.isNull())
        return QImage();
    QPainter painter(&bitmap);
    TPainterCanvas canvas(painter, sdpi);
    view.zoom = zoom;
    PaintToCanvas(doc, view, canvas, previewRequest(paper, sdpi, zoom, page));
    painter.end();
    return bitmap;
}

TPreviewPage::TPreviewPage() = default;
TPreviewPage::~TPreviewPage() = default;

void TPreviewPage::Layout(MenuDocument& doc, TLayoutView view, const TPageSetup& paper, int sdpi,
                          double zoom, int page) {
    Clear();
    size_ = PreviewBitmapSize(paper, sdpi, zoom);
    sdpi_ = sdpi;
    if (size_.isEmpty())
        return;
    auto list = std::make_unique<TDisplayList>(sdpi);
    view.zoom = zoom;
    TMenuLayout layout(doc, view);
    layout.PaintToCanvas(*list, previewRequest(paper, sdpi, zoom, page));
    pages_ = layout.PagesLaidOut();
    list_ = std::move(list);
}

void TPreviewPage::Clear() {
    list_.reset();
    size_ = QSize();
    pages_ = 0;
}

QImage TPreviewPage::Render(const QRect& rect) const {
    const QRect part = rect & QRect(QPoint(0, 0), size_);
    if (!list_ || part.isEmpty())
        return QImage();
    QImage bitmap = screenBitmap(part.size(), sdpi_);
    if (bitmap.isNull())
        return QImage();
    QPainter painter(&bitmap);
    TPainterCanvas canvas(painter, sdpi_);
    list_->Replay(canvas, part.topLeft(), part);
    painter.end();
    return bitmap;
}

int DragScrollPosition(int position, int anchor, int mouse, int maximum) {
    return std::clamp(position + (anchor - mouse), 0, std::max(maximum, 0));
}

int TakeWheelNotches(int& pending, int delta) {
    pending += delta;
    const int notches = pending / 120; // toward zero: a partial notch waits
    pending -= notches * 120;
    return notches;
}
