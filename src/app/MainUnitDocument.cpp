// The document commands of the main window and its change tracking.
#include <QDir>
#include <QFileInfo>

#include "app/FileDialogSetup.h"
#include "app/MainUnit.h"
#include "app/tabs/BackgroundTab.h"
#include "app/tabs/DatabaseTab.h"
#include "app/tabs/PreviewTab.h"
#include "app/tabs/ProductsTab.h"
#include "files/MenuFile.h"
#include "translation/TranslateUnit.h"

void TMainForm::updateTitle() {
    const QString name = fileName_.isEmpty() ? GetMessageText(8) : QFileInfo(fileName_).fileName();
    setWindowTitle(mainCaption_ + QStringLiteral(" - [") + name +
                   (changed_ ? QStringLiteral("*]") : QStringLiteral("]")));
}

void TMainForm::SetChanged() {
    if (!trackingChanges_)
        return;
    changed_ = true;
    updateTitle();
}

void TMainForm::SetUnChanged() {
    changed_ = false;
    updateTitle();
}

bool TMainForm::askToSaveChanges() {
    if (!changed_)
        return true;
    switch (prompts_->YesNoCancel(this, GetMessageText(5), GetMessageText(6))) {
    case TPrompts::Answer::Yes:
        return SaveFile();
    case TPrompts::Answer::No:
        return true;
    case TPrompts::Answer::Cancel:
        break;
    }
    return false;
}

void TMainForm::NewAll() {
    undoStack_.clear();
    doc.clearMenu();
    productsTab_->ListProds();
    previewTab_->repaintPreview();
    backgroundTab_->repaintTextureView();
    fileName_.clear();
    SetUnChanged();
}

void TMainForm::newDocument() {
    if (askToSaveChanges())
        NewAll();
}

bool TMainForm::OpenFile() {
    const QString path =
        prompts_->OpenMenuFileName(this, *fileDialog(QStringLiteral("OpenDialog1")));
    if (path.isEmpty())
        return false;
    return OpenFileWithName(path);
}

void TMainForm::openDocument() {
    if (askToSaveChanges())
        OpenFile();
}

bool TMainForm::SaveFile() {
    bool result = false;
    if (!fileName_.isEmpty()) {
        result = SaveTheFile();
    } else {
        const QString path =
            prompts_->SaveMenuFileName(this, *fileDialog(QStringLiteral("SaveDialog1")));
        if (!path.isEmpty()) {
            fileName_ = path;
            result = SaveTheFile();
        }
    }
    if (result)
        SetUnChanged();
    return result;
}

void TMainForm::saveDocument() {
    SaveFile();
}

void TMainForm::saveDocumentAs() {
    const QString path =
        prompts_->SaveMenuFileName(this, *fileDialog(QStringLiteral("SaveDialog1")));
    if (path.isEmpty())
        return;
    fileName_ = path;
    if (SaveTheFile())
        SetUnChanged();
}

void TMainForm::quit() {
    close();
}

void TMainForm::showAbout() {
    prompts_->ShowAbout(this);
}

bool TMainForm::OpenFileWithName(const QString& path) {
    if (!QFileInfo::exists(path)) {
        // Nothing to read: the document stays, and the next Save creates the
        // file that was asked for. The title names it, so that what the user
        // sees and what Save writes agree.
        fileName_ = path;
        updateTitle();
        return false;
    }
    QString error;
    if (!OpenMenuFile(path, doc, &error)) {
        // The open document, its name and its change mark stay as they were.
        prompts_->Error(this, TranslateText(QStringLiteral("Die Speisekarte kann nicht geöffnet "
                                                           "werden:")) +
                                  QLatin1Char('\n') + QDir::toNativeSeparators(path) +
                                  QStringLiteral("\n\n") + error);
        return false;
    }
    undoStack_.clear();
    fileName_ = path;
    // The first category is selected; like any selection this marks the
    // document changed, until the open ends unchanged below.
    productsTab_->selectFirstCategory();
    productsTab_->ListProds();
    databaseTab_->ListDatabase();
    previewTab_->repaintPreview();
    backgroundTab_->repaintTextureView();
    SetUnChanged();
    return true;
}

bool TMainForm::SaveTheFile() {
    QString error;
    if (!SaveMenuFile(doc, fileName_, &error)) {
        // The title names the file that the next Save writes, also when this
        // save failed; the document stays marked changed.
        updateTitle();
        prompts_->Error(this, TranslateText(QStringLiteral(
                                  "Die Speisekarte konnte nicht gespeichert werden.")) +
                                  QStringLiteral("\n\n") + error);
        return false;
    }
    SetUnChanged();
    return true;
}
