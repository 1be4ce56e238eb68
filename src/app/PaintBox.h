#pragma once

#include <functional>

#include <QWidget>

class QMouseEvent;
class QPainter;

// A plain drawing surface whose painting and mouse handling belong to the
// tab that owns it: the tab sets the callbacks. It draws no background
// of its own, so whatever it leaves unpainted shows its parent's colour.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // Paints the part `exposed` (the box's coordinates) that needs it.
    std::function<void(QPainter&, const QRect& exposed)> onPaint;
    std::function<void(QMouseEvent*)> onMouseDown;
    std::function<void(QMouseEvent*)> onMouseMove;
    std::function<void(QMouseEvent*)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
