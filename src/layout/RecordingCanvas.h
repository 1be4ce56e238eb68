#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "layout/Canvas.h"

// A canvas that records every drawing call in order and draws nothing. Tests
// assert on the recording; the command line writes it out as the layout JSON.
class TRecordingCanvas : public TCanvas {
public:
    struct Item {
        enum class Kind { Text, Rect, Line, Arc, Image };
        Kind kind = Kind::Text;
        // Text: the text, its font and point size.
        QString text;
        FontRole font = FontRole::Heading;
        int size = 0;
        // Text and image: top-left corner (x1, y1); rect, line and arc:
        // (x1, y1)-(x2, y2); arc also (x3, y3) and (x4, y4); image size in
        // (x2, y2) as width and height.
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
        QColor pen;
        int penWidth = 0;
        QColor brush; // invalid: no filling
    };

    explicit TRecordingCanvas(int dpi);

    const QList<Item>& Items() const { return items_; }
    // The texts drawn, in order.
    QList<Item> Texts() const;

    // {"kind":"text","text":…,"x":…,"y":…,"font":"FontDialog3","size":12} and
    // the like for the other kinds.
    static QJsonObject ToJson(const Item& item);

    void TextOut(int x, int y, const QString& text) override;
    void SetPen(const QColor& color, int width) override;
    void SetBrush(const QColor& color) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void StretchImage(const QImage& image, const QRect& target) override;

private:
    Item shape(Item::Kind kind) const;

    QList<Item> items_;
    QColor pen_ = Qt::black;
    int penWidth_ = 0;
    QColor brush_ = Qt::white;
    int penX_ = 0, penY_ = 0;
};
