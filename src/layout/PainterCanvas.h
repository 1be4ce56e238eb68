#pragma once

#include <QPainter>
#include <QPoint>

#include "layout/Canvas.h"

// A canvas over a QPainter: an image (preview, PNG), a printer or a PDF.
class TPainterCanvas : public TCanvas {
public:
    // `painter` must be active on its device for the canvas's lifetime;
    // `dpi` is the device's resolution, which the canvas font starts with.
    TPainterCanvas(QPainter& painter, int dpi);

    void TextOut(int x, int y, const QString& text) override;
    void SetPen(const QColor& color, int width) override;
    void SetBrush(const QColor& color) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void StretchImage(const QImage& image, const QRect& target) override;

private:
    // The part of the logical coordinates that reaches the device: the
    // device's rectangle within the painter's clip.
    QRect VisibleArea() const;

    QPainter& painter_;
    QPoint penPos_;
};

// Which part of an image stretched into `target` to draw when only `visible`
// shows. A tile no larger than `page` is drawn whole (`target` unchanged, the
// whole image as `source`); a larger one only where it meets `visible`, from
// the matching part of the image, so that nothing larger than what shows is
// ever scaled. An empty `target` means nothing shows.
struct TImagePart {
    bool whole = true;
    QRect target;
    QRectF source;
};
TImagePart VisibleImagePart(QSize imageSize, const QRect& target, const QRect& visible, QSize page);
