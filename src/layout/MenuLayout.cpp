#include "layout/MenuLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <QLocale>

#include "translation/TranslateUnit.h"

namespace {

// Measurements for layout decisions are taken at this resolution.
constexpr int LayoutPPI = 300;

// A rest of a line up to this long is first tried whole when wrapping.
constexpr qsizetype ShortRest = 1000;

} // namespace

int RoundHalfEven(double v) {
    const double r = std::floor(v);
    const double diff = v - r;
    double result = r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0))
        result = r + 1;
    if (std::isnan(result))
        return 0;
    return int(std::clamp(result, double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

int TruncToInt(double v) {
    if (std::isnan(v))
        return 0;
    return int(std::clamp(std::trunc(v), double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

QString FormatPrice(double price, bool noKomma) {
    if (noKomma || !std::isfinite(price)) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        if (!noKomma)
            return locale.toString(price, 'f', 2);
        const double t = std::trunc(price);
        if (std::fabs(t) < 9.2e18)
            return locale.toString(qint64(t));
        return locale.toString(t, 'f', 0);
    }
    // The price is first taken to fifteen significant decimal digits, and
    // those digits are then rounded to two decimals (halves away from zero):
    // 2.675, stored as 2.67499999…, shows as 2,68.
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits - 1, price, std::chars_format::scientific, 14);
    // to_chars writes no terminating zero; strtod below reads up to one.
    *written.ptr = '\0';
    const char* end = written.ptr; // "-d.dddddddddddddde+XX"
    const bool negative = digits[0] == '-';
    qint64 mantissa = 0; // the fifteen digits as a whole number
    const char* c = digits + (negative ? 1 : 0);
    for (; c < end && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9')
            mantissa = mantissa * 10 + (*c - '0');
    int exponent = 0;
    if (c < end && *++c == '+')
        ++c;
    std::from_chars(c, end, exponent);

    const QLocale locale;
    if (exponent >= 15) {
        // Fifteen significant digits do not reach the decimals: exponent form,
        // mantissa with 14 decimals and a three-digit exponent.
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        QString s = plain.toString(std::strtod(digits, nullptr), 'E', 14);
        const qsizetype x = s.lastIndexOf(QLatin1Char('E'));
        if (x >= 0 && x + 2 <= s.size()) {
            QString exp = s.mid(x + 2);
            while (exp.size() < 3)
                exp.prepend(QLatin1Char('0'));
            s = s.left(x + 2) + exp;
        }
        return s;
    }
    // price = mantissa * 10^(exponent - 14), so cents = mantissa * 10^(exponent - 12).
    qint64 cents = 0;
    const int shift = 12 - exponent;
    if (shift <= 0) {
        cents = mantissa;
        for (int i = 0; i < -shift; ++i)
            cents *= 10;
    } else if (shift <= 16) {
        qint64 unit = 1;
        for (int i = 0; i < shift; ++i)
            unit *= 10;
        cents = mantissa / unit + (2 * (mantissa % unit) >= unit ? 1 : 0);
    }
    char text[32];
    char* t = std::to_chars(text, text + 24, cents / 100).ptr; // 19 digits at most
    *t++ = '.';
    *t++ = char('0' + cents % 100 / 10);
    *t++ = char('0' + cents % 10);
    QString s = QString::fromLatin1(text, t - text);
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    if (locale.zeroDigit() != QLatin1String("0")) {
        // Locales with digits of their own.
        const char16_t zero = locale.zeroDigit().at(0).unicode();
        for (QChar& ch : s)
            if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
                ch = QChar(char16_t(zero + (ch.unicode() - u'0')));
    }
    if (negative && cents != 0)
        s.prepend(locale.negativeSign());
    return s;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

TMenuLayout::TMenuLayout(MenuDocument& doc, const TLayoutView& view) : doc_(doc), view_(view) {}

// --- measuring and fonts ------------------------------------------------------

void TMenuLayout::BeginMeasuring(TCanvas& canvas, int dpi, FontRole role) {
    canvas0 = &canvas;
    page_.dpi = dpi;
    canvas0->SetFontPixelsPerInch(dpi);
    SelectFont(role);
}

template <class Measure> double TMenuLayout::MeasureMM(Measure measure) {
    // At the layout resolution and the font's own size; the canvas font is
    // left at the device resolution and its drawing size.
    const int saved = canvas0->FontSize();
    canvas0->SetFontPixelsPerInch(LayoutPPI);
    canvas0->SetFontSize(int(basesize));
    const int pixels = measure();
    canvas0->SetFontPixelsPerInch(page_.dpi);
    canvas0->SetFontSize(saved);
    return pixels * MMPerInch / LayoutPPI;
}

double TMenuLayout::TextWidthMM(const QString& text) {
    return MeasureMM([&] { return canvas0->TextWidth(text); });
}

double TMenuLayout::TextHeightMM(const QString& text) {
    return MeasureMM([&] { return canvas0->TextHeight(text); });
}

void TMenuLayout::SelectFont(FontRole role) {
    canvas0->AssignFont(role, doc_.font(role));
    basesize = canvas0->FontSize();
    const int size = TruncToInt(basesize * view_.zoom / 100);
    canvas0->SetFontSize(size < 1 ? 1 : size);
}

int TMenuLayout::NextFreeNumber() {
    do
        ++autonr;
    while (usednumbers.contains(autonr));
    return autonr;
}

int TMenuLayout::P(double mm) const {
    return RoundHalfEven(mm / MMPerInch * page_.dpi * page_.zoomedvalue / 100);
}

int TMenuLayout::MarginPx(double mm) const {
    return TruncToInt(view_.zoom * (mm / MMPerInch * page_.dpi) / 100);
}

// --- leaders and wrapping ---------------------------------------------------------

int TMenuLayout::DotLimit(double room) {
    if (!(room > 0))
        return 1;
    const double onePixel = MMPerInch / LayoutPPI;
    return int(std::min(room / onePixel + 2, 1e7));
}

int TMenuLayout::DotCount(double room) {
    // The leader is the longest run of dots that fits, at least one: find the
    // first count that no longer fits, starting from the estimate that the
    // width of one dot gives, then take one fewer.
    const int limit = DotLimit(room);
    const double dot = TextWidthMM(QStringLiteral("."));
    auto fits = [&](int k) { return TextWidthMM(QString(k, QLatin1Char('.'))) <= room; };
    int k = 1;
    if (dot > 0 && room > 0)
        k = int(std::clamp(room / dot, 1.0, double(limit)));
    while (k > 1 && !fits(k - 1))
        --k;
    while (k < limit && fits(k))
        ++k;
    return k > 1 ? k - 1 : 1;
}

QStringList TMenuLayout::WrapLines(const QString& line, double w) {
    // Each piece is the longest of the allowed prefixes of what is left that
    // fits; when none fits, the shortest. The allowed prefix lengths of a rest
    // of n characters are n itself; each length that ends after a space,
    // provided a character follows the space; and every length from one up to
    // the first of those spaces (up to n - 1 when there is none). Widths grow
    // with the length, so the longest prefix that fits is found by steps that
    // double, then halve: from the length that the width of the whole rest
    // suggests, or for a very long rest from the short end, so that the work
    // per piece depends on the piece, not on the length of the line.
    const qsizetype n = line.size();
    if (n == 0)
        return {QString()};
    QList<qsizetype> spaces; // positions of the spaces in `line`
    for (qsizetype i = 0; i < n; ++i)
        if (line.at(i) == QLatin1Char(' '))
            spaces.append(i);

    QStringList pieces;
    qsizetype start = 0;
    auto firstSpace = spaces.cbegin();
    while (start < n) {
        const qsizetype rest = n - start;
        while (firstSpace != spaces.cend() && *firstSpace < start)
            ++firstSpace;
        // The spaces that end an allowed prefix: from `firstSpace` up to the
        // last one that a character follows.
        const auto lastSpace = std::upper_bound(firstSpace, spaces.cend(), n - 2);
        const qsizetype spaceCount = lastSpace - firstSpace;
        // Lengths 1 … `singles` one by one, then one per space, then `rest`.
        const qsizetype singles = spaceCount > 0 ? *firstSpace - start : rest - 1;
        const qsizetype count = singles + spaceCount + 1;
        auto length = [&](qsizetype k) {
            if (k < singles)
                return k + 1;
            if (k - singles < spaceCount)
                return *(firstSpace + (k - singles)) - start + 1;
            return rest;
        };
        auto fits = [&](qsizetype k) { return TextWidthMM(line.mid(start, length(k))) <= w; };

        // fits(lo) holds (or lo is -1) and fits(hi) does not (or hi is count).
        qsizetype lo = -1;
        qsizetype hi = count;
        auto gallopUp = [&] {
            for (qsizetype step = 1; lo + step < hi; step *= 2) {
                if (!fits(lo + step)) {
                    hi = lo + step;
                    break;
                }
                lo += step;
            }
        };
        if (rest <= ShortRest) {
            // The usual case: try the rest of the line whole; when it is too
            // wide, start from the length that its width suggests.
            const double whole = TextWidthMM(line.mid(start, rest));
            if (whole <= w) {
                lo = count - 1;
            } else {
                hi = count - 1;
                const double guess = w > 0 ? rest * (w / whole) : 0;
                // The longest allowed length below the whole up to `guess`.
                qsizetype k = 0;
                for (qsizetype b = count - 2; k < b;) {
                    const qsizetype m = k + (b - k + 1) / 2;
                    if (length(m) <= guess)
                        k = m;
                    else
                        b = m - 1;
                }
                if (fits(k)) {
                    lo = k;
                    gallopUp();
                } else {
                    hi = k;
                    for (qsizetype step = 1; hi > 0; step *= 2) {
                        const qsizetype down = std::max<qsizetype>(hi - step, 0);
                        if (fits(down)) {
                            lo = down;
                            break;
                        }
                        hi = down;
                    }
                }
            }
        } else {
            gallopUp();
        }
        while (hi - lo > 1) {
            const qsizetype mid = lo + (hi - lo) / 2;
            if (fits(mid))
                lo = mid;
            else
                hi = mid;
        }
        const qsizetype take = std::max<qsizetype>(lo, 0); // the shortest when none fits
        const qsizetype len = length(take);
        pieces.append(line.mid(start, len));
        start += len;
    }
    return pieces;
}

void TMenuLayout::NewPage() {
    ymm = topmm + headermm;
    AdvancePage();
    DrawPageFurniture();
}

void TMenuLayout::DrawLines(const QString& text, double width, int x, double lineHeight) {
    for (const QString& line : SplitLines(text)) {
        for (const QString& piece : WrapLines(line, width)) {
            if (OnPage())
                canvas0->TextOut(x, P(ymm), piece);
            ymm += lineHeight;
            if (LimitMM() < ymm) {
                // The text goes on one line below the top of the next page.
                AdvancePage();
                DrawPageFurniture();
                ymm = topmm + headermm + lineHeight;
            }
        }
    }
}

void TMenuLayout::AdvancePage() {
    ++pageno;
    // The start of a page draws the frame over the page before.
    if (doc_.flag(FlagSetting::Frame) && page_.seiteedvalue == pageno - 1)
        DrawFrame();
    if (startPage_)
        OfferPage();
}

void TMenuLayout::OfferPage() {
    const PageStart what = stopped_ ? PageStart::Stop : startPage_(pageno);
    stopped_ = what == PageStart::Stop;
    // A page that is not drawn never equals the page number.
    page_.seiteedvalue = what == PageStart::Draw ? pageno : -1;
}

// --- the call -----------------------------------------------------------------------

int TMenuLayout::PaintPages(TCanvas& canvas, const TPageRequest& page,
                            const std::function<PageStart(int)>& startPage) {
    startPage_ = startPage;
    stopped_ = false;
    PaintToCanvas(canvas, page);
    startPage_ = nullptr;
    return stopped_ ? -pageno : pageno;
}

int TMenuLayout::PaintAllPages(TCanvas& canvas, const TPageRequest& page,
                               const std::function<bool(int)>& startPage) {
    return PaintPages(canvas, page, [&](int n) {
        return n == 1 || startPage(n) ? PageStart::Draw : PageStart::Stop;
    });
}

QString TMenuLayout::NumberText(int32_t number) {
    const int32_t shown = number != 0 ? number : NextFreeNumber();
    return QString::number(shown) + QStringLiteral(". ");
}

bool TMenuLayout::PaintToCanvas(TCanvas& canvas, const TPageRequest& page) {
    canvas0 = &canvas;
    page_ = page;
    canvas0->SetFontPixelsPerInch(page_.dpi);
    canvas0->SetPageSize(QSize(page_.width, page_.height));
    pageno = 1;
    if (startPage_)
        OfferPage();

    // 1. Every explicit number of the menu.
    for (int i = 0; i < doc_.katCount(); ++i) {
        TDynaArray* prods = doc_.products(i);
        prods->First();
        while (prods->WhileNext())
            if (doc_.aprod->number != 0)
                usednumbers.insert(doc_.aprod->number);
    }
    // 2. The white page (in a pass over every page, only under page 1).
    if (!page_.printit && (!startPage_ || OnPage())) {
        canvas0->SetBrush(Qt::white);
        canvas0->SetPen(Qt::black, 1);
        canvas0->Rectangle(0, 0, page_.width, page_.height);
    }
    // 3. Margins.
    leftmm = doc_.number(NumberSetting::LeftMargin);
    topmm = doc_.number(NumberSetting::TopMargin);
    rightmm = doc_.number(NumberSetting::RightMargin);
    bottommm = doc_.number(NumberSetting::BottomMargin);
    leftpx = MarginPx(leftmm);
    toppx = MarginPx(topmm);
    rightpx = MarginPx(rightmm);
    bottompx = MarginPx(bottommm);
    // 4, 5. Markers, then the furniture of page 1.
    pageno = 1;
    for (int i = 0; i < doc_.katCount(); ++i) {
        TDynaArray* prods = doc_.products(i);
        prods->First();
        while (prods->WhileNext())
            CollectUsedMarkers(TextOf(doc_.aprod->name));
    }
    DrawPageFurniture();
    // 6, 7. Heading.
    SelectFont(FontRole::Heading);
    ymm = topmm + headermm;
    const QString caption = doc_.text(TextSetting::Heading);
    if (!caption.isEmpty()) {
        if (OnPage()) {
            int x = P(leftmm);
            if (doc_.flag(FlagSetting::HeadingCentred))
                x = ((page_.width - leftpx - rightpx - canvas0->TextWidth(caption)) / 2) + leftpx;
            canvas0->TextOut(x, P(ymm), caption);
        }
        ymm += 2 * TextHeightMM(QStringLiteral(" "));
    }
    // 8. Column widths over the whole menu.
    MeasureColumns();
    // 9, 10. The categories.
    autonr = 0;
    lastneed = 0;
    if (view_.onlySelected && view_.selectedKat >= 0 && view_.selectedKat < doc_.katCount()) {
        LayoutCategory(view_.selectedKat, true);
    } else {
        for (int i = 0; i < doc_.katCount(); ++i)
            LayoutCategory(i, i == 0);
    }
    // 11. A page beyond the last gets the frame that every page start draws.
    if (!startPage_ && pageno < page_.seiteedvalue && doc_.flag(FlagSetting::Frame))
        DrawFrame();
    return pageno > page_.seiteedvalue;
}

void TMenuLayout::MeasureColumns() {
    autonr = 0;
    const QString currency = doc_.text(TextSetting::Currency);
    const bool noKomma = doc_.flag(FlagSetting::PricesWithoutDecimals);
    for (int i = 0; i < doc_.katCount(); ++i) {
        TDynaArray* prods = doc_.products(i);
        prods->First();
        while (prods->WhileNext()) {
            const TProduktRec& p = *doc_.aprod;
            SelectFont(FontRole::ProductName);
            const QString num = NumberText(p.number);
            maxnumpx = std::max(maxnumpx, canvas0->TextWidth(num));
            maxnummm = std::max(maxnummm, TextWidthMM(num));
            SelectFont(FontRole::Price);
            if (p.price > 0) {
                const QString price =
                    QStringLiteral("    ") + FormatPrice(p.price, noKomma) + u' ' + currency;
                maxpricepx = std::max(maxpricepx, canvas0->TextWidth(price));
                maxpricemm = std::max(maxpricemm, TextWidthMM(price));
            }
        }
    }
}

void TMenuLayout::LayoutCategory(int index, bool first) {
    if (LimitMM() < ymm + 2 * lastneed)
        NewPage();
    else if (doc_.flag(FlagSetting::NewPagePerCategory) && !first)
        NewPage();

    SelectFont(FontRole::CategoryName);
    if (OnPage()) {
        QString name = doc_.katName(index);
        if (doc_.flag(FlagSetting::CategoryCapitals))
            name = QLocale().toUpper(name);
        const int x = doc_.flag(FlagSetting::CategoryHeadingCentred)
                          ? (page_.width - canvas0->TextWidth(name)) / 2
                          : P(leftmm);
        canvas0->TextOut(x, P(ymm), name);
    }
    ymm += 2 * TextHeightMM(QStringLiteral(" "));

    TDynaArray* prods = doc_.products(index);
    for (uint32_t j = 0; j < prods->count(); ++j) {
        const TProduktRec& p = *static_cast<const TProduktRec*>(prods->GetObject(j));
        if (p.price < 0)
            LayoutFreeText(p);
        else
            LayoutProduct(p);
    }
    ymm += TextHeightMM(QStringLiteral(" "));
}

void TMenuLayout::LayoutProduct(const TProduktRec& p) {
    const QString name = TextOf(p.name);
    const QString description = TextOf(p.description);
    const QString quantity = TextOf(p.quantity);

    // 1, 2. Room for the product line (and the first description line).
    SelectFont(FontRole::ProductName);
    const double h = TextHeightMM(QStringLiteral(" "));
    const double step = description.isEmpty() ? 1.5 * h : 2 * h;
    lastneed = description.isEmpty() ? step : step + h;
    if (LimitMM() < ymm + lastneed)
        NewPage();
    const int y = P(ymm);

    // 3, 4. Number and name.
    double nameEnd;
    if (p.number >= 0) {
        const QString num = NumberText(p.number);
        if (OnPage()) {
            canvas0->TextOut(P(leftmm) + maxnumpx - canvas0->TextWidth(num), y, num);
            canvas0->TextOut(P(leftmm) + maxnumpx, y, name);
        }
        nameEnd = leftmm + maxnummm + TextWidthMM(name + u' ');
    } else {
        if (OnPage())
            canvas0->TextOut(P(leftmm), y, name);
        nameEnd = leftmm + TextWidthMM(name + u' ');
    }

    // 5. Price and quantity.
    SelectFont(FontRole::Price);
    double leaderEnd;
    const int right = page_.width - rightpx;
    if (p.price == 0) {
        const QString price = QStringLiteral("    ") + GetMessageText(10);
        const int pw = canvas0->TextWidth(price);
        if (OnPage()) {
            canvas0->TextOut(right - pw, y, price);
            canvas0->TextOut(right - pw - canvas0->TextWidth(quantity), y, quantity);
        }
        leaderEnd = page_.widthmm - rightmm - TextWidthMM(price) - TextWidthMM(quantity);
    } else {
        const QString price = FormatPrice(p.price, doc_.flag(FlagSetting::PricesWithoutDecimals)) +
                              u' ' + doc_.text(TextSetting::Currency);
        if (OnPage()) {
            canvas0->TextOut(right - canvas0->TextWidth(price), y, price);
            canvas0->TextOut(right - maxpricepx - canvas0->TextWidth(quantity), y, quantity);
        }
        leaderEnd = page_.widthmm - rightmm - maxpricemm - TextWidthMM(quantity);
    }

    // 6. Dot leader.
    SelectFont(FontRole::DotLeader);
    const double start = nameEnd + TextWidthMM(QStringLiteral("."));
    const int dots = DotCount(leaderEnd - start);
    if (!doc_.flag(FlagSetting::NoDotLeaders) && OnPage())
        canvas0->TextOut(P(start), y, QString(dots, QLatin1Char('.')));

    // 7. Description.
    SelectFont(FontRole::Description);
    const double dh = TextHeightMM(QStringLiteral(" "));
    if (!description.isEmpty()) {
        ymm += 1.5 * h;
        DrawLines(description, leaderEnd - leftmm - maxnummm, P(leftmm + maxnummm), dh);
        ymm -= dh;
    }
    // 8.
    ymm += step;
}

void TMenuLayout::LayoutFreeText(const TProduktRec& p) {
    SelectFont(FontRole::FreeText);
    const double fh = TextHeightMM(QStringLiteral(" "));
    const QString description = TextOf(p.description);
    if (!description.isEmpty())
        DrawLines(description, page_.widthmm - rightmm - maxpricemm - leftmm, P(leftmm), fh);
    ymm += 0.5 * fh;
}

bool PaintToCanvas(MenuDocument& doc, const TLayoutView& view, TCanvas& canvas,
                   const TPageRequest& page) {
    TMenuLayout layout(doc, view);
    return layout.PaintToCanvas(canvas, page);
}

int PaintAllPages(MenuDocument& doc, const TLayoutView& view, TCanvas& canvas,
                  const TPageRequest& page, const std::function<bool(int)>& startPage) {
    TMenuLayout layout(doc, view);
    return layout.PaintAllPages(canvas, page, startPage);
}

namespace {

// Measures as every canvas does and draws nothing.
class TNullCanvas : public TCanvas {
public:
    explicit TNullCanvas(int dpi) { font_.pixelsPerInch = dpi; }
    void TextOut(int, int, const QString&) override {}
    void SetPen(const QColor&, int) override {}
    void SetBrush(const QColor&) override {}
    void Rectangle(int, int, int, int) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Arc(int, int, int, int, int, int, int, int) override {}
    void StretchImage(const QImage&, const QRect&) override {}
};

} // namespace

int CountPages(MenuDocument& doc, const TLayoutView& view, const TPageRequest& page) {
    TNullCanvas canvas(page.dpi);
    TMenuLayout layout(doc, view);
    return layout.PaintPages(canvas, page, [](int) { return TMenuLayout::PageStart::Skip; });
}
