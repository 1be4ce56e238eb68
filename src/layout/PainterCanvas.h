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
    QPainter& painter_;
    QPoint penPos_;
};
