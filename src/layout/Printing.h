#pragma once

#include <functional>
#include <memory>

#include <QList>
#include <QString>

#include "layout/MenuLayout.h"
#include "layout/PageSetup.h"

class QPrinter;

// Printing the menu on the platform's print system through Qt's printing.

// The printable page of `printer` at its resolution; the page the preview
// shows for that printer.
TPageSetup PrinterPaper(const QPrinter& printer);

// The printer a window starts with: the default printer (else the first one)
// at its high resolution. With no printer installed, one that writes PDF on
// A4 without margins, which is the page the preview shows then.
std::unique_ptr<QPrinter> MakeMenuPrinter();

// The sheets of a job in printing order: `pages` (ascending), backwards when
// `reverse`, `copies` times, each copy whole when `collate`, else every page
// `copies` times in a row.
QList<int> SheetSequence(const QList<int>& pages, int copies, bool collate, bool reverse);

// One print job of the menu.
struct TPrintJob {
    TPageSetup paper; // the page the menu is laid out for: the preview's
    TLayoutView view; // what is laid out; the zoom is not used
    // Pixels per inch the pages are drawn at; 0: the printer's own.
    int resolution = 0;
    // Print the page `currentPage` alone, with one call of the layout.
    bool currentPageOnly = false;
    // The page the preview shows; printed alone also when the printer's
    // range is its current page.
    int currentPage = 1;
    QString title; // the job's name in the printer's queue
};

struct TPrintResult {
    enum class Status { Printed, Cancelled, Failed };
    Status status = Status::Printed;
    int sheets = 0; // sheets drawn
    // Cancelled: sheets that the print system received anyway because it
    // could not withdraw the job (0 for a file).
    int sheetsSent = 0;
    QString error; // Failed: what went wrong, for the user
};

// Prints the menu on `printer` as the job and the printer's settings say:
// its range (all pages, a page range or the current page), its page order,
// and copies when the printer cannot make them itself. Pages come out at
// their physical size at the printing resolution, drawn by the same layout
// call as the preview with `printit` set; every page of the menu comes from
// one pass of the layout. `progress` is told as each sheet starts (sheet
// from 1, and how many there are) and cancels the job by returning false.
//
// A job that prints to a file writes a temporary file and puts it in the
// file's place only when it is complete: a cancelled or failed job leaves
// the file as it was.
TPrintResult PrintMenu(MenuDocument& doc, const TPrintJob& job, QPrinter& printer,
                       const std::function<bool(int sheet, int sheets)>& progress = nullptr);
