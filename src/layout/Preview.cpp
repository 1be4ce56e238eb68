#include "layout/Preview.h"

#include <algorithm>

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "layout/PainterCanvas.h"

TPageSetup CurrentPrinterPage() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty())
            return A4PageSetup();
        info = printers.constFirst();
    }
    QPrinter printer(info, QPrinter::HighResolution);
    TPageSetup paper;
    paper.pdpi = printer.resolution();
    const QRect printable = printer.pageLayout().paintRectPixels(paper.pdpi);
    paper.pw = printable.width();
    paper.ph = printable.height();
    if (paper.pdpi <= 0 || paper.pw <= 0 || paper.ph <= 0)
        return A4PageSetup();
    return paper;
}

QSize PreviewBitmapSize(const TPageSetup& paper, int sdpi, double zoom) {
    return paper.PixelSize(sdpi, zoom);
}

QSize PreviewBoxSize(QSize bitmap) {
    return bitmap + QSize(8, 8);
}

QImage RenderPreviewPage(MenuDocument& doc, TLayoutView view, const TPageSetup& paper, int sdpi,
                         double zoom, int page) {
    const QSize size = PreviewBitmapSize(paper, sdpi, zoom);
    if (size.isEmpty())
        return QImage();
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull())
        return QImage();
    // Fonts take the bitmap's resolution: give it the screen's.
    const int dotsPerMeter = int(sdpi / 0.0254 + 0.5);
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&bitmap);
    TPainterCanvas canvas(painter, sdpi);
    view.zoom = zoom;
    // Not for the printer: the layout paints the white page itself.
    TPageRequest request = paper.Request(sdpi, zoom, page, false);
    request.isprintout = false;
    PaintToCanvas(doc, view, canvas, request);
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
