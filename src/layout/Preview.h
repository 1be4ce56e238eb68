#pragma once

#include <QImage>
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

// The scroll position while dragging the page: the position when the mouse
// moved from `anchor` to `mouse` (both in the dragged content's coordinates),
// kept within 0 … maximum.
int DragScrollPosition(int position, int anchor, int mouse, int maximum);

// Whole wheel notches (120 units each; positive = wheel turned up, away from
// the user) in `pending` plus `delta`; what is left of a notch stays in
// `pending` for the next event, so fine-grained wheels add up to notches.
int TakeWheelNotches(int& pending, int delta);
