// The page preview (tab "Speisekarte erzeugen") and the texture view (tab
// "Hintergrund") of the main window.
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include "app/MainUnit.h"
#include "app/PaintBox.h"
#include "layout/Preview.h"

int TMainForm::ScreenDpi() const {
    return logicalDpiX();
}

// --- the page preview --------------------------------------------------------

bool TMainForm::SizePreviewBox() {
    const QSize box = PreviewBoxSize(PreviewBitmapSize(paper_, ScreenDpi(), ZoomEd->value()));
    if (PaintBox1->size() == box)
        return false;
    PaintBox1->resize(box);
    // The scroll box scrolls over the paint box and the gap before it.
    ScrollBox1->widget()->resize(PaintBox1->pos().x() + box.width(),
                                 PaintBox1->pos().y() + box.height());
    return true;
}

void TMainForm::RepaintPreview() {
    SizePreviewBox();
    PaintBox1->update();
}

void TMainForm::PaintBox1Paint(QPainter& canvas) {
    Called(__func__);
    // A new size makes the paint box paint itself again, at that size.
    if (SizePreviewBox())
        return;
    TLayoutView view;
    view.onlySelected = OnlySelected->isChecked();
    view.selectedKat = SelectedKat();
    view.texture = &di2;
    const QImage bitmap =
        RenderPreviewPage(doc, view, paper_, ScreenDpi(), ZoomEd->value(), SeiteEd->value());
    canvas.drawImage(0, 0, bitmap);
}

void TMainForm::ZoomEdChange() {
    Called(__func__);
    RepaintPreview();
}

void TMainForm::CaptionEdChange() {
    Called(__func__);
    RepaintPreview();
}

void TMainForm::RahmenCheckClick() {
    Called(__func__);
    RepaintPreview();
}

void TMainForm::OnlySelectedClick() {
    Called(__func__);
    RepaintPreview();
}

void TMainForm::PaintBox1MouseDown(QMouseEvent* event) {
    Called(__func__);
    const QPoint p = event->position().toPoint();
    ziehen = true;
    ziehx = p.x();
    ziehy = p.y();
}

void TMainForm::PaintBox1MouseMove(QMouseEvent* event) {
    Called(__func__);
    if (!ziehen)
        return;
    // The anchor stays: the paint box moves with the content, so the point
    // that was grabbed stays under the pointer.
    const QPoint p = event->position().toPoint();
    QScrollBar* h = ScrollBox1->horizontalScrollBar();
    QScrollBar* v = ScrollBox1->verticalScrollBar();
    const int hpos = DragScrollPosition(h->value(), ziehx, p.x(), h->maximum());
    const int vpos = DragScrollPosition(v->value(), ziehy, p.y(), v->maximum());
    h->setValue(hpos);
    v->setValue(vpos);
}

void TMainForm::PaintBox1MouseUp(QMouseEvent*) {
    Called(__func__);
    ziehen = false;
}

QScrollArea* TMainForm::WheelScrollBox() const {
    switch (PageControl1->currentIndex()) {
    case 1:
        return ScrollBox1;
    case 3:
        return ScrollBox2;
    default:
        return nullptr;
    }
}

void TMainForm::FormMouseWheelDown() {
    Called(__func__);
    if (QScrollArea* box = WheelScrollBox())
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() + 20);
}

void TMainForm::FormMouseWheelUp() {
    Called(__func__);
    if (QScrollArea* box = WheelScrollBox())
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() - 20);
}

// --- the texture -------------------------------------------------------------

void TMainForm::FilenameEdit2Change() {
    Called(__func__);
    di2.Prepare(doc);
    RepaintTexture();
    RepaintPreview();
}

void TMainForm::GrayScaleCheckClick() {
    Called(__func__);
    FilenameEdit2Change();
}

void TMainForm::LightenCheckClick() {
    Called(__func__);
    FilenameEdit2Change();
}

void TMainForm::HellEdChange() {
    Called(__func__);
    // Restart: the texture is prepared 300 ms after the last of a series of edits.
    Timer1->stop();
    Timer1->start();
}

void TMainForm::Timer1Timer() {
    Called(__func__);
    Timer1->stop();
    FilenameEdit2Change();
}

bool TMainForm::SizeTextureBox() {
    const QSize size = di2.isEmpty() ? QSize(0, 0) : QSize(di2.width(), di2.height());
    if (PaintBox2->size() == size)
        return false;
    PaintBox2->resize(size);
    ScrollBox2->widget()->resize(size);
    return true;
}

void TMainForm::RepaintTexture() {
    // An empty box gets no paint events: its size is settled here.
    SizeTextureBox();
    PaintBox2->update();
}

void TMainForm::PaintBox2Paint(QPainter& canvas) {
    Called(__func__);
    SizeTextureBox();
    if (di2.isEmpty())
        return;
    canvas.drawImage(0, 0, di2.image());
}

void TMainForm::BrowseTextureFile() {
    const QString path = prompts_->BrowseFileName(
        this, FileDialog(QStringLiteral("FilenameEdit2")).nameFilters, FilenameEdit2->text());
    if (!path.isEmpty())
        FilenameEdit2->setText(path);
}
