#include "layout/PainterCanvas.h"

#include <cmath>
#include <numbers>

#include <QPaintEngine>

#include "layout/FontCache.h"

TPainterCanvas::TPainterCanvas(QPainter& painter, int dpi) : painter_(painter) {
    font_.pixelsPerInch = dpi;
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(Qt::white);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void TPainterCanvas::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    const int px = font_.PixelSize();
    painter_.save();
    painter_.setFont(MakeQFont(font_.setting, px));
    painter_.setPen(FontColor(font_.setting));
    painter_.drawText(QPoint(x, y + TFontCache::Ascent(font_.setting, px)), text);
    painter_.restore();
}

void TPainterCanvas::SetPen(const QColor& color, int width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void TPainterCanvas::SetBrush(const QColor& color) {
    painter_.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::NoBrush));
}

void TPainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1)
        return;
    if (painter_.brush().style() != Qt::NoBrush)
        painter_.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), painter_.brush());
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    painter_.restore();
}

void TPainterCanvas::MoveTo(int x, int y) {
    penPos_ = QPoint(x, y);
}

void TPainterCanvas::LineTo(int x, int y) {
    painter_.drawLine(penPos_, QPoint(x, y));
    penPos_ = QPoint(x, y);
}

void TPainterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const QRectF box(QPointF(x1, y1), QPointF(x2, y2));
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QPointF c = box.center();
    // Angles of the two rays on the ellipse, counter-clockwise from 3 o'clock
    // with the y axis pointing up, as QPainter counts them.
    auto angleOf = [&](int x, int y) {
        const double a = std::atan2(-(y - c.y()) / box.height(), (x - c.x()) / box.width());
        return a * 180.0 / std::numbers::pi;
    };
    const double start = angleOf(x3, y3);
    double span = angleOf(x4, y4) - start;
    if (span <= 0)
        span += 360.0;
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawArc(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
    painter_.restore();
}

QRect TPainterCanvas::VisibleArea() const {
    const QPaintDevice* device = painter_.device();
    if (!device)
        return QRect();
    QRect area =
        painter_.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (painter_.hasClipping())
        area &= painter_.clipBoundingRect().toAlignedRect();
    return area;
}

void TPainterCanvas::StretchImage(const QImage& image, const QRect& target) {
    if (image.isNull() || target.isEmpty())
        return;
    const QRect visible = VisibleArea();
    QSize page = PageSize();
    if (page.isEmpty() && painter_.device())
        page = QSize(painter_.device()->width(), painter_.device()->height());
    const TImagePart part = VisibleImagePart(image.size(), target, visible, page);
    if (part.target.isEmpty())
        return;
    if (!part.whole) {
        // A tile larger than the page: scale only the part that shows.
        painter_.save();
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.drawImage(QRectF(part.target), image, part.source);
        painter_.restore();
        return;
    }
    if (painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster &&
        painter_.transform().type() <= QTransform::TxTranslate) {
        // On pixels: scale once (area-averaged when shrinking) and copy each
        // tile; a page repeats the same tile size many times. The tile is no
        // larger than the page, and so is what the cache keeps.
        struct Scaled {
            qint64 key = 0;
            QSize size;
            QImage image;
        };
        static Scaled last;
        if (last.key != image.cacheKey() || last.size != target.size()) {
            last.image = QImage(); // free the old tile before making the new one
            last.image =
                image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            last.key = image.cacheKey();
            last.size = target.size();
        }
        painter_.drawImage(target.topLeft(), last.image);
        return;
    }
    // Printers and PDF get the image itself, scaled by the device.
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(target, image);
    painter_.restore();
}

TImagePart VisibleImagePart(QSize imageSize, const QRect& target, const QRect& visible,
                            QSize page) {
    TImagePart part;
    if (imageSize.isEmpty() || target.isEmpty())
        return part;
    if (qint64(target.width()) * target.height() <= qint64(page.width()) * page.height()) {
        part.whole = true;
        if (target.intersects(visible)) {
            part.target = target;
            part.source = QRectF(QPointF(0, 0), QSizeF(imageSize));
        }
        return part;
    }
    part.whole = false;
    const QRect shown = target & visible;
    if (shown.isEmpty())
        return part;
    const double sx = double(imageSize.width()) / target.width();
    const double sy = double(imageSize.height()) / target.height();
    part.target = shown;
    part.source =
        QRectF((shown.x() - double(target.x())) * sx, (shown.y() - double(target.y())) * sy,
               shown.width() * sx, shown.height() * sy);
    return part;
}
