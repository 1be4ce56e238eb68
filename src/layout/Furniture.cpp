// What every page carries besides the menu: the tiled background texture, the
// footer line, the additive and allergen legends above it, the header line and
// the frame with hollowed corners.
#include <cmath>

#include <QPainter>

#include "layout/MenuLayout.h"
#include "texture/Texture.h"

QStringList TMenuLayout::MarkerTokens(const QString& name) {
    QStringList tokens;
    int depth = 0;
    QString token;
    for (const QChar ch : name) {
        if (ch == u'(')
            ++depth;
        if (ch == u')' && depth > 0) {
            --depth;
            if (!token.isEmpty())
                tokens.append(token);
            token.clear();
        }
        if (ch == u';' && depth > 0) {
            if (!token.isEmpty())
                tokens.append(token);
            token.clear();
        }
        if (depth > 0 && ch != u'(' && ch != u';' && ch != u' ')
            token += ch;
    }
    return tokens;
}

void TMenuLayout::CollectUsedMarkers(const QString& name) {
    const QStringList tokens = MarkerTokens(name);
    usedmarkers += tokens;
    for (const QString& t : tokens)
        usedmarkerset.insert(t);
}

void TMenuLayout::DrawPageFurniture() {
    const double savedBase = basesize;
    DrawTexture();

    const TCanvasFont saved = canvas0->Font();
    const QString footer = doc_.text(TextSetting::Footer);
    if (!footer.isEmpty()) {
        SelectFont(FontRole::Legend);
        const int th = canvas0->TextHeight(QStringLiteral(" "));
        if (OnPage())
            DrawCentred(footer, page_.height - bottompx - th);
        footerpx = 2 * th;
        footermm = 2 * TextHeightMM(QStringLiteral(" "));
        canvas0->SetFont(saved);
    } else {
        footerpx = 0;
        footermm = 0;
    }

    DrawLegend(Legend::Additives);
    DrawLegend(Legend::Allergens);

    const QString header = doc_.text(TextSetting::HeaderLine);
    if (!header.isEmpty()) {
        SelectFont(FontRole::HeaderLine);
        if (OnPage())
            DrawCentred(header, toppx);
        headermm = 2 * TextHeightMM(QStringLiteral(" "));
        canvas0->SetFont(saved);
    } else {
        headermm = 0;
    }

    // The frame is the same at every page start: drawn here on the page that
    // starts, and by AdvancePage over the page before (see PaintToCanvas).
    if (doc_.flag(FlagSetting::Frame) && OnPage())
        DrawFrame();
    basesize = savedBase;
}

void TMenuLayout::DrawTexture() {
    const TTexture* texture = view_.texture;
    if (!OnPage() || !texture || texture->isEmpty())
        return;
    const double z = view_.zoom;
    const int dpi = page_.dpi;
    // However large the settings, a tile stays far inside the range of int,
    // so that its corners can be computed without overflow.
    static constexpr double MaxTile = 1 << 30;
    auto tileSize = [](double v) { return TruncToInt(std::min(v, MaxTile)); };
    const int tw =
        tileSize(z * (doc_.number(NumberSetting::TileWidth) * 10 / MMPerInch * dpi) / 100);
    int tht = tileSize(z * (doc_.number(NumberSetting::TileHeight) * 10 / MMPerInch * dpi) / 100);
    if (doc_.flag(FlagSetting::TextureKeepsAspect))
        tht = tileSize(double((qint64(texture->height()) * tw) / texture->width()));
    // A tile below one pixel would never cover the page: no texture then.
    if (tw < 1 || tht < 1)
        return;
    const qint64 across = (qint64(page_.width) + tw - 1) / tw;
    const qint64 down = (qint64(page_.height) + tht - 1) / tht;
    if (across * down <= MaxTilesPerPage) {
        for (int y = 0; y < page_.height; y += tht)
            for (int x = 0; x < page_.width; x += tw)
                canvas0->StretchImage(texture->image(), QRect(x, y, tw, tht));
        return;
    }
    // Tiny tiles (a wide image kept in proportion can give tiles one pixel
    // high): the tile is scaled once and repeated into a block of tiles,
    // drawn at its own size, so that a page takes at most
    // MaxTileBlocksAcross² calls. On pixels this is exactly what the single
    // tiles give.
    const int kx = int((across + MaxTileBlocksAcross - 1) / MaxTileBlocksAcross);
    const int ky = int((down + MaxTileBlocksAcross - 1) / MaxTileBlocksAcross);
    const QSize blockSize(kx * tw, ky * tht);
    if (textureBlock_.size() != blockSize || textureBlockKey_ != texture->image().cacheKey()) {
        const QImage tile = texture->scaled(QSize(tw, tht));
        textureBlock_ = QImage(blockSize, tile.format());
        QPainter painter(&textureBlock_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int y = 0; y < ky; ++y)
            for (int x = 0; x < kx; ++x)
                painter.drawImage(x * tw, y * tht, tile);
        textureBlockKey_ = texture->image().cacheKey();
    }
    for (qint64 y = 0; y < page_.height; y += blockSize.height())
        for (qint64 x = 0; x < page_.width; x += blockSize.width())
            canvas0->StretchImage(textureBlock_, QRect(QPoint(int(x), int(y)), blockSize));
}

void TMenuLayout::DrawCentred(const QString& text, int y) {
    const int w = canvas0->TextWidth(text);
    canvas0->TextOut(((page_.width - leftpx - rightpx - w) / 2) + leftpx, y, text);
}

void TMenuLayout::DrawLegend(Legend which) {
    const QList<TLegendEntry>& entries = doc_.legend(which);
    if (entries.isEmpty())
        return;
    const TCanvasFont saved = canvas0->Font();
    SelectFont(FontRole::Legend);
    canvas0->SetBrush(QColor());
    const int th = canvas0->TextHeight(QStringLiteral(" "));
    // The grid is the same on every page: worked out at the first page start.
    TLegendGrid& grid = legendGrids_[which == Legend::Additives ? 0 : 1];
    if (!grid.made)
        grid = PlanLegend(which);
    if (OnPage())
        for (const TLegendGrid::Cell& cell : grid.cells)
            canvas0->TextOut(cell.x, page_.height - bottompx - th - footerpx - cell.row * th,
                             cell.text);
    footerpx += grid.rows * th;
    if (footermm != grid.footermmBefore) {
        // Adds the rows one at a time, as the grid was built, so that the
        // room is the same to the last bit on every page.
        const double thmm = TextHeightMM(QStringLiteral(" "));
        grid.footermmBefore = footermm;
        for (int r = 0; r < grid.rows; ++r)
            footermm += thmm;
        grid.footermmAfter = footermm;
    }
    footermm = grid.footermmAfter;
    canvas0->SetFont(saved);
}

TMenuLayout::TLegendGrid TMenuLayout::PlanLegend(Legend which) {
    const QList<TLegendEntry>& entries = doc_.legend(which);
    const bool onlyContained = doc_.flag(FlagSetting::OnlyUsedMarkers);
    TLegendGrid grid;
    grid.made = true;
    // The marker of an entry comes from its position: 1, 2, 3 … or A, B, C …
    auto marker = [&](qsizetype i) {
        return which == Legend::Additives ? QString::number(i + 1) : QString(QChar(65 + int(i)));
    };
    QList<bool> shown(entries.size());
    int n = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        shown[i] = (usedmarkerset.contains(marker(i)) || !onlyContained) &&
                   !(which == Legend::Allergens && entries[i].text.isEmpty());
        n += shown[i];
    }
    // Rows of three columns, filled from the last entry upwards, so that the
    // entries read in list order and only the last row can be short.
    int v = n % 3 == 1 ? 2 : n % 3 == 2 ? 1 : 0;
    const int inner = page_.width - leftpx - rightpx;
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        if (!shown[i])
            continue;
        const int c = v % 3;
        const int x = c == 2 ? leftpx : c == 1 ? inner / 3 + leftpx : (inner * 2) / 3 + leftpx;
        grid.cells.append({x, grid.rows, marker(i) + QStringLiteral(") ") + entries[i].text});
        if (c == 2)
            ++grid.rows;
        ++v;
    }
    return grid;
}

void TMenuLayout::DrawFrame() {
    const int w = page_.width;
    const int h = page_.height;
    const int left = leftpx / 2;
    const int top = toppx / 2;
    const int right = w - (rightpx / 2);
    const int bottom = h - (bottompx / 2);
    canvas0->SetPen(Qt::black, TruncToInt(view_.zoom * page_.dpi / MMPerInch / 100));
    canvas0->MoveTo(leftpx, top);
    canvas0->LineTo(w - rightpx, top);
    canvas0->MoveTo(right, toppx);
    canvas0->LineTo(right, h - bottompx);
    canvas0->MoveTo(leftpx, bottom);
    canvas0->LineTo(w - rightpx, bottom);
    canvas0->MoveTo(left, toppx);
    canvas0->LineTo(left, h - bottompx);
    // Quarter ellipses around the corners of the frame, curving inwards.
    canvas0->Arc(0, 0, leftpx, toppx, left, toppx, leftpx, top);
    canvas0->Arc(w - rightpx, 0, w, toppx, w - rightpx, top, right, toppx);
    canvas0->Arc(0, h - bottompx, leftpx, h, leftpx, bottom, left, h - bottompx);
    canvas0->Arc(w - rightpx, h - bottompx, w, h, right, h - bottompx, w - rightpx, bottom);
}
