#pragma once

#include <functional>
#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QUndoStack>

#include "app/DataFiles.h"
#include "app/Prompts.h"
#include "app/ViewState.h"
#include "editing/MenuEditor.h"
#include "foundation/MenuDocument.h"

class QAction;
class QActionGroup;
class QPrinter;
class QScrollArea;
class QTabWidget;
class QWindow;
class TBackgroundTab;
class TDPIEinstellenForm;
class TDatabaseTab;
class TLayoutTab;
class TLegendTab;
class TPageSetup;
class TPreviewTab;
class TFileDialogSetup;
class TProductsTab;
class TTexture;
class TTranslateForm;
struct TLayoutView;

// What the window starts with.
struct TStartup {
    // The menu file opened when the window is first shown; none when empty.
    QString startFile;
    // Where options.dat and translate.dat live; empty: as LocateDataFiles()
    // decides for the program (beside it in its build folder, in the user's
    // data folder when it is installed or its folder cannot be written).
    QString dataFolder;
};

// The main window: a frame around one menu document. It owns the menu bar,
// the toolbar, the tabs, the title with its change mark, start-up and
// closing, and the document commands with their unsaved-changes question.
// Each tab is a class of its own that binds its controls to the document;
// the view state that several tabs share (selected category, zoom, page,
// "only the selected category") is one object the frame hands to them.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions and dialogs; null means the
    // real dialogs.
    explicit TMainForm(std::unique_ptr<TPrompts> prompts = nullptr,
                       const TStartup& startup = TStartup(), QWidget* parent = nullptr);
    ~TMainForm() override;

    MenuDocument doc;

    // Every edit made in the window goes through the editor onto the undo
    // stack; New and Open start the stack afresh.
    TMenuEditor& editor() { return editor_; }
    QUndoStack& undoStack() { return undoStack_; }

    bool isChanged() const { return changed_; }
    const QString& fileName() const { return fileName_; }
    const QString& programDir() const { return programDir_; }
    const QString& mainCaption() const { return mainCaption_; }
    const TDataFiles& dataFiles() const { return dataFiles_; }
    TViewState& viewState() { return view_; }
    // The language column in use, and the one the previous run closed with.
    int32_t language() const;
    int32_t previousLanguage() const { return previousLanguage_; }

    // The prepared background texture.
    const TTexture& texture() const;
    // The paper the preview lays the menu out for.
    const TPageSetup& paper() const;
    // The screen resolution the preview draws at.
    int screenDpi() const;
    // The setup of a file dialog by its name (OpenDialog1, SaveDialog1,
    // OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3, and FilenameEdit2
    // for the browse dialog of the texture file field); null for another name.
    const TFileDialogSetup* fileDialog(const QString& name) const;
    // A command of the menu bar by its name.
    QAction* action(const QString& objectName) const;

    // The printer that printing uses and whose paper the preview shows.
    QPrinter& printer();
    // The print-resolution dialog, made once at start-up.
    TDPIEinstellenForm& printResolutionDialog() const { return *printResolutionDialog_; }

    TProductsTab* productsTab() const { return productsTab_; }
    TPreviewTab* previewTab() const { return previewTab_; }
    TLayoutTab* layoutTab() const { return layoutTab_; }
    TBackgroundTab* backgroundTab() const { return backgroundTab_; }
    TLegendTab* additivesTab() const { return additivesTab_; }
    TLegendTab* allergensTab() const { return allergensTab_; }
    TDatabaseTab* databaseTab() const { return databaseTab_; }
    TTranslateForm* translateForm() const { return translateForm_.get(); }
    // The windows the program makes at start, in the order it makes them:
    // this one, the product dialog, the About box, the translator editor and
    // the print-resolution dialog.
    QList<QWidget*> startWindows();

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
    // Reads the menu file `path`; writes the document to the current name.
    bool OpenFileWithName(const QString& path);
    bool SaveTheFile();
    // Reads the language of the previous run from options.dat and checks its
    // item in the language menu; writes the language in use back.
    void LoadOptions();
    void SaveOptions();

signals:
    // The user chose the language in `column`.
    void languageChosen(int32_t column);

public slots:
    // The document commands.
    void newDocument();
    void openDocument();
    void saveDocument();
    void saveDocumentAs();
    void quit();
    void showAbout();
    // Takes back the last step, or does it again; either marks the document
    // changed.
    void undo();
    void redo();
    // Printing: the print dialog first, then (when the print-resolution
    // option is checked) the resolution, then the job with its progress.
    // Every page, or the page that the preview shows.
    void printAllPages();
    void printCurrentPage();
    // The printer set-up; the preview then shows the chosen paper.
    void setUpPrinter();
    // The print-resolution option's check mark toggles itself.
    void choosePrintResolutionOption();
    // The whole menu as a PDF file, as the preview lays it out.
    void exportPdf();
    void exportCsv();
    void importCsv();
    // Makes the language of `item` active for every text fetched from now
    // on; the windows follow at the next start.
    void chooseLanguage(QAction* item);
    // The translator editor, then the notice to start again.
    void openTranslator();

protected:
    // Each showing first restores the form storage.
    void setVisible(bool visible) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildTabs();
    void buildFileDialogs();
    // Start-up work of the first showing.
    void firstShow();
    // Checks the language menu's item of `column`, if it has one, without
    // running its command.
    void checkLanguageItem(int32_t column);
    // Releases the document when the window goes.
    void tearDown();

    // The question about unsaved changes; true when the command may go on.
    bool askToSaveChanges();
    void updateTitle();
    // Presses the default button of the tab in front, if it has one.
    bool pressDefaultButton();
    // The scroll box that the wheel moves on the tab in front, or null.
    QScrollArea* wheelScrollBox() const;
    // Moves the wheel's scroll box by `pixels` (positive: down).
    void scrollByWheel(int pixels);

    // Printing and PDF (MainUnitPrint.cpp).
    void printMenu(bool currentPageOnly);
    // What printing and the PDF lay out: the preview's choice of categories
    // and texture at physical size.
    TLayoutView outputView() const;
    // After a printer dialog: the preview shows the printer's paper when the
    // printer or its page changed.
    void followPrinter(const QString& printerBefore, const TPageSetup& paperBefore);
    // A progress callback that opens the progress dialog for a job of more
    // than a few steps.
    std::function<bool(int, int)> progressFor(const QString& text,
                                              std::unique_ptr<TProgress>& progress);
    // The form storage: window placement and the print-resolution option.
    void restoreFormStorage();
    void saveFormStorage();

    // The undo stack's steps refer to the document: declared after it, so
    // that they go first.
    QUndoStack undoStack_;
    TMenuEditor editor_{doc, undoStack_};
    std::unique_ptr<TPrompts> prompts_;
    QString startFile_;
    TDataFiles dataFiles_;
    TViewState view_;
    std::unique_ptr<TTranslateForm> translateForm_;
    QPointer<QWindow> wheelWindow_;
    int wheelPending_ = 0;

    std::unique_ptr<QPrinter> printer_; // made when first needed
    std::unique_ptr<TDPIEinstellenForm> printResolutionDialog_;
    QAction* printResolutionItem_ = nullptr;
    // The form storage was restored by the last showing, and saved since.
    bool formStorageRestored_ = false;
    bool formStorageSaved_ = false;

    QTabWidget* tabs_ = nullptr;
    QActionGroup* languages_ = nullptr;
    TProductsTab* productsTab_ = nullptr;
    TPreviewTab* previewTab_ = nullptr;
    TLayoutTab* layoutTab_ = nullptr;
    TBackgroundTab* backgroundTab_ = nullptr;
    TLegendTab* additivesTab_ = nullptr;
    TLegendTab* allergensTab_ = nullptr;
    TDatabaseTab* databaseTab_ = nullptr;

    // The start-up work of the first showing has run.
    bool shownOnce_ = false;
    // The document differs from its file.
    bool changed_ = false;
    // Off while the first showing puts the windows into their language: the
    // translated page texts are where the document starts.
    bool trackingChanges_ = true;
    // The program's folder, ending in '/'.
    QString programDir_;
    // The title without the document's name.
    QString mainCaption_;
    // The document's file; empty while untitled.
    QString fileName_;
    // The language column that options.dat held at start.
    int32_t previousLanguage_ = 0;
    // Set while the program itself checks a language item.
    bool ignoreLanguageCommands_ = false;
};
