#pragma once

#include <memory>

#include <QMainWindow>
#include <QString>

#include "app/Prompts.h"
#include "foundation/MenuDocument.h"

class QAction;
class QMenu;
class QTabWidget;
class QTimer;
class QToolButton;

// The main window: one menu document, its seven tabs, the menu bar and the
// toolbar. The document lives in `doc`; the window shows it and runs the
// document commands (New, Open, Save, Save As, Exit) with the question about
// unsaved changes.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions and file dialogs; null means the
    // real dialogs. `startFile` is opened when the window is first shown.
    explicit TMainForm(std::unique_ptr<TPrompts> prompts = nullptr,
                       const QString& startFile = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    MenuDocument doc;

    bool IsChanged() const { return changed; }
    const QString& FileName() const { return afilename; }
    const QString& ProgPath() const { return progpath; }
    const QString& MainCaption() const { return maincap; }

    void SetChanged();
    void SetUnChanged();
    // Empties the document: categories, additives and allergens. Settings,
    // fonts, the texture and the product database stay.
    void NewAll();
    // Lets the user pick a menu file and loads it; false when cancelled.
    bool OpenFile();
    // Saves under the current name, asking for one first when untitled; true
    // when the file was written.
    bool SaveFile();

    // Reads and writes the menu file (afilename for saving).
    bool OpenFileWithName(const QString& sfn);
    bool SaveTheFile();

    // The window's commands, reachable from tests as from the menus.
    QAction* Action(const QString& objectName) const;

public slots:
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Beenden1Click();
    void ber1Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    void BuildMenus();
    void BuildToolbar();
    void BuildTabs();

    // The question about unsaved changes; true when the command may go on.
    bool QuerySaveChanges();
    void UpdateTitle();

    // Reactions to document changes; they repaint and prepare what depends on
    // the changed values.
    void CaptionEdChange();
    void HellEdChange();
    void FilenameEdit2Change();
    void ListProds();
    void ListDatabase();
    void RepaintPreview();
    void RepaintTexture();

    std::unique_ptr<TPrompts> prompts_;
    QString startFile_;

    QTabWidget* PageControl1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Document state of the window.
    bool dontchlang = false;
    bool ziehen = false;
    bool infirst = false;
    bool changed = false;
    QString progpath;
    QString maincap;
    QString afilename;
    int32_t language = 0;
    int32_t languagesetto = 0;
    int32_t ziehx = 0;
    int32_t ziehy = 0;
};
