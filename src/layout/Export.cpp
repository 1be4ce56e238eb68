#include "layout/Export.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "layout/PainterCanvas.h"
#include "layout/RecordingCanvas.h"

namespace {

// Images larger than this are refused rather than allocated.
constexpr qint64 MaxImagePixels = qint64(200) * 1000 * 1000;

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

bool checkSize(QSize size, QString* error) {
    if (size.width() < 1 || size.height() < 1) {
        setError(error, QStringLiteral("the page would be %1 x %2 pixels; choose another zoom "
                                       "or resolution")
                            .arg(size.width())
                            .arg(size.height()));
        return false;
    }
    if (qint64(size.width()) * size.height() > MaxImagePixels) {
        setError(error, QStringLiteral("the page would be %1 x %2 pixels, more than the %3 "
                                       "million an image may have; choose a smaller zoom or "
                                       "resolution")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(MaxImagePixels / 1000000));
        return false;
    }
    return true;
}

} // namespace

bool RenderPdf(MenuDocument& doc, const TExportRequest& req, QByteArray* pdf, QString* error) {
    QBuffer buffer(pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Menolux"));
    if (!req.title.isEmpty())
        writer.setTitle(req.title);
    writer.setResolution(req.paper.pdpi);
    const QSizeF mm(req.paper.WidthMM(), req.paper.HeightMM());
    writer.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) {
        setError(error, QStringLiteral("cannot start the PDF"));
        return false;
    }
    // Paper comes out at its physical size: zoom 100 at the paper's resolution.
    TLayoutView view = req.view;
    view.zoom = 100;
    TPainterCanvas canvas(painter, req.paper.pdpi);
    TPageRequest request = req.paper.Request(req.paper.pdpi, 100, std::max(req.page, 1), true);
    request.isprintout = true;
    if (req.page > 0) {
        PaintToCanvas(doc, view, canvas, request);
        painter.end();
        return true;
    }
    // Every page in one pass of the layout.
    bool tooLong = false;
    bool stopped = req.progress && !req.progress(1);
    const int pages = stopped ? -1 : PaintAllPages(doc, view, canvas, request, [&](int page) {
        tooLong = page > req.maxPages;
        stopped = !tooLong && req.progress && !req.progress(page);
        return !tooLong && !stopped && writer.newPage();
    });
    painter.end();
    if (pages < 0) {
        if (stopped)
            setError(error, QString());
        else
            setError(error, tooLong ? QStringLiteral("the menu has more than %1 pages; a PDF holds "
                                                     "at most %1 (export single pages with --page)")
                                          .arg(req.maxPages)
                                    : QStringLiteral("cannot start a new page of the PDF"));
        return false;
    }
    return true;
}

bool RenderPng(MenuDocument& doc, const TExportRequest& req, QByteArray* png, QString* error) {
    const QSize size = req.paper.PixelSize(req.dpi, req.zoom);
    if (!checkSize(size, error))
        return false;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("not enough memory for the page image"));
        return false;
    }
    image.fill(Qt::white);
    const int dotsPerMeter = int(req.dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        TPainterCanvas canvas(painter, req.dpi);
        TLayoutView view = req.view;
        view.zoom = req.zoom;
        PaintToCanvas(doc, view, canvas,
                      req.paper.Request(req.dpi, req.zoom, std::max(req.page, 1), false));
    }
    QBuffer buffer(png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        setError(error,
                 QStringLiteral("cannot encode the PNG image: %1").arg(writer.errorString()));
        return false;
    }
    return true;
}

bool RenderLayoutJson(MenuDocument& doc, const TExportRequest& req, QByteArray* json,
                      QString* error) {
    const QSize size = req.paper.PixelSize(req.dpi, req.zoom);
    if (size.width() < 1 || size.height() < 1) {
        checkSize(size, error);
        return false;
    }
    const int page = std::max(req.page, 1);
    TRecordingCanvas canvas(req.dpi);
    TLayoutView view = req.view;
    view.zoom = req.zoom;
    const bool more =
        PaintToCanvas(doc, view, canvas, req.paper.Request(req.dpi, req.zoom, page, false));
    QJsonArray items;
    for (const TRecordingCanvas::Item& item : canvas.Items())
        items.append(TRecordingCanvas::ToJson(item));
    const QJsonObject root{{"page", page},          {"pages_follow", more},    {"dpi", req.dpi},
                           {"width", size.width()}, {"height", size.height()}, {"items", items}};
    *json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return true;
}
