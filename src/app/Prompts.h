#pragma once

#include <memory>

#include <QList>
#include <QString>
#include <QStringList>

#include "editing/ProductFields.h"

class QDialog;
class QFont;
class QPrinter;
class QWidget;
class TAboutBox;
class TDPIEinstellenForm;
class TEditProduktForm;
class TFileDialogSetup;

// A progress dialog of a long job, open while the object lives.
class TProgress {
public:
    virtual ~TProgress() = default;
    // Shows that `done` of the job's steps are done; false once the user
    // has cancelled the job.
    virtual bool Advance(int done) = 0;
};

// The modal questions and file dialogs of the main window. The window asks
// through this interface so that tests can answer in place of a user.
class TPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~TPrompts() = default;

    // A question with the question icon and the buttons Yes, No and Cancel;
    // closing the box counts as Cancel.
    virtual Answer YesNoCancel(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A question with the question icon and the buttons Yes and No; true for
    // Yes. Closing the box counts as No.
    virtual bool YesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // An information message box with an OK button.
    virtual void Information(QWidget* parent, const QString& text, const QString& caption) = 0;
    // An error message box.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // Open and save dialogs for menu files, as the window's dialog `dialog`
    // (OpenDialog1, SaveDialog1) sets them up. Empty when cancelled.
    virtual QString OpenMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) = 0;
    virtual QString SaveMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) = 0;
    // Open and save dialogs for CSV files (OpenDialog3, SaveDialog3). Empty
    // when cancelled.
    virtual QString OpenCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) = 0;
    virtual QString SaveCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) = 0;
    // Shows the About box modally.
    virtual void ShowAbout(QWidget* parent) = 0;
    // Shows one of the program's own windows modally; its result.
    virtual int RunModal(QDialog& dialog) = 0;
    // The windows the prompts make at start and keep (the product dialog
    // and the About box), in the order they are made.
    virtual QList<QWidget*> windows() const { return {}; }
    // The font dialog `dialogName` ("FontDialog1" … "FontDialog9") showing
    // `font`. True with the chosen font in `font`; false, and `font`
    // untouched, when cancelled.
    virtual bool ChooseFont(QWidget* parent, const QString& dialogName, QFont& font) = 0;
    // The browse dialog of a file-name field: an existing file matching the
    // filter of `dialog`, starting at `current`. Empty when cancelled.
    virtual QString BrowseFileName(QWidget* parent, const TFileDialogSetup& dialog,
                                   const QString& current) = 0;
    // The product dialog, opened on `fields` with one check box per additive
    // and per allergen text. True with the edited fields in `fields`; false,
    // and `fields` untouched, when cancelled.
    virtual bool EditProduct(QWidget* parent, TProductFields& fields, const QStringList& additives,
                             const QStringList& allergens) = 0;

    // --- printing and PDF ---
    // The print dialog on `printer`: the printer, copies and printing to a
    // file; with `pages` above 0 also a range of pages 1 … `pages` and the
    // current page. True when the user chose to print; `printer` then holds
    // the choices.
    virtual bool Print(QWidget* parent, QPrinter& printer, int pages) = 0;
    // The printer set-up dialog on `printer` (paper, orientation, margins);
    // true when accepted.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // The print-resolution dialog, modal; true when closed with OK.
    virtual bool ChoosePrintResolution(TDPIEinstellenForm& dialog) = 0;
    // A progress dialog with `text` over `steps` steps and a button that
    // cancels the job.
    virtual std::unique_ptr<TProgress> StartProgress(QWidget* parent, const QString& text,
                                                     int steps) = 0;
    // The save dialog for PDF files (SaveDialog4), which asks before
    // overwriting a file. Empty when cancelled.
    virtual QString SavePdfFileName(QWidget* parent, const TFileDialogSetup& dialog) = 0;
};

// The real dialogs. Each file dialog starts where the user last chose a file
// in it; the program does not preset it.
class TDialogPrompts : public TPrompts {
public:
    Answer YesNoCancel(QWidget* parent, const QString& text, const QString& caption) override;
    bool YesNo(QWidget* parent, const QString& text, const QString& caption) override;
    void Information(QWidget* parent, const QString& text, const QString& caption) override;
    void Error(QWidget* parent, const QString& text) override;
    QString OpenMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) override;
    QString SaveMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) override;
    QString OpenCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) override;
    QString SaveCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) override;
    void ShowAbout(QWidget* parent) override;
    int RunModal(QDialog& dialog) override;
    QList<QWidget*> windows() const override;
    bool ChooseFont(QWidget* parent, const QString& dialogName, QFont& font) override;
    QString BrowseFileName(QWidget* parent, const TFileDialogSetup& dialog,
                           const QString& current) override;
    bool EditProduct(QWidget* parent, TProductFields& fields, const QStringList& additives,
                     const QStringList& allergens) override;
    bool Print(QWidget* parent, QPrinter& printer, int pages) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    bool ChoosePrintResolution(TDPIEinstellenForm& dialog) override;
    std::unique_ptr<TProgress> StartProgress(QWidget* parent, const QString& text,
                                             int steps) override;
    QString SavePdfFileName(QWidget* parent, const TFileDialogSetup& dialog) override;

    TDialogPrompts();
    ~TDialogPrompts() override;

private:
    // The product dialog and the About box are made at start and kept, as
    // are their size and place.
    std::unique_ptr<TEditProduktForm> productDialog_;
    std::unique_ptr<TAboutBox> aboutBox_;
    QString lastOpened_;    // OpenDialog1
    QString lastSaved_;     // SaveDialog1
    QString lastCsvOpened_; // OpenDialog3
    QString lastCsvSaved_;  // SaveDialog3
    QString lastPdfSaved_;  // SaveDialog4
};
