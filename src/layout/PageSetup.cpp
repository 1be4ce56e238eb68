#include "layout/PageSetup.h"

#include <cmath>

#include "layout/MenuLayout.h"

double TPageSetup::WidthMM() const {
    return double(pw) / pdpi * MMPerInch;
}

double TPageSetup::HeightMM() const {
    return double(ph) / pdpi * MMPerInch;
}

QSize TPageSetup::PixelSize(int dpi, double zoom) const {
    return QSize(TruncToInt(zoom * (double(pw) * dpi / pdpi) / 100),
                 TruncToInt(zoom * (double(ph) * dpi / pdpi) / 100));
}

TPageRequest TPageSetup::Request(int dpi, double zoom, int page, bool printit) const {
    const QSize size = PixelSize(dpi, zoom);
    TPageRequest r;
    r.dpi = dpi;
    r.width = size.width();
    r.height = size.height();
    r.seiteedvalue = page;
    r.zoomedvalue = zoom;
    r.printit = printit;
    r.widthmm = WidthMM();
    r.heightmm = HeightMM();
    return r;
}

TPageSetup A4PageSetup() {
    TPageSetup s;
    s.pdpi = 600;
    s.pw = int(std::lround(210.0 / 25.4 * s.pdpi));
    s.ph = int(std::lround(297.0 / 25.4 * s.pdpi));
    return s;
}
