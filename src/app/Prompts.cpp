#include "app/Prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>

#include "app/AboutBox.h"
#include "app/tabs/EditProduktFUnit.h"

namespace {

const QString kMenuFilter = QStringLiteral("Speisekarten (*.mnx)");
const QString kCsvFilter = QStringLiteral("CSV-Dateien (*.csv)");

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, QString& last,
                      const QString& filter = kMenuFilter,
                      const QString& suffix = QStringLiteral("mnx"), bool askOverwrite = true) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (!askOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!last.isEmpty())
        dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    last = dialog.selectedFiles().constFirst();
    return last;
}

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

void TDialogPrompts::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QString(), text);
}

QString TDialogPrompts::OpenMenuFileName(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, lastOpened_);
}

QString TDialogPrompts::SaveMenuFileName(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptSave, lastSaved_);
}

QString TDialogPrompts::OpenCsvFileName(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, lastCsvOpened_, kCsvFilter,
                         QStringLiteral("csv"));
}

QString TDialogPrompts::SaveCsvFileName(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptSave, lastCsvSaved_, kCsvFilter,
                         QStringLiteral("csv"), false);
}

void TDialogPrompts::ShowAbout(QWidget* parent) {
    TAboutBox box(parent);
    box.exec();
}

bool TDialogPrompts::ChooseFont(QWidget* parent, const QString& dialogName, QFont& font) {
    QFontDialog dialog(font, parent);
    dialog.setObjectName(dialogName);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    return true;
}

QString TDialogPrompts::BrowseFileName(QWidget* parent, const QStringList& nameFilters,
                                       const QString& current) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (!current.isEmpty()) {
        const QFileInfo info(current);
        if (info.exists())
            dialog.selectFile(info.absoluteFilePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

TDialogPrompts::TDialogPrompts() = default;
TDialogPrompts::~TDialogPrompts() = default;

bool TDialogPrompts::EditProduct(QWidget*, TProductFields& fields, const QStringList& additives,
                                 const QStringList& allergens) {
    if (!productDialog_)
        productDialog_ = std::make_unique<TEditProduktForm>();
    productDialog_->setFields(fields, additives, allergens);
    if (productDialog_->exec() != QDialog::Accepted)
        return false;
    fields = productDialog_->fields();
    return true;
}
