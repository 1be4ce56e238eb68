#include "layout/RecordingCanvas.h"

#include <QJsonArray>

TRecordingCanvas::TRecordingCanvas(int dpi) {
    font_.pixelsPerInch = dpi;
}

QList<TRecordingCanvas::Item> TRecordingCanvas::Texts() const {
    QList<Item> texts;
    for (const Item& i : items_)
        if (i.kind == Item::Kind::Text)
            texts.append(i);
    return texts;
}

TRecordingCanvas::Item TRecordingCanvas::shape(Item::Kind kind) const {
    Item i;
    i.kind = kind;
    i.pen = pen_;
    i.penWidth = penWidth_;
    i.brush = brush_;
    return i;
}

void TRecordingCanvas::TextOut(int x, int y, const QString& text) {
    Item i;
    i.kind = Item::Kind::Text;
    i.text = text;
    i.font = font_.role;
    i.size = font_.size;
    i.x1 = x;
    i.y1 = y;
    items_.append(i);
}

void TRecordingCanvas::SetPen(const QColor& color, int width) {
    pen_ = color;
    penWidth_ = width;
}

void TRecordingCanvas::SetBrush(const QColor& color) {
    brush_ = color;
}

void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Item i = shape(Item::Kind::Rect);
    i.x1 = x1;
    i.y1 = y1;
    i.x2 = x2;
    i.y2 = y2;
    items_.append(i);
}

void TRecordingCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TRecordingCanvas::LineTo(int x, int y) {
    Item i = shape(Item::Kind::Line);
    i.x1 = penX_;
    i.y1 = penY_;
    i.x2 = x;
    i.y2 = y;
    items_.append(i);
    penX_ = x;
    penY_ = y;
}

void TRecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Item i = shape(Item::Kind::Arc);
    i.x1 = x1;
    i.y1 = y1;
    i.x2 = x2;
    i.y2 = y2;
    i.x3 = x3;
    i.y3 = y3;
    i.x4 = x4;
    i.y4 = y4;
    items_.append(i);
}

void TRecordingCanvas::StretchImage(const QImage&, const QRect& target) {
    Item i;
    i.kind = Item::Kind::Image;
    i.x1 = target.x();
    i.y1 = target.y();
    i.x2 = target.width();
    i.y2 = target.height();
    items_.append(i);
}

QJsonObject TRecordingCanvas::ToJson(const Item& item) {
    auto color = [](const QColor& c) {
        return c.isValid() ? QJsonValue(c.name()) : QJsonValue(QJsonValue::Null);
    };
    switch (item.kind) {
    case Item::Kind::Text:
        return {{"kind", "text"},
                {"text", item.text},
                {"x", item.x1},
                {"y", item.y1},
                {"font", FontRoleName(item.font)},
                {"size", item.size}};
    case Item::Kind::Rect:
        return {{"kind", "rect"},
                {"x1", item.x1},
                {"y1", item.y1},
                {"x2", item.x2},
                {"y2", item.y2},
                {"pen", color(item.pen)},
                {"pen_width", item.penWidth},
                {"brush", color(item.brush)}};
    case Item::Kind::Line:
        return {{"kind", "line"},
                {"x1", item.x1},
                {"y1", item.y1},
                {"x2", item.x2},
                {"y2", item.y2},
                {"pen", color(item.pen)},
                {"pen_width", item.penWidth}};
    case Item::Kind::Arc:
        return {{"kind", "arc"},
                {"box", QJsonArray{item.x1, item.y1, item.x2, item.y2}},
                {"start", QJsonArray{item.x3, item.y3}},
                {"end", QJsonArray{item.x4, item.y4}},
                {"pen", color(item.pen)},
                {"pen_width", item.penWidth}};
    case Item::Kind::Image:
        return {{"kind", "image"},
                {"x", item.x1},
                {"y", item.y1},
                {"width", item.x2},
                {"height", item.y2}};
    }
    return {};
}
