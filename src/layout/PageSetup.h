#pragma once

#include <QSize>

struct TPageRequest;

// The paper the menu is laid out for: a printable page in device pixels at a
// resolution, as a printer reports it.
struct TPageSetup {
    int pdpi = 600; // the device's resolution, pixels per inch
    int pw = 0;     // printable page width and height in device pixels
    int ph = 0;

    // The printable page in millimetres, as the layout decides on it.
    double WidthMM() const;
    double HeightMM() const;
    // The page at `dpi` and `zoom` percent: Trunc(zoom * (pw * dpi / pdpi) / 100).
    QSize PixelSize(int dpi, double zoom) const;
    // A layout call for page `page` of this paper drawn at `dpi` and `zoom`:
    // the page in pixels of that size, the decisions on the paper's
    // millimetres.
    TPageRequest Request(int dpi, double zoom, int page, bool printit) const;
};

// A4 (210 x 297 mm) at 600 pixels per inch: the page when there is no printer.
TPageSetup A4PageSetup();
