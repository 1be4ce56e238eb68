#include "app/tabs/PreviewTab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/PaintBox.h"
#include "app/SettingBinder.h"
#include "app/ViewState.h"
#include "app/tabs/Controls.h"
#include "editing/MenuEditor.h"
#include "foundation/MenuDocument.h"
#include "translation/TranslateUnit.h"
#include "translation/WindowTranslation.h"

TPreviewTab::TPreviewTab(TMenuEditor& editor, TViewState& view, const TTexture& texture,
                         QWidget* parent)
    : QWidget(parent), doc_(editor.document()), view_(view), texture_(texture),
      binder_(new TSettingBinder(editor, this)), paper_(CurrentPrinterPage()) {
    auto* column = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    zoomField_ = MakeNamed<QSpinBox>("ZoomEd");
    zoomField_->setRange(10, 1000);
    zoomField_->setSingleStep(10);
    zoomField_->setValue(view_.zoom());
    pageField_ = MakeNamed<QSpinBox>("SeiteEd");
    pageField_->setRange(1, 10000);
    pageField_->setValue(view_.page());
    top->addWidget(MakeLabel("Zoom in %:", zoomField_));
    top->addWidget(zoomField_);
    top->addSpacing(16);
    top->addWidget(MakeLabel("Seite:", pageField_));
    top->addWidget(pageField_);
    // Filled in each time the page is laid out; wide enough for the most
    // pages that the page field reaches, so that the row never changes.
    pageCount_ = MakeNamed<QLabel>("SeitenzahlLabel");
    KeepTextOutOfTranslation(pageCount_);
    pageCount_->setMinimumWidth(pageCount_->fontMetrics().horizontalAdvance(
        TranslateText(QStringLiteral("von %1")).arg(pageField_->maximum())));
    top->addWidget(pageCount_);
    top->addStretch(1);
    column->addLayout(top);

    auto* body = new QHBoxLayout;
    auto* left = new QWidget(this);
    left->setMinimumWidth(185);
    auto* texts = new QVBoxLayout(left);
    texts->setContentsMargins(0, 0, 0, 0);
    auto* heading = MakeNamed<QLineEdit>("CaptionEd");
    auto* footer = MakeNamed<QLineEdit>("FussEd");
    auto* header = MakeNamed<QLineEdit>("KopfEd");
    QCheckBox* frame = MakeCheckBox("RahmenCheck", "Rahmen");
    QCheckBox* onlySelected = MakeCheckBox("OnlySelected", "Nur die markierte Kategorie ausgeben");
    onlySelected->setChecked(view_.onlySelectedCategory());
    texts->addWidget(MakeLabel("Überschrift:", heading));
    texts->addWidget(heading);
    texts->addWidget(MakeLabel("Fußzeile:", footer));
    texts->addWidget(footer);
    texts->addWidget(MakeLabel("Kopfzeile:", header));
    texts->addWidget(header);
    texts->addWidget(frame);
    texts->addWidget(onlySelected);
    texts->addStretch(1);
    body->addWidget(left);

    pageBox_ = MakeScrollBox(this, "ScrollBox1");
    pageView_ = MakeNamed<TPaintBox>("PaintBox1", pageBox_->widget());
    pageView_->move(8, 8);
    pageView_->setCursor(Qt::PointingHandCursor);
    pageView_->onPaint = [this](QPainter& p, const QRect& exposed) { paintPage(p, exposed); };
    pageView_->onMouseDown = [this](QMouseEvent* e) { startDrag(e); };
    pageView_->onMouseMove = [this](QMouseEvent* e) { drag(e); };
    pageView_->onMouseUp = [this](QMouseEvent*) { endDrag(); };
    body->addWidget(pageBox_, 1);
    column->addLayout(body, 1);

    binder_->Bind(heading, TextSetting::Heading);
    binder_->Bind(footer, TextSetting::Footer);
    binder_->Bind(header, TextSetting::HeaderLine);
    binder_->Bind(frame, FlagSetting::Frame);
    connect(zoomField_, &QSpinBox::valueChanged, &view_, &TViewState::setZoom);
    connect(pageField_, &QSpinBox::valueChanged, &view_, &TViewState::setPage);
    connect(onlySelected, &QCheckBox::toggled, &view_, &TViewState::setOnlySelectedCategory);
    connect(&view_, &TViewState::previewChanged, this, &TPreviewTab::repaintPreview);

    // The page texts and the frame show at once; every other change of the
    // document or of the selection shows the next time the page is drawn.
    connect(&doc_, &MenuDocument::textChanged, this, [this](TextSetting s) {
        if (s == TextSetting::Heading || s == TextSetting::Footer || s == TextSetting::HeaderLine)
            repaintPreview();
    });
    connect(&doc_, &MenuDocument::flagChanged, this, [this](FlagSetting s) {
        if (s == FlagSetting::Frame)
            repaintPreview();
    });
    connect(&doc_, &MenuDocument::modified, this, &TPreviewTab::outdate);
    connect(&doc_, &MenuDocument::categoriesChanged, this, &TPreviewTab::outdate);
    connect(&view_, &TViewState::selectedCategoryChanged, this, &TPreviewTab::outdate);
}

void TPreviewTab::setPaper(const TPageSetup& paper) {
    paper_ = paper;
    repaintPreview();
}

void TPreviewTab::outdate() {
    pageOutdated_ = true;
    // In view, the page and its page count follow at once (an undo, an
    // import); the paint events of many changes come as one.
    if (isVisible())
        pageView_->update();
}

int TPreviewTab::screenDpi() const {
    return logicalDpiX();
}

bool TPreviewTab::sizePageBox() {
    const QSize box = PreviewBoxSize(PreviewBitmapSize(paper_, screenDpi(), view_.zoom()));
    if (pageView_->size() == box)
        return false;
    pageView_->resize(box);
    // The scroll box scrolls over the page box and the gap before it.
    pageBox_->widget()->resize(pageView_->pos().x() + box.width(),
                               pageView_->pos().y() + box.height());
    return true;
}

void TPreviewTab::repaintPreview() {
    pageOutdated_ = true;
    sizePageBox();
    pageView_->update();
}

void TPreviewTab::paintPage(QPainter& painter, const QRect& exposed) {
    // A new size makes the page box paint itself again, at that size.
    if (sizePageBox())
        return;
    if (pageOutdated_ || !page_.isLaidOut()) {
        TLayoutView layout;
        layout.onlySelected = view_.onlySelectedCategory();
        layout.selectedKat = view_.selectedCategory();
        layout.texture = &texture_;
        page_.Layout(doc_, layout, paper_, screenDpi(), view_.zoom(), view_.page());
        pageOutdated_ = false;
        pageCount_->setText(page_.pageCount() > 0
                                ? TranslateText(QStringLiteral("von %1")).arg(page_.pageCount())
                                : QString());
    }
    // Only the part that needs painting is drawn; the rest of the box shows
    // the scroll box's colour.
    const QImage part = page_.Render(exposed);
    if (!part.isNull())
        painter.drawImage(exposed.topLeft(), part);
}

void TPreviewTab::startDrag(QMouseEvent* event) {
    dragging_ = true;
    dragAnchor_ = event->position().toPoint();
}

void TPreviewTab::drag(QMouseEvent* event) {
    if (!dragging_)
        return;
    // The anchor stays: the page box moves with the content, so the point
    // that was grabbed stays under the pointer.
    const QPoint p = event->position().toPoint();
    QScrollBar* h = pageBox_->horizontalScrollBar();
    QScrollBar* v = pageBox_->verticalScrollBar();
    const int hpos = DragScrollPosition(h->value(), dragAnchor_.x(), p.x(), h->maximum());
    const int vpos = DragScrollPosition(v->value(), dragAnchor_.y(), p.y(), v->maximum());
    h->setValue(hpos);
    v->setValue(vpos);
}

void TPreviewTab::endDrag() {
    dragging_ = false;
}
