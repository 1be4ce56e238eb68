#pragma once

#include <functional>

#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>

#include "foundation/MenuDocument.h"
#include "layout/Canvas.h"

class TTexture;

// What the layout takes from the window besides the document.
struct TLayoutView {
    bool onlySelected = false;         // OnlySelected: only the selected category
    int selectedKat = -1;              // the selected category, -1 for none
    double zoom = 100;                 // ZoomEd, percent: margins, type sizes, tiles, frame width
    const TTexture* texture = nullptr; // the prepared background texture, if any
};

// One call of the layout: where to draw and which page.
struct TPageRequest {
    int dpi = 96;  // device resolution, for every millimetre-to-pixel conversion
    int width = 0; // drawable page in device pixels
    int height = 0;
    int seiteedvalue = 1;     // the page to draw, from 1
    double zoomedvalue = 100; // zoom in percent applied to text positions
    bool printit = false;     // false: paint a white page with an outline first
    double widthmm = 210;     // page size in millimetres; all layout decisions use these
    double heightmm = 297;
    bool isprintout = false; // the canvas belongs to the printer
};

// Millimetres per inch, everywhere in the layout.
constexpr double MMPerInch = 25.39995;

// A price as the menu and the product lists show it: truncated to a whole
// number with `noKomma`, otherwise taken to fifteen significant digits and
// then rounded to two decimals, with the locale's decimal separator and no
// thousands separator (exponent notation when the fifteen digits reach 10^15).
QString FormatPrice(double price, bool noKomma);

// Rounds to the nearest integer, halves to the even neighbour; clamped to the
// range of int.
int RoundHalfEven(double v);
// Drops the fraction; clamped to the range of int, 0 for NaN. Sizes and
// positions computed from a menu's settings go through here, so that no
// setting, however large, leaves the range of int.
int TruncToInt(double v);

// Splits a description into lines at CR, LF and CR LF; a break at the very
// end adds no empty line.
QStringList SplitLines(const QString& text);

// Lays out the whole menu from page 1 and draws the elements that fall on the
// requested page. Page and line breaks are decided in millimetres on text
// measured at 300 pixels per inch at the fonts' own sizes, so they are the
// same at every zoom and on every device.
//
// One object serves one call of PaintToCanvas; nothing survives between
// calls.
class TMenuLayout {
public:
    TMenuLayout(MenuDocument& doc, const TLayoutView& view);
    virtual ~TMenuLayout() = default;

    // True when the menu has pages after the requested one.
    //
    // The frame goes onto the requested page at its start, under the
    // content, and again at the start of the page after it, over the
    // content; a requested page beyond the last one gets it once, at the
    // end. (Every page start draws the same frame; the requested page's
    // texture covers those before it, and a frame over an identical frame
    // changes nothing, so these are the ones that show.)
    bool PaintToCanvas(TCanvas& canvas, const TPageRequest& page);

    // What a pass over every page does with the page that starts.
    enum class PageStart {
        Draw, // draw it
        Skip, // lay it out without drawing it
        Stop, // draw nothing more
    };
    // Lays out the menu once and offers every page as it starts, page 1
    // first: `startPage` gets its number and says what to do with it. Each
    // page drawn gets exactly what a PaintToCanvas call for that page alone
    // draws (less the white page, which only page 1 gets when `printit` is
    // false): the frame that the start of the next page draws over it is
    // drawn before `startPage` is asked about that next page. Returns the
    // number of pages, negated when `startPage` stopped the output.
    // `page.seiteedvalue` is not used.
    int PaintPages(TCanvas& canvas, const TPageRequest& page,
                   const std::function<PageStart(int)>& startPage);
    // PaintPages that draws page 1 and asks `startPage` before each further
    // page, so that the caller can start a new sheet; false stops the
    // output.
    int PaintAllPages(TCanvas& canvas, const TPageRequest& page,
                      const std::function<bool(int)>& startPage);
    // The pages that the call laid out: after a PaintToCanvas or PaintPages
    // call, the number of pages of the menu.
    int PagesLaidOut() const { return pageno; }

    // Puts font `role` on `canvas` for measuring outside a layout call (tools
    // and tests), as a layout at `dpi` would.
    void BeginMeasuring(TCanvas& canvas, int dpi, FontRole role);

    // Width and height of a text in millimetres in the current font, measured
    // at 300 pixels per inch at the font's unscaled size.
    double TextWidthMM(const QString& text);
    double TextHeightMM(const QString& text);

    // How many dots a leader holds in `room` millimetres: the most dots that
    // fit, but at least one.
    virtual int DotCount(double room);
    // Breaks one line into pieces no wider than `w` millimetres: after the
    // last space that lets a piece fit, or between characters when a word
    // alone is too wide. An empty line gives one empty piece.
    virtual QStringList WrapLines(const QString& line, double w);

    // The longest leader that the dot count ever builds for `room`: with a
    // dot narrower than one pixel at 300 pixels per inch (or of width 0) the
    // leader would otherwise grow without end.
    static int DotLimit(double room);

    // The marker tokens of a product name: what stands inside parentheses,
    // split at ";", without spaces; an unclosed token is dropped. "Salat
    // (1; 3) (A;C)" gives 1, 3, A, C.
    static QStringList MarkerTokens(const QString& name);

    // Up to this many tiles a page draws each tile of its texture; beyond
    // that, it draws blocks of tiles, at most MaxTileBlocksAcross in each
    // direction.
    static constexpr qint64 MaxTilesPerPage = 4096;
    static constexpr qint64 MaxTileBlocksAcross = 16;

protected:
    // Where the entries of a legend go, above the footer: the same on every
    // page of a call.
    struct TLegendGrid {
        struct Cell {
            int x = 0;
            int row = 0; // rows above the lowest one
            QString text;
        };
        bool made = false;
        QList<Cell> cells;
        int rows = 0; // complete rows, each one line of room
        // The room in millimetres before and after the rows, once computed.
        double footermmBefore = -1;
        double footermmAfter = 0;
    };
    // Works out the grid of a legend (virtual so that tests can count the
    // work).
    virtual TLegendGrid PlanLegend(Legend which);

private:
    template <class Measure> double MeasureMM(Measure measure);
    void SelectFont(FontRole role);
    int NextFreeNumber();
    // Texture, footer, legends, header and frame of the page that starts;
    // sets the room they take (footermm, footerpx, headermm).
    void DrawPageFurniture();
    void DrawTexture();
    // One line of text centred between the margins.
    void DrawCentred(const QString& text, int y);
    void DrawLegend(Legend which);
    void DrawFrame();
    void CollectUsedMarkers(const QString& name);
    void NewPage();
    // The page number goes up by one. The frame of the page that starts
    // goes over the page before when that one is drawn; in a pass over
    // every page the new page is then offered to the caller.
    void AdvancePage();
    // Asks the caller of a pass what to do with the page that starts.
    void OfferPage();
    // Draws the lines of a description or free text, each broken to `width`
    // millimetres, one below the other, changing pages as they fill.
    void DrawLines(const QString& text, double width, int x, double lineHeight);
    bool OnPage() const { return pageno == page_.seiteedvalue; }
    int P(double mm) const;
    int MarginPx(double mm) const;
    double LimitMM() const { return page_.heightmm - bottommm - footermm; }
    QString NumberText(int32_t number);

    void MeasureColumns();
    void LayoutCategory(int index, bool first);
    void LayoutProduct(const TProduktRec& p);
    void LayoutFreeText(const TProduktRec& p);

    MenuDocument& doc_;
    TLayoutView view_;
    TCanvas* canvas0 = nullptr;
    TPageRequest page_;

    // The working state of one call.
    int32_t pageno = 1;
    double ymm = 0;
    double leftmm = 0, topmm = 0, rightmm = 0, bottommm = 0;
    int32_t leftpx = 0, toppx = 0, rightpx = 0, bottompx = 0;
    double footermm = 0;
    int32_t footerpx = 0;
    double headermm = 0;
    double basesize = 0;
    int32_t autonr = 0;
    QSet<int32_t> usednumbers;
    QStringList usedmarkers;
    QSet<QString> usedmarkerset; // the same, for lookups
    // Tiles of the texture repeated into one image, for pages that would
    // otherwise take more than MaxTilesPerPage tiles.
    QImage textureBlock_;
    qint64 textureBlockKey_ = 0;
    int32_t maxnumpx = 0;
    double maxnummm = 0;
    int32_t maxpricepx = 0;
    double maxpricemm = 0;
    double lastneed = 0;
    TLegendGrid legendGrids_[2];              // additives, allergens
    std::function<PageStart(int)> startPage_; // set during a pass over every page
    bool stopped_ = false;                    // the caller of the pass stopped it
};

// One call of the layout for `page`.
bool PaintToCanvas(MenuDocument& doc, const TLayoutView& view, TCanvas& canvas,
                   const TPageRequest& page);
// One call of the layout that draws every page (see TMenuLayout::PaintAllPages).
int PaintAllPages(MenuDocument& doc, const TLayoutView& view, TCanvas& canvas,
                  const TPageRequest& page, const std::function<bool(int)>& startPage);
// The number of pages of the menu laid out for `page` (its size in
// millimetres decides; nothing is drawn).
int CountPages(MenuDocument& doc, const TLayoutView& view, const TPageRequest& page);
