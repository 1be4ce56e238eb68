#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "foundation/MenuDocument.h"
#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"

// Pages of a menu rendered without a window: PDF, PNG and the layout as JSON.
// Every function renders into memory; the command line writes the file
// (WriteOutput) only when everything succeeded.

struct TExportRequest {
    TPageSetup paper = A4PageSetup();
    int page = 0;      // 1, 2, …; 0 for every page (PDF only)
    double zoom = 100; // percent (PNG, JSON)
    int dpi = 96;      // pixels per inch (PNG, JSON)
    TLayoutView view;  // zoom is taken from `zoom` above
    // A PDF of every page holds at most this many; a longer menu is refused
    // rather than cut.
    int maxPages = 10000;
    // The PDF's title; none when empty.
    QString title;
    // Called as each page of a PDF of every page starts, page 1 included,
    // with its number; false stops the export, which then fails with an
    // empty error.
    std::function<bool(int)> progress;
};

// Every page (or the requested one) at physical size, one PDF page per menu
// page, at the paper's resolution. Every page comes from one pass of the
// layout.
bool RenderPdf(MenuDocument& doc, const TExportRequest& req, QByteArray* pdf, QString* error);
// One page as the preview draws it: a white page with its outline.
bool RenderPng(MenuDocument& doc, const TExportRequest& req, QByteArray* png, QString* error);
// Every drawing call of one page in drawing order:
// {"page":N,"pages_follow":bool,"dpi":D,"width":W,"height":H,"items":[...]}.
bool RenderLayoutJson(MenuDocument& doc, const TExportRequest& req, QByteArray* json,
                      QString* error);
