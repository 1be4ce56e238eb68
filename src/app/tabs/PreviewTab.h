#pragma once

#include <QPoint>
#include <QWidget>

#include "layout/PageSetup.h"
#include "layout/Preview.h"

class MenuDocument;
class TMenuEditor;
class QLabel;
class QMouseEvent;
class QPainter;
class QScrollArea;
class QSpinBox;
class TPaintBox;
class TSettingBinder;
class TTexture;
class TViewState;

// The tab "Speisekarte erzeugen": zoom, page, the page texts and the page
// preview, which the user drags with the mouse. The page is laid out when
// something it shows changed and is then drawn from the kept layout as it
// scrolls into view.
class TPreviewTab : public QWidget {
    Q_OBJECT
public:
    TPreviewTab(TMenuEditor& editor, TViewState& view, const TTexture& texture,
                QWidget* parent = nullptr);

    // The paper the page is laid out for: the selected printer's page.
    const TPageSetup& paper() const { return paper_; }
    // Lays the page out for another paper (a printer chosen or set up).
    void setPaper(const TPageSetup& paper);
    // The screen resolution the preview draws at.
    int screenDpi() const;
    QScrollArea* pageScrollBox() const { return pageBox_; }

    // Lays the page out again at the next paint and repaints it.
    void repaintPreview();

private:
    // Something the page shows changed: laid out again at the next paint,
    // which comes at once while the tab is in view.
    void outdate();
    // Sizes the page box for the current zoom; true when its size changed.
    bool sizePageBox();
    void paintPage(QPainter& painter, const QRect& exposed);
    void startDrag(QMouseEvent* event);
    void drag(QMouseEvent* event);
    void endDrag();

    MenuDocument& doc_;
    TViewState& view_;
    const TTexture& texture_;
    TSettingBinder* binder_ = nullptr;
    TPageSetup paper_;
    TPreviewPage page_;
    // The page must be laid out again before it is drawn.
    bool pageOutdated_ = true;
    QSpinBox* zoomField_ = nullptr;
    QSpinBox* pageField_ = nullptr;
    QLabel* pageCount_ = nullptr; // "von 3" beside the page field
    QScrollArea* pageBox_ = nullptr;
    TPaintBox* pageView_ = nullptr;
    bool dragging_ = false;
    // Where the drag began, in the page view's coordinates.
    QPoint dragAnchor_;
};
