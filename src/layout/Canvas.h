#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include "foundation/FontSetting.h"

// The font on a canvas: which of the nine font settings it came from, the
// setting, its resolution in pixels per inch and its point size. Characters
// are FontPixelSize(size, pixelsPerInch) pixels high.
struct TCanvasFont {
    FontRole role = FontRole::Heading;
    TFontSetting setting;
    int pixelsPerInch = 96;
    int size = 12;

    int PixelSize() const;
};

// Where the layout draws: the screen preview, an image, a printer, a PDF, or a
// recording for tests and the layout JSON. The font state and all text
// measurement live here, shared by every implementation, so that a recording
// measures exactly as a real canvas does; implementations only draw.
//
// Coordinates are device pixels. Texts are drawn with their top-left corner at
// the given point and a transparent background.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    // --- font ---
    // Takes face, style and colour of `setting` and its point size; the
    // resolution stays the canvas font's own.
    void AssignFont(FontRole role, const TFontSetting& setting);
    const TCanvasFont& Font() const { return font_; }
    void SetFont(const TCanvasFont& font) { font_ = font; }
    int FontSize() const { return font_.size; }
    void SetFontSize(int size) { font_.size = size; }
    int FontPixelsPerInch() const { return font_.pixelsPerInch; }
    void SetFontPixelsPerInch(int ppi) { font_.pixelsPerInch = ppi; }

    // Width and height of a text in pixels in the current font; an empty text
    // measures 0.
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // --- drawing ---
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // Pen for lines, arcs and outlines; width 0 is the thinnest line.
    virtual void SetPen(const QColor& color, int width) = 0;
    // Brush for filling rectangles; an invalid colour means no filling.
    virtual void SetBrush(const QColor& color) = 0;
    // Outline and fill of the rectangle from (x1, y1) up to, not including,
    // (x2, y2).
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // The part of the ellipse in the box (x1, y1)-(x2, y2) that runs
    // counter-clockwise from the ray towards (x3, y3) to the ray towards
    // (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    // The whole image scaled smoothly into `target`.
    virtual void StretchImage(const QImage& image, const QRect& target) = 0;

    // The page being drawn, in pixels from (0, 0); the layout sets it. A
    // canvas may show only part of the page (a window onto a zoomed page).
    QSize PageSize() const { return pageSize_; }
    void SetPageSize(QSize size) { pageSize_ = size; }

protected:
    TCanvasFont font_;
    QSize pageSize_;
};
