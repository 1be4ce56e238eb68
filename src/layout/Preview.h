#pragma once

#include <memory>

#include <QImage>
#include <QRect>
#include <QSize>

#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"

// The page preview's arithmetic and drawing, apart from any widget.

// The printable page of the selected printer (the default printer, else the
// first one) at its resolution; A4 at 600 pixels per inch when there is no
// printer.
TPageSetup CurrentPrinterPage();

// The preview bitmap for `paper` on a screen of `sdpi` pixels per inch at
// `zoom` percent: Trunc(zoom * (pw * sdpi / pdpi) / 100) wide, likewise high.
QSize PreviewBitmapSize(const TPageSetup& paper, int sdpi, double zoom);

// The paint box that shows a bitmap of `bitmap` size is 8 pixels larger each
// way, so the page has a margin of background to its right and below.
QSize PreviewBoxSize(QSize bitmap);

// One redraw of the preview: lays out the menu and draws page `page` into a
// bitmap of PreviewBitmapSize, at the screen's resolution, as the screen
// shows it (not for the printer). Null when the size is empty.
QImage RenderPreviewPage(MenuDocument& doc, TLayoutView view, const TPageSetup& paper, int sdpi,
                         double zoom, int page);

class TDisplayList;

// One page of the preview, laid out once and then drawn in parts: scrolling
// a large zoom draws only what comes into view, from the kept drawing calls,
// and never lays the page out again. Each part has exactly the pixels of the
// same part of RenderPreviewPage's bitmap.
class TPreviewPage {
public:
    TPreviewPage();
    ~TPreviewPage();

    // Lays out page `page` as RenderPreviewPage does and keeps its drawing.
    void Layout(MenuDocument& doc, TLayoutView view, const TPageSetup& paper, int sdpi, double zoom,
                int page);
    // Forgets the page; isLaidOut() is false until the next Layout.
    void Clear();
    bool isLaidOut() const { return list_ != nullptr; }
    // The size of the whole page bitmap.
    QSize size() const { return size_; }
    // How many pages the menu has, as the last Layout found; 0 before.
    int pageCount() const { return pages_; }

    // The part of `rect` (page bitmap coordinates) that lies on the page, as
    // an image of that part's size. Null when nothing is laid out or the part
    // is empty.
    QImage Render(const QRect& rect) const;

private:
    std::unique_ptr<TDisplayList> list_;
    QSize size_;
    int sdpi_ = 96;
    int pages_ = 0;
};

// The scroll position while dragging the page: the position when the mouse
// moved from `anchor` to `mouse` (both in the dragged content's coordinates),
// kept within 0 … maximum.
int DragScrollPosition(int position, int anchor, int mouse, int maximum);

// Whole wheel notches (120 units each; positive = wheel turned up, away from
// the user) in `pending` plus `delta`; what is left of a notch stays in
// `pending` for the next event, so fine-grained wheels add up to notches.
int TakeWheelNotches(int& pending, int delta);
