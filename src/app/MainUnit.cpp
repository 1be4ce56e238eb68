#include "app/MainUnit.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include "app/DPIEinstellenFUnit.h"
#include "app/FileDialogSetup.h"
#include "app/OptionsFile.h"
#include "app/tabs/BackgroundTab.h"
#include "app/tabs/DatabaseTab.h"
#include "app/tabs/LayoutTab.h"
#include "app/tabs/LegendTab.h"
#include "app/tabs/PreviewTab.h"
#include "app/tabs/ProductsTab.h"
#include "files/CsvFile.h"
#include "files/OutputFile.h"
#include "layout/Preview.h"
#include "texture/Dib.h"
#include "translation/TranslateFUnit.h"
#include "translation/TranslateUnit.h"
#include "translation/WindowTranslation.h"

namespace {

// The language menu's items, by column.
const char* const kLanguageItems[] = {"Deutsch1", "English1", "Franais1", "Nederlands1",
                                      "Swedish1"};

// An icon from the desktop's theme, or one of the style's own.
QIcon themeIcon(const char* name, QStyle::StandardPixmap fallback, const QWidget* w) {
    return QIcon::fromTheme(QString::fromLatin1(name), w->style()->standardIcon(fallback));
}

} // namespace

TMainForm::TMainForm(std::unique_ptr<TPrompts> prompts, const TStartup& startup, QWidget* parent)
    : QMainWindow(parent),
      prompts_(prompts ? std::move(prompts) : std::make_unique<TDialogPrompts>()),
      startFile_(startup.startFile) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quenderl Menolux 1.0"));
    // The translation table comes first: the controls may fetch texts.
    programDir_ = QCoreApplication::applicationDirPath();
    if (!programDir_.endsWith(QLatin1Char('/')))
        programDir_ += QLatin1Char('/');
    dataFiles_ = startup.dataFolder.isEmpty() ? LocateDataFiles(programDir_)
                                              : DataFilesIn(startup.dataFolder);
    TTranslationTable& table =
        InitTranslation(dataFiles_.translations(), dataFiles_.translationsToLoad());
    // A failed save keeps the file as it was; the user hears of it once, after
    // the event that caused it.
    table.setSaveFailureReporter([self = QPointer<TMainForm>(this)](const QString& message) {
        QTimer::singleShot(0, self, [self, message] {
            if (self)
                self->prompts_->Error(self,
                                      TranslateText(QStringLiteral("Die Übersetzungen können nicht "
                                                                   "gespeichert werden.")) +
                                          QStringLiteral("\n\n") + message);
        });
    });
    resize(960, 640); // room for all seven tabs with their icons
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    buildMenus();
    buildToolbar();
    buildTabs();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(19);
    setStatusBar(status);
    buildFileDialogs();

    // Whatever the menu file stores marks the document changed when edited.
    connect(&doc, &MenuDocument::modified, this, &TMainForm::SetChanged);
    connect(productsTab_, &TProductsTab::categoryListChanged, this, &TMainForm::SetChanged);
    connect(backgroundTab_, &TBackgroundTab::textureChanged, previewTab_,
            &TPreviewTab::repaintPreview);
    connect(databaseTab_, &TDatabaseTab::editProductRequested, productsTab_,
            &TProductsTab::editProduct);
    productsTab_->fitColumnsOnResizeOf(databaseTab_->databaseList());

    mainCaption_ = windowTitle();
    productsTab_->ListProds();
    // The texture file; setting it prepares the texture. A document that has
    // the name already gets no change reaction, so it is prepared here.
    if (doc.text(TextSetting::TextureFile) != GetMessageText(4))
        doc.setText(TextSetting::TextureFile, GetMessageText(4));
    else
        backgroundTab_->prepareTexture();
    LoadOptions();
    databaseTab_->ListDatabase();
    previewTab_->repaintPreview();
    // The translator editor and the print-resolution dialog live as long as
    // the window, each a window of its own.
    translateForm_ = std::make_unique<TTranslateForm>(*prompts_);
    printResolutionDialog_ = std::make_unique<TDPIEinstellenForm>();
}

TMainForm::~TMainForm() {
    if (formStorageRestored_ && !formStorageSaved_)
        saveFormStorage();
    tearDown();
}

void TMainForm::tearDown() {
    if (wheelWindow_)
        wheelWindow_->removeEventFilter(this);
    // Controls being torn down must not reach the document any more.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    disconnect(&doc, nullptr, nullptr, nullptr);
    doc.blockSignals(true);
    undoStack_.blockSignals(true);
    undoStack_.clear();
    // The tabs hold on to the document and the view state: they go first.
    delete tabs_;
    tabs_ = nullptr;
    doc.clearKats();
    doc.clearDatabase();
}

const TTexture& TMainForm::texture() const {
    return backgroundTab_->texture();
}

const TPageSetup& TMainForm::paper() const {
    return previewTab_->paper();
}

int TMainForm::screenDpi() const {
    return previewTab_->screenDpi();
}

QAction* TMainForm::action(const QString& objectName) const {
    return menuBar()->findChild<QAction*>(objectName);
}

const TFileDialogSetup* TMainForm::fileDialog(const QString& name) const {
    return findChild<const TFileDialogSetup*>(name);
}

void TMainForm::buildFileDialogs() {
    const QString menuFiles = QStringLiteral("Speisekarten (*.mnx)|*.mnx");
    const QString csvFiles = QStringLiteral("CSV-Dateien (*.csv)|*.csv");
    const QString mnx = QStringLiteral("mnx");
    const QString csv = QStringLiteral("csv");
    new TFileDialogSetup("OpenDialog1", menuFiles, mnx, false, this);
    new TFileDialogSetup("SaveDialog1", menuFiles, mnx, true, this);
    new TFileDialogSetup("OpenDialog2", GetDIBOpenFilter(), QString(), false, this);
    new TFileDialogSetup("SaveDialog2", QStringLiteral("Excel Dateien (*.xls)|*.xls"),
                         QStringLiteral("xls"), false, this);
    new TFileDialogSetup("OpenDialog3", csvFiles, csv, false, this);
    new TFileDialogSetup("SaveDialog3", csvFiles, csv, false, this);
    new TFileDialogSetup("SaveDialog4", QStringLiteral("PDF-Dateien (*.pdf)|*.pdf"),
                         QStringLiteral("pdf"), true, this);
}

QList<QWidget*> TMainForm::startWindows() {
    QList<QWidget*> windows{this};
    windows += prompts_->windows();
    windows << translateForm_.get() << printResolutionDialog_.get();
    return windows;
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    struct Item {
        const char* name;
        const char* caption;
        void (TMainForm::*command)();
        QKeySequence keys;
    };
    auto addItems = [&](QMenu* menu, std::initializer_list<Item> items) {
        for (const Item& item : items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(item.caption));
            a->setObjectName(QString::fromLatin1(item.name));
            a->setShortcut(item.keys);
            if (item.command)
                connect(a, &QAction::triggered, this, item.command);
        }
    };
    const Item separator{nullptr, nullptr, nullptr, {}};

    QMenu* file = addMenu("Datei1", QStringLiteral("&Datei"));
    addItems(
        file,
        {
            {"Neu1", "Neu", &TMainForm::newDocument, QKeySequence::New},
            {"ffnen1", "Öffnen...", &TMainForm::openDocument, QKeySequence::Open},
            {"Speichern1", "Speichern", &TMainForm::saveDocument, QKeySequence::Save},
            {"Speichernunter1", "Speichern unter...", &TMainForm::saveDocumentAs,
             QKeySequence::SaveAs},
            {"ExportierenalsCSVDatei1", "Exportieren als CSV Datei...", &TMainForm::exportCsv, {}},
            {"ImportierenausCSVDatei1", "Importieren aus CSV Datei...", &TMainForm::importCsv, {}},
            separator,
            {"Drucken1", "Drucken", &TMainForm::printAllPages, QKeySequence::Print},
            {"AktuelleSeitedrucken1", "Aktuelle Seite drucken", &TMainForm::printCurrentPage, {}},
            {"Druckereinrichten1", "Drucker einrichten...", &TMainForm::setUpPrinter, {}},
            {"AlsPDFexportieren1", "Als PDF exportieren...", &TMainForm::exportPdf, {}},
            separator,
            {"Beenden1", "Beenden", &TMainForm::quit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        });
    action(QStringLiteral("Beenden1"))->setMenuRole(QAction::QuitRole);

    QMenu* edit = addMenu("Bearbeiten1", QStringLiteral("&Bearbeiten"));
    addItems(edit, {
                       {"Rueckgaengig1", "Rückgängig", &TMainForm::undo, QKeySequence::Undo},
                       {"Wiederholen1", "Wiederholen", &TMainForm::redo, {}},
                   });
    QAction* undoItem = action(QStringLiteral("Rueckgaengig1"));
    QAction* redoItem = action(QStringLiteral("Wiederholen1"));
    redoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    undoItem->setIcon(themeIcon("edit-undo", QStyle::SP_ArrowBack, this));
    redoItem->setIcon(themeIcon("edit-redo", QStyle::SP_ArrowForward, this));
    // The items name the step they take back or do again.
    auto follow = [](QAction* item, const QString& caption, const QString& step) {
        item->setText(step.isEmpty() ? caption : caption + QStringLiteral(": ") + step);
    };
    connect(&undoStack_, &QUndoStack::undoTextChanged, undoItem, [=](const QString& step) {
        follow(undoItem, TranslateText(QStringLiteral("Rückgängig")), step);
    });
    connect(&undoStack_, &QUndoStack::redoTextChanged, redoItem, [=](const QString& step) {
        follow(redoItem, TranslateText(QStringLiteral("Wiederholen")), step);
    });
    connect(&undoStack_, &QUndoStack::canUndoChanged, undoItem, &QAction::setEnabled);
    connect(&undoStack_, &QUndoStack::canRedoChanged, redoItem, &QAction::setEnabled);
    undoItem->setEnabled(false);
    redoItem->setEnabled(false);

    QMenu* options = addMenu("Optionen1", QStringLiteral("&Optionen"));
    addItems(options, {{"DPIWertbeimDruckenselbereinstellen1",
                        "DPI Wert beim Drucken selber einstellen",
                        &TMainForm::choosePrintResolutionOption,
                        {}}});
    printResolutionItem_ = action(QStringLiteral("DPIWertbeimDruckenselbereinstellen1"));
    printResolutionItem_->setCheckable(true);

    QMenu* language = addMenu("Sprache1", QStringLiteral("&Sprache"));
    addItems(language, {
                           {"Deutsch1", "Deutsch", nullptr, {}},
                           {"English1", "English", nullptr, {}},
                           {"Franais1", "Français", nullptr, {}},
                           {"Nederlands1", "Nederlands", nullptr, {}},
                           {"Swedish1", "Swedish", nullptr, {}},
                           separator,
                           {"bersetzen1", "Übersetzen...", &TMainForm::openTranslator, {}},
                       });
    languages_ = new QActionGroup(this);
    for (const char* name : kLanguageItems) {
        QAction* a = action(QString::fromLatin1(name));
        a->setCheckable(true);
        languages_->addAction(a);
    }
    connect(languages_, &QActionGroup::triggered, this, &TMainForm::chooseLanguage);

    QMenu* help = addMenu("Hilfe1", QStringLiteral("&Hilfe"));
    addItems(help, {{"ber1", "Über...", &TMainForm::showAbout, {}}});
    action(QStringLiteral("ber1"))->setMenuRole(QAction::AboutRole);
}

void TMainForm::buildToolbar() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(49);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);

    auto addButton = [&](const char* name, QAction* command, const QIcon& icon) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        button->setText(command->text());
        button->setIcon(icon);
        button->setEnabled(command->isEnabled());
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
        row->addWidget(button);
        return button;
    };
    addButton("OpenBtn", action(QStringLiteral("ffnen1")),
              themeIcon("document-open", QStyle::SP_DialogOpenButton, this));
    addButton("SaveBtn", action(QStringLiteral("Speichern1")),
              themeIcon("document-save", QStyle::SP_DialogSaveButton, this));
    addButton("BitBtnXP1", action(QStringLiteral("Speichernunter1")),
              themeIcon("document-save-as", QStyle::SP_DriveFDIcon, this));
    addButton("DruckenBtn", action(QStringLiteral("Drucken1")),
              themeIcon("document-print", QStyle::SP_FileDialogDetailedView, this));
    addButton("EndeBtn", action(QStringLiteral("Beenden1")),
              themeIcon("application-exit", QStyle::SP_DialogCloseButton, this));
    // Undo and redo show their icon only; the tip names the step.
    for (const auto& [name, item] :
         {std::pair{"UndoBtn", action(QStringLiteral("Rueckgaengig1"))},
          std::pair{"RedoBtn", action(QStringLiteral("Wiederholen1"))}}) {
        QToolButton* button = addButton(name, item, item->icon());
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(item->text());
        connect(item, &QAction::changed, button, [button, item] {
            button->setEnabled(item->isEnabled());
            button->setToolTip(item->text());
        });
    }
    row->addStretch(1);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel);
    setCentralWidget(central);
}

void TMainForm::buildTabs() {
    tabs_ = new QTabWidget(centralWidget());
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->setIconSize(QSize(24, 24));
    productsTab_ = new TProductsTab(editor_, view_, *prompts_);
    // The page is drawn with the texture that the background tab prepares.
    backgroundTab_ = new TBackgroundTab(editor_, *prompts_);
    previewTab_ = new TPreviewTab(editor_, view_, backgroundTab_->texture());
    layoutTab_ = new TLayoutTab(editor_, *prompts_);
    additivesTab_ = new TLegendTab(editor_, Legend::Additives);
    allergensTab_ = new TLegendTab(editor_, Legend::Allergens);
    databaseTab_ = new TDatabaseTab(editor_, view_);
    struct Tab {
        const char* name;
        const char* caption;
        const char* icon;
        QStyle::StandardPixmap fallback;
        QWidget* page;
    };
    const Tab tabs[] = {
        {"TabSheet1", "Produkte anlegen", "document-new", QStyle::SP_FileIcon, productsTab_},
        {"TabSheet2", "Speisekarte erzeugen", "document-print-preview",
         QStyle::SP_FileDialogContentsView, previewTab_},
        {"TabSheet3", "Layout", "format-justify-left", QStyle::SP_FileDialogListView, layoutTab_},
        {"TabSheet4", "Hintergrund", "image-x-generic", QStyle::SP_DesktopIcon, backgroundTab_},
        {"TabSheet5", "Zusatzstoffe", "view-list-text", QStyle::SP_FileDialogInfoView,
         additivesTab_},
        {"TabSheet6", "Allergene", "dialog-warning", QStyle::SP_MessageBoxWarning, allergensTab_},
        {"TabSheet7", "Datenbank", "drive-harddisk", QStyle::SP_DriveHDIcon, databaseTab_},
    };
    for (const Tab& t : tabs) {
        t.page->setObjectName(QString::fromLatin1(t.name));
        tabs_->addTab(t.page, themeIcon(t.icon, t.fallback, this), QString::fromUtf8(t.caption));
    }
    tabs_->setCurrentIndex(0);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(tabs_, 1);
}

// --- showing and closing -----------------------------------------------------

void TMainForm::setVisible(bool visible) {
    if (visible && !isVisible())
        restoreFormStorage();
    QMainWindow::setVisible(visible);
}

namespace {

// The form storage: one section named after the window's class.
const QString kFormStorage = QStringLiteral("TMainForm");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kPrintResolutionKey = QStringLiteral("DPIWertbeimDruckenselbereinstellen1.Checked");

} // namespace

void TMainForm::restoreFormStorage() {
    QSettings settings;
    settings.beginGroup(kFormStorage);
    // Position, size and window state (maximised and the like).
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (settings.contains(kPrintResolutionKey))
        printResolutionItem_->setChecked(settings.value(kPrintResolutionKey).toBool());
    formStorageRestored_ = true;
    formStorageSaved_ = false;
}

void TMainForm::saveFormStorage() {
    // A store that cannot be written is no reason to keep the window open:
    // the next start uses what it finds.
    QSettings settings;
    settings.beginGroup(kFormStorage);
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kPrintResolutionKey, printResolutionItem_->isChecked());
    settings.endGroup();
    settings.sync();
    formStorageSaved_ = true;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The wheel is seen where it enters the window, before any control.
    if (QWindow* w = windowHandle(); w && w != wheelWindow_) {
        if (wheelWindow_)
            wheelWindow_->removeEventFilter(this);
        wheelWindow_ = w;
        w->installEventFilter(this);
    }
    firstShow();
}

void TMainForm::firstShow() {
    if (shownOnce_)
        return;
    TTranslationTable* table = Translations();
    {
        // What the first showing registers is written to the file once.
        const TTranslationBatch batch(table);
        // The built-in messages stand in the table; then the language of the
        // previous run becomes active, and the windows take it on.
        table->setLanguage(1);
        TranslateAllMessages();
        table->setLanguage(previousLanguage_);
        // The title is translated without the document's name.
        setWindowTitle(windowTitle().section(QStringLiteral(" - ["), 0, 0));
        if (previousLanguage_ != 0) {
            trackingChanges_ = false;
            TranslateComponentTree(startWindows());
            trackingChanges_ = true;
            // Translated page texts are where the document starts, not edits.
            undoStack_.clear();
        }
        const QString title = QStringLiteral("Menolux");
        if (const QString translated = TranslateText(title); translated != title)
            QGuiApplication::setApplicationDisplayName(translated);
    }
    mainCaption_ = windowTitle();
    SetUnChanged();
    shownOnce_ = true;
    if (!startFile_.isEmpty())
        OpenFileWithName(startFile_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    SaveOptions();
    event->accept();

    saveFormStorage();
}

// --- options and languages ------------------------------------------------------

int32_t TMainForm::language() const {
    const TTranslationTable* table = Translations();
    return table ? table->language() : 0;
}

void TMainForm::checkLanguageItem(int32_t column) {
    if (column < 0 || column >= int32_t(std::size(kLanguageItems)))
        return;
    ignoreLanguageCommands_ = true;
    action(QString::fromLatin1(kLanguageItems[column]))->setChecked(true);
    ignoreLanguageCommands_ = false;
}

void TMainForm::LoadOptions() {
    previousLanguage_ = 0;
    Translations()->setLanguage(0);
    checkLanguageItem(0);
    // A column without an item of its own leaves "Deutsch" checked and is
    // still the one the first showing makes active.
    if (const std::optional<int32_t> stored = ReadOptionsFile(dataFiles_.options())) {
        previousLanguage_ = *stored;
        checkLanguageItem(*stored);
    }
}

void TMainForm::SaveOptions() {
    // A file that cannot be written leaves the next start as this one began.
    WriteOptionsFile(dataFiles_.options(), language());
}

void TMainForm::chooseLanguage(QAction* item) {
    if (ignoreLanguageCommands_)
        return;
    for (int32_t column = 0; column < int32_t(std::size(kLanguageItems)); ++column) {
        if (item->objectName() != QLatin1String(kLanguageItems[column]))
            continue;
        item->setChecked(true);
        Translations()->setLanguage(column);
        Q_EMIT languageChosen(column);
        prompts_->Information(this, GetMessageText(2), GetMessageText(3));
        return;
    }
}

void TMainForm::openTranslator() {
    translateForm_->FillStringGrid();
    prompts_->RunModal(*translateForm_);
    prompts_->Information(this, GetMessageText(2), GetMessageText(3));
}

// --- keyboard and wheel ------------------------------------------------------

void TMainForm::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control did not use it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && pressDefaultButton()) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainForm::pressDefaultButton() {
    const QWidget* page = tabs_->currentWidget();
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

QScrollArea* TMainForm::wheelScrollBox() const {
    if (tabs_->currentWidget() == previewTab_)
        return previewTab_->pageScrollBox();
    if (tabs_->currentWidget() == backgroundTab_)
        return backgroundTab_->textureScrollBox();
    return nullptr;
}

void TMainForm::scrollByWheel(int pixels) {
    if (QScrollArea* box = wheelScrollBox())
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() + pixels);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == wheelWindow_) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int notches = TakeWheelNotches(wheelPending_, wheel->angleDelta().y());
        // Each notch moves the page 20 pixels; turning the wheel up moves it up.
        for (int i = 0; i < notches; ++i)
            scrollByWheel(-20);
        for (int i = 0; i > notches; --i)
            scrollByWheel(20);
        // On the two preview tabs the box moves 20 pixels a notch and no more:
        // passing the event on would scroll it again by the box's own step.
        return wheelScrollBox() != nullptr;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::undo() {
    if (!undoStack_.canUndo())
        return;
    undoStack_.undo();
    SetChanged();
}

void TMainForm::redo() {
    if (!undoStack_.canRedo())
        return;
    undoStack_.redo();
    SetChanged();
}

// --- CSV exchange ----------------------------------------------------------------

void TMainForm::exportCsv() {
    const QString name =
        prompts_->SaveCsvFileName(this, *fileDialog(QStringLiteral("SaveDialog3")));
    if (name.isEmpty())
        return;
    if (!WriteWholeFile(name, WriteCsv(doc, CsvHeader())))
        prompts_->Error(this, GetMessageText(19) + name);
}

void TMainForm::importCsv() {
    const QString name =
        prompts_->OpenCsvFileName(this, *fileDialog(QStringLiteral("OpenDialog3")));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (QFileInfo(name).isDir() || !file.open(QIODevice::ReadOnly)) {
        prompts_->Error(this, GetMessageText(1) + name);
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        prompts_->Error(this, GetMessageText(1) + name);
        return;
    }
    int products = 0;
    int categories = 0;
    const int last = editor_.importCsv(ReadCsv(bytes), &products, &categories);
    if (last >= 0) {
        productsTab_->selectCategory(last);
        SetChanged();
    }
    statusBar()->showMessage(TranslateText(QStringLiteral("%1 Produkte in %2 Kategorien gelesen"))
                                 .arg(products)
                                 .arg(categories));
}
