// The main window's printing and PDF commands.
#include <QAction>
#include <QPrinter>
#include <QStatusBar>

#include "app/DPIEinstellenFUnit.h"
#include "app/FileDialogSetup.h"
#include "app/MainUnit.h"
#include "app/tabs/PreviewTab.h"
#include "files/OutputFile.h"
#include "layout/Export.h"
#include "layout/Printing.h"
#include "translation/TranslateUnit.h"

namespace {

// A job of up to this many sheets or pages is done before a progress dialog
// would mean anything.
constexpr int FewPages = 3;

} // namespace

QPrinter& TMainForm::printer() {
    if (!printer_)
        printer_ = MakeMenuPrinter();
    return *printer_;
}

TLayoutView TMainForm::outputView() const {
    TLayoutView v;
    v.onlySelected = view_.onlySelectedCategory();
    v.selectedKat = view_.selectedCategory();
    v.zoom = 100;
    v.texture = &texture();
    return v;
}

void TMainForm::followPrinter(const QString& printerBefore, const TPageSetup& paperBefore) {
    QPrinter& p = printer();
    const TPageSetup now = PrinterPaper(p);
    if (p.printerName() != printerBefore || now.pdpi != paperBefore.pdpi ||
        now.pw != paperBefore.pw || now.ph != paperBefore.ph)
        previewTab_->setPaper(now);
}

std::function<bool(int, int)> TMainForm::progressFor(const QString& text,
                                                     std::unique_ptr<TProgress>& progress) {
    return [this, text, &progress](int step, int steps) {
        if (steps <= FewPages)
            return true;
        if (!progress)
            progress = prompts_->StartProgress(this, text, steps);
        return progress->Advance(step - 1);
    };
}

void TMainForm::printAllPages() {
    printMenu(false);
}

void TMainForm::printCurrentPage() {
    printMenu(true);
}

void TMainForm::printMenu(bool currentPageOnly) {
    QPrinter& p = printer();
    const QString printerBefore = p.printerName();
    const TPageSetup paperBefore = PrinterPaper(p);
    int pages = 0;
    if (!currentPageOnly) {
        // Every printing of all pages starts from all of them.
        pages = CountPages(doc, outputView(), paper().Request(96, 100, 1, true));
        p.setPrintRange(QPrinter::AllPages);
    }
    if (!prompts_->Print(this, p, pages))
        return;
    followPrinter(printerBefore, paperBefore);

    TPrintJob job;
    job.paper = paper();
    job.view = outputView();
    job.currentPageOnly = currentPageOnly;
    job.currentPage = view_.page();
    job.title = GetMessageText(12);
    if (printResolutionItem_->isChecked()) {
        if (!prompts_->ChoosePrintResolution(*printResolutionDialog_))
            return;
        job.resolution = printResolutionDialog_->resolution();
    }

    std::unique_ptr<TProgress> progress;
    const TPrintResult result = PrintMenu(
        doc, job, p,
        progressFor(TranslateText(QStringLiteral("Die Speisekarte wird gedruckt …")), progress));
    progress.reset();
    switch (result.status) {
    case TPrintResult::Status::Printed:
        statusBar()->showMessage(
            result.sheets == 1
                ? TranslateText(QStringLiteral("Eine Seite gedruckt"))
                : TranslateText(QStringLiteral("%1 Seiten gedruckt")).arg(result.sheets));
        break;
    case TPrintResult::Status::Cancelled:
        statusBar()->showMessage(
            result.sheetsSent > 0
                ? TranslateText(QStringLiteral("Drucken abgebrochen; %1 Seiten waren schon beim "
                                               "Drucker"))
                      .arg(result.sheetsSent)
                : TranslateText(QStringLiteral("Drucken abgebrochen")));
        break;
    case TPrintResult::Status::Failed:
        prompts_->Error(this, result.error);
        break;
    }
    // A printer whose job could not start may stay busy: the next job gets
    // a fresh one.
    if (p.printerState() == QPrinter::Active)
        printer_.reset();
}

void TMainForm::setUpPrinter() {
    QPrinter& p = printer();
    const QString printerBefore = p.printerName();
    const TPageSetup paperBefore = PrinterPaper(p);
    if (prompts_->SetUpPrinter(this, p))
        followPrinter(printerBefore, paperBefore);
}

void TMainForm::choosePrintResolutionOption() {}

void TMainForm::exportPdf() {
    const QString name =
        prompts_->SavePdfFileName(this, *fileDialog(QStringLiteral("SaveDialog4")));
    if (name.isEmpty())
        return;
    TExportRequest req;
    req.paper = paper();
    req.view = outputView();
    req.title = doc.text(TextSetting::Heading);
    const int pages = CountPages(doc, req.view, req.paper.Request(96, 100, 1, true));
    if (pages > req.maxPages) {
        prompts_->Error(this, TranslateText(QStringLiteral("Die Speisekarte hat %1 Seiten; eine "
                                                           "PDF-Datei nimmt höchstens %2 auf."))
                                  .arg(pages)
                                  .arg(req.maxPages));
        return;
    }
    std::unique_ptr<TProgress> progress;
    const auto step =
        progressFor(TranslateText(QStringLiteral("Die PDF-Datei wird erstellt …")), progress);
    req.progress = [&](int page) { return step(page, pages); };
    QByteArray pdf;
    QString error;
    const bool made = RenderPdf(doc, req, &pdf, &error);
    progress.reset();
    if (!made) {
        if (error.isEmpty())
            statusBar()->showMessage(TranslateText(QStringLiteral("PDF-Export abgebrochen")));
        else
            prompts_->Error(this, TranslateText(QStringLiteral("Die PDF-Datei konnte nicht "
                                                               "erstellt werden.")));
        return;
    }
    if (!WriteWholeFile(name, pdf)) {
        prompts_->Error(this, GetMessageText(19) + u' ' + name);
        return;
    }
    statusBar()->showMessage(
        (pages == 1 ? TranslateText(QStringLiteral("PDF mit einer Seite geschrieben: "))
                    : TranslateText(QStringLiteral("PDF mit %1 Seiten geschrieben: ")).arg(pages)) +
        name);
}
