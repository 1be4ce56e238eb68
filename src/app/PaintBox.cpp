#include "app/PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent* event) {
    if (!onPaint)
        return;
    QPainter painter(this);
    onPaint(painter, event->rect());
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown)
        onMouseDown(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp)
        onMouseUp(event);
}
