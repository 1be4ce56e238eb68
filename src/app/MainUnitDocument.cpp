// The document commands of the main window and its change tracking.
#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>

#include "app/MainUnit.h"
#include "files/MenuFile.h"
#include "translation/Messages.h"

void TMainForm::UpdateTitle() {
    const QString name = afilename.isEmpty() ? GetMessageText(8) : QFileInfo(afilename).fileName();
    setWindowTitle(maincap + QStringLiteral(" - [") + name +
                   (changed ? QStringLiteral("*]") : QStringLiteral("]")));
}

void TMainForm::SetChanged() {
    changed = true;
    UpdateTitle();
}

void TMainForm::SetUnChanged() {
    changed = false;
    UpdateTitle();
}

bool TMainForm::QuerySaveChanges() {
    if (!changed)
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
    doc.clearMenu();
    ListProds();
    RepaintPreview();
    RepaintTexture();
    afilename.clear();
    SetUnChanged();
}

void TMainForm::Neu1Click() {
    Called(__func__);
    if (QuerySaveChanges())
        NewAll();
}

bool TMainForm::OpenFile() {
    const QString path = prompts_->OpenMenuFileName(this);
    if (path.isEmpty())
        return false;
    return OpenFileWithName(path);
}

void TMainForm::ffnen1Click() {
    Called(__func__);
    if (QuerySaveChanges())
        OpenFile();
}

bool TMainForm::SaveFile() {
    bool result = false;
    if (!afilename.isEmpty()) {
        result = SaveTheFile();
    } else {
        const QString path = prompts_->SaveMenuFileName(this);
        if (!path.isEmpty()) {
            afilename = path;
            result = SaveTheFile();
        }
    }
    if (result)
        SetUnChanged();
    return result;
}

void TMainForm::Speichern1Click() {
    Called(__func__);
    SaveFile();
}

void TMainForm::Speichernunter1Click() {
    Called(__func__);
    const QString path = prompts_->SaveMenuFileName(this);
    if (path.isEmpty())
        return;
    afilename = path;
    if (SaveTheFile())
        SetUnChanged();
}

void TMainForm::Beenden1Click() {
    Called(__func__);
    close();
}

void TMainForm::ber1Click() {
    Called(__func__);
    prompts_->ShowAbout(this);
}

bool TMainForm::OpenFileWithName(const QString& sfn) {
    if (!QFileInfo::exists(sfn)) {
        // Nothing to read: the document stays, and the next Save creates the
        // file that was asked for. The title names it, so that what the user
        // sees and what Save writes agree.
        afilename = sfn;
        UpdateTitle();
        return false;
    }
    QString error;
    if (!OpenMenuFile(sfn, doc, &error)) {
        // The open document, its name and its change mark stay as they were.
        prompts_->Error(this, QDir::toNativeSeparators(sfn) + QStringLiteral("\n\n") + error);
        return false;
    }
    afilename = sfn;
    // The first category is selected; like any selection this marks the
    // document changed, until the open ends unchanged below.
    if (QTreeWidgetItem* first = ListView2->topLevelItem(0))
        ListView2->setCurrentItem(first);
    ListProds();
    ListDatabase();
    RepaintPreview();
    RepaintTexture();
    SetUnChanged();
    return true;
}

bool TMainForm::SaveTheFile() {
    QString error;
    if (!SaveMenuFile(doc, afilename, &error)) {
        // The title names the file that the next Save writes, also when this
        // save failed; the document stays marked changed.
        UpdateTitle();
        prompts_->Error(this, error);
        return false;
    }
    SetUnChanged();
    return true;
}
