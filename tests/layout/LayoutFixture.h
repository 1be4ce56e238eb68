#pragma once

#include <cmath>

#include <QLocale>

#include <gtest/gtest.h>

#include "layout/FontCache.h"
#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"
#include "layout/RecordingCanvas.h"

using Item = TRecordingCanvas::Item;

// A menu to lay out, and the same measurements the layout takes, so that
// expectations follow the installed fonts instead of one machine's pixels.
class LayoutFixture : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    int addKat(const QString& name) { return doc.addKat(name); }
    void addProduct(int kat, const QString& name, const QString& description = {}, double price = 5,
                    int32_t number = 0, const QString& quantity = {}) {
        auto* p = static_cast<TProduktRec*>(doc.products(kat)->Add());
        p->name = NewText(name);
        p->description = NewText(description);
        p->quantity = NewText(quantity);
        p->price = price;
        p->number = number;
    }

    struct Result {
        bool more;
        QList<Item> items;
        QList<Item> texts(FontRole role) const {
            QList<Item> r;
            for (const Item& i : items)
                if (i.kind == Item::Kind::Text && i.font == role)
                    r.append(i);
            return r;
        }
        QStringList strings(FontRole role) const {
            QStringList r;
            for (const Item& i : texts(role))
                r << i.text;
            return r;
        }
    };

    template <class Layout = TMenuLayout> Result layout(int page, double zoom = 100, int dpi = 96) {
        TRecordingCanvas canvas(dpi);
        TLayoutView v = view;
        v.zoom = zoom;
        Layout engine(doc, v);
        const bool more = engine.PaintToCanvas(canvas, paper.Request(dpi, zoom, page, false));
        return {more, canvas.Items()};
    }

    // Pixel width of a text in a font at a zoom, as drawn.
    int w(FontRole role, const QString& text, double zoom = 100, int dpi = 96) const {
        const TFontSetting& f = doc.font(role);
        const int size = std::max(1, int(std::trunc(f.size * zoom / 100)));
        return TFontCache::TextWidth(f, FontPixelSize(size, dpi), text);
    }
    // Width and line height in millimetres, as the layout decides.
    double wmm(FontRole role, const QString& text) const {
        const TFontSetting& f = doc.font(role);
        return TFontCache::TextWidth(f, FontPixelSize(f.size, 300), text) * MMPerInch / 300;
    }
    double hmm(FontRole role) const {
        const TFontSetting& f = doc.font(role);
        return TFontCache::TextHeight(f, FontPixelSize(f.size, 300)) * MMPerInch / 300;
    }
    static int P(double mm, double zoom = 100, int dpi = 96) {
        return RoundHalfEven(mm / MMPerInch * dpi * zoom / 100);
    }
    int marginPx(double mm, double zoom = 100, int dpi = 96) const {
        return int(std::trunc(zoom * (mm / MMPerInch * dpi) / 100));
    }
    int pageWidth(double zoom = 100, int dpi = 96) const {
        return paper.PixelSize(dpi, zoom).width();
    }

    MenuDocument doc;
    TLayoutView view;
    TPageSetup paper = A4PageSetup();
};
