#include "app/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!onPaint)
        return;
    QPainter painter(this);
    onPaint(painter);
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
