#include "app/Prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QProgressDialog>

#include "app/AboutBox.h"
#include "app/DPIEinstellenFUnit.h"
#include "app/FileDialogSetup.h"
#include "app/tabs/EditProduktFUnit.h"
#include "translation/TranslateUnit.h"

namespace {

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, QString& last,
                      const TFileDialogSetup& setup) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilters(setup.nameFilters());
    dialog.setDefaultSuffix(setup.defaultSuffix());
    if (!setup.confirmOverwrite())
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!last.isEmpty())
        dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    last = dialog.selectedFiles().constFirst();
    return last;
}

// A progress dialog, shown at once: while it lets the events through, the
// window behind it takes no input, so nothing changes the menu that the job
// is laying out.
class TDialogProgress : public TProgress {
public:
    TDialogProgress(QWidget* parent, const QString& text, int steps)
        : dialog_(text, TranslateText(QStringLiteral("Abbrechen")), 0, steps, parent) {
        dialog_.setObjectName(QStringLiteral("ProgressDialog"));
        dialog_.setWindowTitle(QStringLiteral("Menolux"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(0);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.show();
        dialog_.setValue(0);
    }
    bool Advance(int done) override {
        // A modal progress dialog lets the events through here, the click on
        // its button included.
        dialog_.setValue(done);
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

TPrompts::Answer TDialogPrompts::YesNoCancel(QWidget* parent, const QString& text,
                                             const QString& caption) {
    const auto button = QMessageBox::question(
        parent, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

bool TDialogPrompts::YesNo(QWidget* parent, const QString& text, const QString& caption) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void TDialogPrompts::Information(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::information(parent, caption, text);
}

void TDialogPrompts::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QString(), text);
}

QString TDialogPrompts::OpenMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, lastOpened_, dialog);
}

QString TDialogPrompts::SaveMenuFileName(QWidget* parent, const TFileDialogSetup& dialog) {
    return runFileDialog(parent, QFileDialog::AcceptSave, lastSaved_, dialog);
}

QString TDialogPrompts::OpenCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, lastCsvOpened_, dialog);
}

QString TDialogPrompts::SaveCsvFileName(QWidget* parent, const TFileDialogSetup& dialog) {
    return runFileDialog(parent, QFileDialog::AcceptSave, lastCsvSaved_, dialog);
}

void TDialogPrompts::ShowAbout(QWidget*) {
    aboutBox_->exec();
}

int TDialogPrompts::RunModal(QDialog& dialog) {
    return dialog.exec();
}

QList<QWidget*> TDialogPrompts::windows() const {
    return {productDialog_.get(), aboutBox_.get()};
}

bool TDialogPrompts::ChooseFont(QWidget* parent, const QString& dialogName, QFont& font) {
    QFontDialog dialog(font, parent);
    dialog.setObjectName(dialogName);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    return true;
}

QString TDialogPrompts::BrowseFileName(QWidget* parent, const TFileDialogSetup& setup,
                                       const QString& current) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(setup.nameFilters());
    if (!current.isEmpty()) {
        const QFileInfo info(current);
        if (info.exists())
            dialog.selectFile(info.absoluteFilePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

TDialogPrompts::TDialogPrompts()
    : productDialog_(std::make_unique<TEditProduktForm>()),
      aboutBox_(std::make_unique<TAboutBox>()) {}

TDialogPrompts::~TDialogPrompts() = default;

bool TDialogPrompts::EditProduct(QWidget*, TProductFields& fields, const QStringList& additives,
                                 const QStringList& allergens) {
    productDialog_->setFields(fields, additives, allergens);
    if (productDialog_->exec() != QDialog::Accepted)
        return false;
    fields = productDialog_->fields();
    return true;
}

bool TDialogPrompts::Print(QWidget* parent, QPrinter& printer, int pages) {
    QPrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintCollateCopies |
                                                       QAbstractPrintDialog::PrintShowPageSize;
    if (pages > 0) {
        options |= QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage;
        dialog.setMinMax(1, pages);
    }
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}

bool TDialogPrompts::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TDialogPrompts::ChoosePrintResolution(TDPIEinstellenForm& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<TProgress> TDialogPrompts::StartProgress(QWidget* parent, const QString& text,
                                                         int steps) {
    return std::make_unique<TDialogProgress>(parent, text, steps);
}

QString TDialogPrompts::SavePdfFileName(QWidget* parent, const TFileDialogSetup& dialog) {
    return runFileDialog(parent, QFileDialog::AcceptSave, lastPdfSaved_, dialog);
}
