#include "app/MainUnit.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>

#include "app/SettingBinder.h"
#include "layout/Preview.h"
#include "texture/Dib.h"
#include "translation/Messages.h"

namespace {

// An icon from the desktop's theme, or one of the style's own.
QIcon themeIcon(const char* name, QStyle::StandardPixmap fallback, const QWidget* w) {
    return QIcon::fromTheme(QString::fromLatin1(name), w->style()->standardIcon(fallback));
}

} // namespace

TMainForm::TMainForm(std::unique_ptr<TPrompts> prompts, const QString& startFile, QWidget* parent)
    : QMainWindow(parent),
      prompts_(prompts ? std::move(prompts) : std::make_unique<TDialogPrompts>()),
      startFile_(startFile) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quenderl Menolux 1.0"));
    resize(960, 640); // room for all seven tabs with their icons
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    binder_ = new TSettingBinder(doc, this);
    BuildMenus();
    BuildToolbar();
    BuildTabs();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(19);
    setStatusBar(status);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    BuildFileDialogs();
    ConnectDocument();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMainForm::Called(const char* handler) {
    emit handlerCalled(QString::fromLatin1(handler));
}

TFileDialogSetup TMainForm::FileDialog(const QString& name) const {
    return fileDialogs_.value(name);
}

void TMainForm::BuildFileDialogs() {
    const QStringList menuFiles{QStringLiteral("Speisekarten (*.mnx)")};
    const QStringList csvFiles{QStringLiteral("CSV-Dateien (*.csv)")};
    const QStringList images = DibFilterToNameFilters(GetDIBOpenFilter());
    fileDialogs_.insert(QStringLiteral("OpenDialog1"), {menuFiles, QStringLiteral("mnx"), false});
    fileDialogs_.insert(QStringLiteral("SaveDialog1"), {menuFiles, QStringLiteral("mnx"), true});
    fileDialogs_.insert(QStringLiteral("OpenDialog2"), {images, QString(), false});
    fileDialogs_.insert(QStringLiteral("SaveDialog2"),
                        {{QStringLiteral("Excel Dateien (*.xls)")}, QStringLiteral("xls"), false});
    fileDialogs_.insert(QStringLiteral("OpenDialog3"), {csvFiles, QStringLiteral("csv"), false});
    fileDialogs_.insert(QStringLiteral("SaveDialog3"), {csvFiles, QStringLiteral("csv"), false});
    fileDialogs_.insert(QStringLiteral("FilenameEdit2"), {images, QString(), false});
}

void TMainForm::BuildMenus() {
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
        void (TMainForm::*handler)();
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
            connect(a, &QAction::triggered, this, item.handler);
        }
    };
    const Item separator{nullptr, nullptr, nullptr, {}};

    QMenu* datei = addMenu("Datei1", QStringLiteral("&Datei"));
    addItems(
        datei,
        {
            {"Neu1", "Neu", &TMainForm::Neu1Click, QKeySequence::New},
            {"ffnen1", "Öffnen...", &TMainForm::ffnen1Click, QKeySequence::Open},
            {"Speichern1", "Speichern", &TMainForm::Speichern1Click, QKeySequence::Save},
            {"Speichernunter1", "Speichern unter...", &TMainForm::Speichernunter1Click,
             QKeySequence::SaveAs},
            {"ExportierenalsCSVDatei1",
             "Exportieren als CSV Datei...",
             &TMainForm::ExportierenalsCSVDatei1Click,
             {}},
            {"ImportierenausCSVDatei1",
             "Importieren aus CSV Datei...",
             &TMainForm::ImportierenausCSVDatei1Click,
             {}},
            separator,
            {"Drucken1", "Drucken", &TMainForm::Drucken1Click, QKeySequence::Print},
            {"AktuelleSeitedrucken1",
             "Aktuelle Seite drucken",
             &TMainForm::AktuelleSeitedrucken1Click,
             {}},
            {"Druckereinrichten1",
             "Drucker einrichten...",
             &TMainForm::Druckereinrichten1Click,
             {}},
            separator,
            {"Beenden1", "Beenden", &TMainForm::Beenden1Click, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        });
    Action(QStringLiteral("Beenden1"))->setMenuRole(QAction::QuitRole);

    QMenu* optionen = addMenu("Optionen1", QStringLiteral("&Optionen"));
    addItems(optionen, {{"DPIWertbeimDruckenselbereinstellen1",
                         "DPI Wert beim Drucken selber einstellen",
                         &TMainForm::DPIWertbeimDruckenselbereinstellen1Click,
                         {}}});
    Action(QStringLiteral("DPIWertbeimDruckenselbereinstellen1"))->setCheckable(true);

    QMenu* sprache = addMenu("Sprache1", QStringLiteral("&Sprache"));
    addItems(sprache, {
                          {"Deutsch1", "Deutsch", &TMainForm::Deutsch1Click, {}},
                          {"English1", "English", &TMainForm::English1Click, {}},
                          {"Franais1", "Français", &TMainForm::Franais1Click, {}},
                          {"Nederlands1", "Nederlands", &TMainForm::Nederlands1Click, {}},
                          {"Swedish1", "Swedish", &TMainForm::Swedish1Click, {}},
                          separator,
                          {"bersetzen1", "Übersetzen...", &TMainForm::bersetzen1Click, {}},
                      });
    auto* languages = new QActionGroup(this);
    for (const char* name : {"Deutsch1", "English1", "Franais1", "Nederlands1", "Swedish1"}) {
        QAction* a = Action(QString::fromLatin1(name));
        a->setCheckable(true);
        languages->addAction(a);
    }
    Action(QStringLiteral("Deutsch1"))->setChecked(true);

    QMenu* hilfe = addMenu("Hilfe1", QStringLiteral("&Hilfe"));
    addItems(hilfe, {{"ber1", "Über...", &TMainForm::ber1Click, {}}});
    Action(QStringLiteral("ber1"))->setMenuRole(QAction::AboutRole);
}

void TMainForm::BuildToolbar() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(49);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);

    auto addButton = [&](const char* name, QAction* action, const QIcon& icon) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        button->setText(action->text());
        button->setIcon(icon);
        button->setEnabled(action->isEnabled());
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        row->addWidget(button);
    };
    addButton("OpenBtn", Action(QStringLiteral("ffnen1")),
              themeIcon("document-open", QStyle::SP_DialogOpenButton, this));
    addButton("SaveBtn", Action(QStringLiteral("Speichern1")),
              themeIcon("document-save", QStyle::SP_DialogSaveButton, this));
    addButton("BitBtnXP1", Action(QStringLiteral("Speichernunter1")),
              themeIcon("document-save-as", QStyle::SP_DriveFDIcon, this));
    addButton("DruckenBtn", Action(QStringLiteral("Drucken1")),
              themeIcon("document-print", QStyle::SP_FileDialogDetailedView, this));
    addButton("EndeBtn", Action(QStringLiteral("Beenden1")),
              themeIcon("application-exit", QStyle::SP_DialogCloseButton, this));
    row->addStretch(1);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel);
    setCentralWidget(central);
}

void TMainForm::BuildTabs() {
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setIconSize(QSize(24, 24));
    struct Tab {
        const char* name;
        const char* caption;
        const char* icon;
        QStyle::StandardPixmap fallback;
        QWidget* page;
    };
    const Tab tabs[] = {
        {"TabSheet1", "Produkte anlegen", "document-new", QStyle::SP_FileIcon, BuildProductsTab()},
        {"TabSheet2", "Speisekarte erzeugen", "document-print-preview",
         QStyle::SP_FileDialogContentsView, BuildPreviewTab()},
        {"TabSheet3", "Layout", "format-justify-left", QStyle::SP_FileDialogListView,
         BuildLayoutTab()},
        {"TabSheet4", "Hintergrund", "image-x-generic", QStyle::SP_DesktopIcon,
         BuildBackgroundTab()},
        {"TabSheet5", "Zusatzstoffe", "view-list-text", QStyle::SP_FileDialogInfoView,
         BuildLegendTab(Legend::Additives)},
        {"TabSheet6", "Allergene", "dialog-warning", QStyle::SP_MessageBoxWarning,
         BuildLegendTab(Legend::Allergens)},
        {"TabSheet7", "Datenbank", "drive-harddisk", QStyle::SP_DriveHDIcon, BuildDatabaseTab()},
    };
    for (const Tab& t : tabs) {
        t.page->setObjectName(QString::fromLatin1(t.name));
        PageControl1->addTab(t.page, themeIcon(t.icon, t.fallback, this),
                             QString::fromUtf8(t.caption));
    }
    PageControl1->setCurrentIndex(0);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(PageControl1, 1);
}

QPushButton* TMainForm::Button(QWidget* parent, const char* name, const char* caption,
                               void (TMainForm::*handler)()) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    // A focused button takes Enter itself, as it takes Space.
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void TMainForm::ConnectDocument() {
    // Whatever the menu file stores marks the document changed when edited.
    connect(&doc, &MenuDocument::modified, this, &TMainForm::SetChanged);
    connect(&doc, &MenuDocument::textChanged, this, [this](TextSetting s) {
        switch (s) {
        case TextSetting::CaptionEd:
        case TextSetting::FussEd:
        case TextSetting::KopfEd:
            CaptionEdChange();
            break;
        case TextSetting::FilenameEdit2:
            FilenameEdit2Change();
            break;
        case TextSetting::WaehrEd:
            break;
        }
    });
    connect(&doc, &MenuDocument::flagChanged, this, [this](FlagSetting s) {
        if (s == FlagSetting::GrayScaleCheck)
            GrayScaleCheckClick();
        else if (s == FlagSetting::LightenCheck)
            LightenCheckClick();
        else if (s == FlagSetting::RahmenCheck)
            RahmenCheckClick();
    });
    connect(&doc, &MenuDocument::numberChanged, this, [this](NumberSetting s) {
        if (s == NumberSetting::HellEd || s == NumberSetting::SatEd)
            HellEdChange();
    });
    connect(&doc, &MenuDocument::categoriesChanged, this, &TMainForm::ListKats);
    connect(&doc, &MenuDocument::legendChanged, this, &TMainForm::ListLegend);
}

// --- life events -------------------------------------------------------------

void TMainForm::FormCreate() {
    progpath = QCoreApplication::applicationDirPath();
    if (!progpath.endsWith(QLatin1Char('/')))
        progpath += QLatin1Char('/');
    // The translation table and the options file come later; until then
    // these steps do nothing.
    maincap = windowTitle();
    paper_ = CurrentPrinterPage();
    ListProds();
    // The texture file; setting it prepares the texture. A document that has
    // the name already gets no change reaction, so it is prepared here.
    if (doc.text(TextSetting::FilenameEdit2) != GetMessageText(4))
        doc.setText(TextSetting::FilenameEdit2, GetMessageText(4));
    else
        FilenameEdit2Change();
    ListDatabase();
    RepaintPreview();
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
    FormShow();
}

void TMainForm::FormShow() {
    if (infirst)
        return;
    language = 1;
    language = languagesetto;
    maincap = windowTitle().section(QStringLiteral(" - ["), 0, 0);
    SetUnChanged();
    infirst = true;
    if (!startFile_.isEmpty())
        OpenFileWithName(startFile_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery() {
    return QuerySaveChanges();
}

void TMainForm::FormClose() {
    // The options file is written here once it exists.
}

void TMainForm::FormDestroy() {
    Timer1->stop();
    if (wheelWindow_)
        wheelWindow_->removeEventFilter(this);
    // Controls being torn down must not reach handlers any more.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    disconnect(&doc, nullptr, this, nullptr);
    doc.blockSignals(true);
    doc.clearKats();
    doc.clearDatabase();
    di2.Free();
}

// --- keyboard, wheel and resizing --------------------------------------------

void TMainForm::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control did not use it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && PressDefaultButton()) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainForm::PressDefaultButton() {
    QPushButton* button = nullptr;
    switch (PageControl1->currentIndex()) {
    case 0:
        button = AddToDataBaseBtn;
        break;
    case 4:
        button = BitBtn5;
        break;
    case 5:
        button = BitBtn7;
        break;
    case 6:
        button = AddProdukt;
        break;
    default:
        break;
    }
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == wheelWindow_) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int notches = TakeWheelNotches(wheelPending_, wheel->angleDelta().y());
        for (int i = 0; i < notches; ++i)
            FormMouseWheelUp();
        for (int i = 0; i > notches; --i)
            FormMouseWheelDown();
        // On the two preview tabs the box moves 20 pixels a notch and no more:
        // passing the event on would scroll it again by the box's own step.
        return WheelScrollBox() != nullptr;
    }
    if (event->type() == QEvent::Resize) {
        if (watched == ListView2)
            ListView2Resize();
        else if (watched == ListView1 || watched == ListView5)
            ListView1Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}
