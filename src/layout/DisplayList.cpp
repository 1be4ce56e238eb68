#include "layout/DisplayList.h"

#include <algorithm>

TDisplayList::TDisplayList(int dpi) {
    font_.pixelsPerInch = dpi;
}

void TDisplayList::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    Call c;
    c.kind = Call::Kind::Text;
    c.x1 = x;
    c.y1 = y;
    c.text = text;
    c.font = font_;
    // Glyphs may reach beyond the measured box (italic overhang, accents,
    // descenders): allow a whole character height on every side.
    const int px = std::max(font_.PixelSize(), 1);
    c.reach = QRect(x, y, TextWidth(text), TextHeight(text)).adjusted(-px, -px, px, px);
    calls_.append(c);
}

void TDisplayList::SetPen(const QColor& color, int width) {
    Call c;
    c.kind = Call::Kind::Pen;
    c.color = color;
    c.width = width;
    penWidth_ = width;
    calls_.append(c);
}

void TDisplayList::SetBrush(const QColor& color) {
    Call c;
    c.kind = Call::Kind::Brush;
    c.color = color;
    calls_.append(c);
}

namespace {

// The box of (x1, y1)-(x2, y2), widened by a pen of `penWidth`.
QRect shapeReach(int x1, int y1, int x2, int y2, int penWidth) {
    const int grow = penWidth / 2 + 2;
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QPoint(std::max(x1, x2), std::max(y1, y2)))
        .adjusted(-grow, -grow, grow, grow);
}

} // namespace

void TDisplayList::Rectangle(int x1, int y1, int x2, int y2) {
    Call c;
    c.kind = Call::Kind::Rect;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.reach = shapeReach(x1, y1, x2, y2, penWidth_);
    calls_.append(c);
}

void TDisplayList::MoveTo(int x, int y) {
    Call c;
    c.kind = Call::Kind::Move;
    c.x1 = x;
    c.y1 = y;
    penPos_ = QPoint(x, y);
    calls_.append(c);
}

void TDisplayList::LineTo(int x, int y) {
    Call c;
    c.kind = Call::Kind::Line;
    c.x1 = x;
    c.y1 = y;
    c.reach = shapeReach(penPos_.x(), penPos_.y(), x, y, penWidth_);
    penPos_ = QPoint(x, y);
    calls_.append(c);
}

void TDisplayList::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Call c;
    c.kind = Call::Kind::Arc;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.x3 = x3;
    c.y3 = y3;
    c.x4 = x4;
    c.y4 = y4;
    c.reach = shapeReach(x1, y1, x2, y2, penWidth_);
    calls_.append(c);
}

void TDisplayList::StretchImage(const QImage& image, const QRect& target) {
    Call c;
    c.kind = Call::Kind::Image;
    c.image = image;
    c.x1 = target.x();
    c.y1 = target.y();
    c.x2 = target.width();
    c.y2 = target.height();
    c.reach = target;
    calls_.append(c);
}

namespace {

// A rectangle with a thin outline, cut by the edge of the drawing: drawn as
// its filling and four outline strips, each of them filled. A thin outline
// that is clipped loses the pixel where two of its sides meet; fillings are
// exact however they are clipped.
void cutRectangle(TCanvas& canvas, int x1, int y1, int x2, int y2, const QColor& pen, int penWidth,
                  const QColor& brush) {
    if (x2 <= x1 || y2 <= y1)
        return;
    if (brush.isValid()) {
        canvas.SetPen(brush, 0);
        canvas.Rectangle(x1, y1, x2, y2);
    }
    canvas.SetPen(pen, 0);
    canvas.SetBrush(pen);
    canvas.Rectangle(x1, y1, x2, y1 + 1);
    canvas.Rectangle(x1, y2 - 1, x2, y2);
    canvas.Rectangle(x1, y1, x1 + 1, y2);
    canvas.Rectangle(x2 - 1, y1, x2, y2);
    canvas.SetPen(pen, penWidth);
    canvas.SetBrush(brush);
}

} // namespace

void TDisplayList::Replay(TCanvas& canvas, QPoint origin, const QRect& visible) const {
    const int dx = -origin.x();
    const int dy = -origin.y();
    // The canvas shows part of the page: what it draws depends on the whole
    // page's size (how texture tiles are scaled), not on its own.
    canvas.SetPageSize(PageSize());
    // The pen and brush as the calls so far have set them; both canvases
    // start with a white brush. A cut rectangle sets the pen again when it
    // is done, which gives the same pen only after a call has set one.
    bool penSet = false;
    QColor pen;
    int penWidth = 0;
    QColor brush = Qt::white;
    for (const Call& c : calls_) {
        if (c.kind == Call::Kind::Pen) {
            penSet = true;
            pen = c.color;
            penWidth = c.width;
        } else if (c.kind == Call::Kind::Brush) {
            brush = c.color;
        }
        // The pen position must follow every move, drawn or not.
        if (c.kind == Call::Kind::Line && !c.reach.intersects(visible)) {
            canvas.MoveTo(c.x1 + dx, c.y1 + dy);
            continue;
        }
        if (!c.reach.isNull() && !c.reach.intersects(visible))
            continue;
        switch (c.kind) {
        case Call::Kind::Text:
            canvas.SetFont(c.font);
            canvas.TextOut(c.x1 + dx, c.y1 + dy, c.text);
            break;
        case Call::Kind::Pen:
            canvas.SetPen(c.color, c.width);
            break;
        case Call::Kind::Brush:
            canvas.SetBrush(c.color);
            break;
        case Call::Kind::Rect:
            if (penSet && penWidth <= 1 &&
                !visible.contains(QRect(QPoint(c.x1, c.y1), QPoint(c.x2 - 1, c.y2 - 1))))
                cutRectangle(canvas, c.x1 + dx, c.y1 + dy, c.x2 + dx, c.y2 + dy, pen, penWidth,
                             brush);
            else
                canvas.Rectangle(c.x1 + dx, c.y1 + dy, c.x2 + dx, c.y2 + dy);
            break;
        case Call::Kind::Move:
            canvas.MoveTo(c.x1 + dx, c.y1 + dy);
            break;
        case Call::Kind::Line:
            canvas.LineTo(c.x1 + dx, c.y1 + dy);
            break;
        case Call::Kind::Arc:
            canvas.Arc(c.x1 + dx, c.y1 + dy, c.x2 + dx, c.y2 + dy, c.x3 + dx, c.y3 + dy, c.x4 + dx,
                       c.y4 + dy);
            break;
        case Call::Kind::Image:
            canvas.StretchImage(c.image, QRect(c.x1 + dx, c.y1 + dy, c.x2, c.y2));
            break;
        }
    }
}
