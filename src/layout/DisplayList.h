#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include "layout/Canvas.h"

// A canvas that keeps every drawing call, with the full font of each text,
// so that the page can be drawn again later, in parts, without laying it out
// again. Replaying onto a canvas that starts in the same state as the one
// the layout would have drawn on gives the same pixels.
class TDisplayList : public TCanvas {
public:
    explicit TDisplayList(int dpi);

    bool isEmpty() const { return calls_.isEmpty(); }

    // Draws every kept call onto `canvas`, moved by -`origin`: the pixel at
    // `origin` of the page lands on the canvas's (0, 0). Calls whose drawing
    // lies wholly outside `visible` (page coordinates) are left out.
    void Replay(TCanvas& canvas, QPoint origin, const QRect& visible) const;

    void TextOut(int x, int y, const QString& text) override;
    void SetPen(const QColor& color, int width) override;
    void SetBrush(const QColor& color) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void StretchImage(const QImage& image, const QRect& target) override;

private:
    struct Call {
        enum class Kind { Text, Pen, Brush, Rect, Move, Line, Arc, Image };
        Kind kind = Kind::Text;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
        QString text;
        TCanvasFont font;
        QColor color;
        int width = 0;
        QImage image;
        // Where the call may put pixels, in page coordinates; an empty
        // rectangle means everywhere (state changes).
        QRect reach;
    };

    QList<Call> calls_;
    int penWidth_ = 0;
    QPoint penPos_;
};
