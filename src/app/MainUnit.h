#pragma once

#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "app/Prompts.h"
#include "foundation/MenuDocument.h"
#include "layout/PageSetup.h"
#include "texture/Texture.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPainter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWindow;
class TPaintBox;
class TSettingBinder;

// The setup of one of the window's file dialogs.
struct TFileDialogSetup {
    QStringList nameFilters;
    QString defaultSuffix;
    bool confirmOverwrite = false;
};

// The main window: one menu document, its seven tabs, the menu bar and the
// toolbar. The document lives in `doc`; every control that edits a setting
// is bound to it in both directions. View state (the selected category, zoom,
// page, "only the selected category") stays in the window.
//
// Handlers carry the names of the window's commands (BitBtn1Click,
// PaintBox1Paint …); each announces itself through handlerCalled().
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions and dialogs; null means the
    // real dialogs. `startFile` is opened when the window is first shown.
    explicit TMainForm(std::unique_ptr<TPrompts> prompts = nullptr,
                       const QString& startFile = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    MenuDocument doc;

    bool IsChanged() const { return changed; }
    const QString& FileName() const { return afilename; }
    const QString& ProgPath() const { return progpath; }
    const QString& MainCaption() const { return maincap; }

    // The prepared background texture.
    const TTexture& Texture() const { return di2; }
    // The paper the preview lays the menu out for.
    const TPageSetup& Paper() const { return paper_; }
    // The screen resolution the preview draws at.
    int ScreenDpi() const;
    // The setup of a file dialog by its name (OpenDialog1, SaveDialog1,
    // OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3, and FilenameEdit2
    // for the browse dialog of the texture file field).
    TFileDialogSetup FileDialog(const QString& name) const;
    // The selected category, -1 for none.
    int SelectedKat() const;

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

signals:
    // A handler ran; `name` is the handler's name.
    void handlerCalled(const QString& name);

public slots:
    // "Datei"
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void ExportierenalsCSVDatei1Click();
    void ImportierenausCSVDatei1Click();
    void Drucken1Click();
    void AktuelleSeitedrucken1Click();
    void Druckereinrichten1Click();
    void Beenden1Click();
    // "Optionen", "Sprache", "Hilfe"
    void DPIWertbeimDruckenselbereinstellen1Click();
    void Deutsch1Click();
    void English1Click();
    void Franais1Click();
    void Nederlands1Click();
    void Swedish1Click();
    void bersetzen1Click();
    void ber1Click();

    // "Produkte anlegen"
    void BitBtn1Click();
    void BitBtnXP2Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void NeuesProduktBtnClick();
    void ProduktBearbeitenBtnClick();
    void ProduktLoeschenBtnClick();
    void ProduktNachObenBtnClick();
    void ProduktNachUntenBtnClick();
    void AddToDataBaseBtnClick();
    void ListView1DblClick();
    void ListView2Click();
    void ListView2Change();

    // "Speisekarte erzeugen"
    void ZoomEdChange();
    void CaptionEdChange();
    void RahmenCheckClick();
    void OnlySelectedClick();
    void PaintBox1Paint(QPainter& canvas);
    void PaintBox1MouseDown(QMouseEvent* event);
    void PaintBox1MouseMove(QMouseEvent* event);
    void PaintBox1MouseUp(QMouseEvent* event);
    void FormMouseWheelDown();
    void FormMouseWheelUp();

    // "Layout": the font dialogs FontDialog1 … FontDialog9.
    void BitBtnXP3Click();
    void BitBtnXP4Click();
    void BitBtnXP5Click();
    void BitBtnXP6Click();
    void BitBtnXP7Click();
    void BitBtnXP8Click();
    void BitBtnXP9Click();
    void BitBtnXP10Click();
    void BitBtnXP11Click();

    // "Hintergrund"
    void FilenameEdit2Change();
    void GrayScaleCheckClick();
    void LightenCheckClick();
    void HellEdChange();
    void Timer1Timer();
    void PaintBox2Paint(QPainter& canvas);

    // "Zusatzstoffe", "Allergene"
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtnXP12Click();
    void BitBtnXP13Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtnXP14Click();
    void BitBtnXP15Click();
    void BitBtnXP16Click();

    // "Datenbank"
    void AddProduktClick();
    void DelProdDataBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    void BuildMenus();
    void BuildToolbar();
    void BuildTabs();
    QWidget* BuildProductsTab();
    QWidget* BuildPreviewTab();
    QWidget* BuildLayoutTab();
    QWidget* BuildBackgroundTab();
    QWidget* BuildLegendTab(Legend legend);
    QWidget* BuildDatabaseTab();
    void BuildFileDialogs();
    void ConnectDocument();

    // A push button of a tab that runs `handler` when clicked.
    QPushButton* Button(QWidget* parent, const char* name, const char* caption,
                        void (TMainForm::*handler)());

    // Tells handlerCalled() that `handler` runs.
    void Called(const char* handler);

    // The question about unsaved changes; true when the command may go on.
    bool QuerySaveChanges();
    void UpdateTitle();

    // The lists of the window, refilled from the document.
    void ListProds();
    void ListDatabase();
    void ListKats();
    void ListLegend(Legend legend);
    void ListView2Edited(QTreeWidgetItem* item);
    void LegendEdited(Legend legend);
    void ListView1Resize();
    void ListView2Resize();
    // Presses the default button of the tab in front, if it has one.
    bool PressDefaultButton();
    // Opens font dialog `role` and stores a confirmed font in the document.
    void ChooseFont(FontRole role);
    void BrowseTextureFile();

    // The preview: sizes PaintBox1 for the current zoom and page; true when
    // its size had to change.
    bool SizePreviewBox();
    void RepaintPreview();
    // The texture view: sizes PaintBox2 to the texture; true when it changed.
    bool SizeTextureBox();
    void RepaintTexture();
    // The scroll box the wheel moves on the tab in front, or null.
    QScrollArea* WheelScrollBox() const;

    std::unique_ptr<TPrompts> prompts_;
    QString startFile_;
    TSettingBinder* binder_ = nullptr;
    TPageSetup paper_;
    QHash<QString, TFileDialogSetup> fileDialogs_;
    QPointer<QWindow> wheelWindow_;
    int wheelPending_ = 0;

    QTabWidget* PageControl1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QTreeWidget* ListView2 = nullptr;
    QTreeWidget* ListView3 = nullptr;
    QTreeWidget* ListView4 = nullptr;
    QTreeWidget* ListView5 = nullptr;
    QSpinBox* ZoomEd = nullptr;
    QSpinBox* SeiteEd = nullptr;
    QCheckBox* OnlySelected = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    TPaintBox* PaintBox2 = nullptr;
    QLineEdit* FilenameEdit2 = nullptr;
    QPushButton* AddToDataBaseBtn = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QPushButton* AddProdukt = nullptr;

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
    TTexture di2;
};
