#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QFont>
#include <QPrinter>
#include <QSpinBox>
#include <QStringList>

#include "app/DPIEinstellenFUnit.h"
#include "app/FileDialogSetup.h"
#include "app/Prompts.h"

// Answers the window's questions and dialogs as a test tells it to, and
// counts them.
class FakePrompts : public TPrompts {
public:
    Answer answer = Answer::Cancel;
    QString saveName;    // empty: the save dialog is cancelled
    QString openName;    // empty: the open dialog is cancelled
    QString browseName;  // empty: the browse dialog is cancelled
    QString csvOpenName; // empty: the CSV open dialog is cancelled
    QString csvSaveName; // empty: the CSV save dialog is cancelled
    int csvDialogs = 0;
    std::optional<QFont> font;         // none: the font dialog is cancelled
    bool confirmFontAsOffered = false; // the font dialog is confirmed untouched
    QList<QFont> offeredFonts;         // the fonts the font dialogs opened on
    int questions = 0;
    int saveDialogs = 0;
    int openDialogs = 0;
    int abouts = 0;
    QStringList fontDialogs; // names of the font dialogs shown
    QStringList browseFilters;
    QStringList errors;
    QString lastText, lastCaption;
    // Answers the product dialog; none: the dialog is cancelled.
    std::function<bool(TProductFields&)> productDialog;
    QStringList offeredAdditives, offeredAllergens; // the check lists last offered
    QList<TProductFields> offeredProducts;          // the fields the dialog opened on

    // Answers the Yes/No questions in turn; when they run out, No.
    QList<bool> yesNoAnswers;
    // Called for each Yes/No question before it is answered.
    std::function<void(const QString& text, const QString& caption)> onYesNo;
    int yesNoQuestions = 0;
    struct Note {
        QString text, caption;
    };
    QList<Note> notes; // the information boxes shown
    // Runs a modal window of the program in place of the user; none: it is
    // closed at once with its OK result.
    std::function<int(QDialog&)> modal;
    QStringList modalWindows; // the objectNames of the modal windows shown
    QStringList dialogNames;  // the file dialogs shown, by their names

    Answer YesNoCancel(QWidget*, const QString& text, const QString& caption) override {
        ++questions;
        lastText = text;
        lastCaption = caption;
        return answer;
    }
    bool YesNo(QWidget*, const QString& text, const QString& caption) override {
        ++yesNoQuestions;
        if (onYesNo)
            onYesNo(text, caption);
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    void Information(QWidget*, const QString& text, const QString& caption) override {
        notes.append({text, caption});
    }
    void Error(QWidget*, const QString& text) override { errors << text; }
    QString OpenMenuFileName(QWidget*, const TFileDialogSetup& dialog) override {
        dialogNames << dialog.objectName();
        ++openDialogs;
        return openName;
    }
    QString SaveMenuFileName(QWidget*, const TFileDialogSetup& dialog) override {
        dialogNames << dialog.objectName();
        ++saveDialogs;
        return saveName;
    }
    QString OpenCsvFileName(QWidget*, const TFileDialogSetup& dialog) override {
        dialogNames << dialog.objectName();
        ++csvDialogs;
        return csvOpenName;
    }
    QString SaveCsvFileName(QWidget*, const TFileDialogSetup& dialog) override {
        dialogNames << dialog.objectName();
        ++csvDialogs;
        return csvSaveName;
    }
    void ShowAbout(QWidget*) override { ++abouts; }
    int RunModal(QDialog& dialog) override {
        modalWindows << dialog.objectName();
        return modal ? modal(dialog) : int(QDialog::Accepted);
    }
    bool ChooseFont(QWidget*, const QString& dialogName, QFont& chosen) override {
        fontDialogs << dialogName;
        offeredFonts << chosen;
        if (confirmFontAsOffered)
            return true;
        if (!font)
            return false;
        chosen = *font;
        return true;
    }
    QString BrowseFileName(QWidget*, const TFileDialogSetup& dialog, const QString&) override {
        dialogNames << dialog.objectName();
        browseFilters = dialog.nameFilters();
        return browseName;
    }
    bool EditProduct(QWidget*, TProductFields& fields, const QStringList& additives,
                     const QStringList& allergens) override {
        offeredProducts << fields;
        offeredAdditives = additives;
        offeredAllergens = allergens;
        return productDialog && productDialog(fields);
    }

    // --- printing and PDF ---
    // Answers the print dialog by setting up the printer; none: cancelled.
    std::function<bool(QPrinter&)> printDialog;
    QList<int> printDialogPages; // the page count each print dialog offered
    // Answers the printer set-up dialog; none: cancelled.
    std::function<bool(QPrinter&)> printerSetupDialog;
    int printerSetupDialogs = 0;
    // The resolution entered in the print-resolution dialog, closed with OK;
    // none: closed without OK.
    std::optional<int> printResolution;
    QList<int> offeredResolutions; // DPIEd as each dialog opened
    QString pdfSaveName;           // empty: the PDF save dialog is cancelled
    int pdfDialogs = 0;
    struct Progress {
        QString text;
        int steps = 0;
        QList<int> advanced; // every `done` shown
        bool open = true;
    };
    QList<Progress> progresses;
    int cancelAt = -1; // the user cancels when this many steps are done

    bool Print(QWidget*, QPrinter& printer, int pages) override {
        printDialogPages << pages;
        return printDialog && printDialog(printer);
    }
    bool SetUpPrinter(QWidget*, QPrinter& printer) override {
        ++printerSetupDialogs;
        return printerSetupDialog && printerSetupDialog(printer);
    }
    bool ChoosePrintResolution(TDPIEinstellenForm& dialog) override {
        offeredResolutions << dialog.resolution();
        if (!printResolution)
            return false;
        dialog.resolutionField()->setValue(*printResolution);
        return true;
    }
    class FakeProgress : public TProgress {
    public:
        FakeProgress(FakePrompts& owner, qsizetype index) : owner_(owner), index_(index) {}
        ~FakeProgress() override { owner_.progresses[index_].open = false; }
        bool Advance(int done) override {
            owner_.progresses[index_].advanced << done;
            return done != owner_.cancelAt;
        }

    private:
        FakePrompts& owner_;
        qsizetype index_;
    };
    std::unique_ptr<TProgress> StartProgress(QWidget*, const QString& text, int steps) override {
        progresses.append({text, steps, {}, true});
        return std::make_unique<FakeProgress>(*this, progresses.size() - 1);
    }
    QString SavePdfFileName(QWidget*, const TFileDialogSetup& dialog) override {
        dialogNames << dialog.objectName();
        ++pdfDialogs;
        return pdfSaveName;
    }
};
