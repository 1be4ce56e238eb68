#include "app/MainUnit.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

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

    BuildMenus();
    BuildToolbar();
    BuildTabs();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(status);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    // Whatever the menu file stores marks the document changed when edited.
    connect(&doc, &MenuDocument::modified, this, &TMainForm::SetChanged);
    connect(&doc, &MenuDocument::textChanged, this, [this](TextSetting s) {
        if (s == TextSetting::FilenameEdit2)
            FilenameEdit2Change();
        else if (s != TextSetting::WaehrEd)
            CaptionEdChange();
    });
    connect(&doc, &MenuDocument::flagChanged, this, [this](FlagSetting s) {
        if (s == FlagSetting::GrayScaleCheck || s == FlagSetting::LightenCheck)
            FilenameEdit2Change();
        else if (s == FlagSetting::RahmenCheck)
            RepaintPreview();
    });
    connect(&doc, &MenuDocument::numberChanged, this, [this](NumberSetting s) {
        if (s == NumberSetting::HellEd || s == NumberSetting::SatEd)
            HellEdChange();
    });

    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [&](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    // Commands whose operations are not part of the program yet stay visible
    // but disabled, so the menus have their final shape.
    auto addLater = [&](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = addItem(menu, name, caption);
        a->setEnabled(false);
        return a;
    };

    QMenu* datei = addMenu("Datei1", QStringLiteral("&Datei"));
    QAction* neu = addItem(datei, "Neu1", QStringLiteral("Neu"));
    neu->setShortcut(QKeySequence::New);
    connect(neu, &QAction::triggered, this, &TMainForm::Neu1Click);
    QAction* open = addItem(datei, "ffnen1", QStringLiteral("Öffnen..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &TMainForm::ffnen1Click);
    QAction* save = addItem(datei, "Speichern1", QStringLiteral("Speichern"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &TMainForm::Speichern1Click);
    QAction* saveAs = addItem(datei, "Speichernunter1", QStringLiteral("Speichern unter..."));
    saveAs->setShortcut(QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, &TMainForm::Speichernunter1Click);
    addLater(datei, "ExportierenalsCSVDatei1", QStringLiteral("Exportieren als CSV Datei..."));
    addLater(datei, "ImportierenausCSVDatei1", QStringLiteral("Importieren aus CSV Datei..."));
    datei->addSeparator();
    addLater(datei, "Drucken1", QStringLiteral("Drucken"))->setShortcut(QKeySequence::Print);
    addLater(datei, "AktuelleSeitedrucken1", QStringLiteral("Aktuelle Seite drucken"));
    addLater(datei, "Druckereinrichten1", QStringLiteral("Drucker einrichten..."));
    datei->addSeparator();
    QAction* quit = addItem(datei, "Beenden1", QStringLiteral("Beenden"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &TMainForm::Beenden1Click);

    QMenu* optionen = addMenu("Optionen1", QStringLiteral("&Optionen"));
    QAction* dpi = addLater(optionen, "DPIWertbeimDruckenselbereinstellen1",
                            QStringLiteral("DPI Wert beim Drucken selber einstellen"));
    dpi->setCheckable(true);

    QMenu* sprache = addMenu("Sprache1", QStringLiteral("&Sprache"));
    auto* languages = new QActionGroup(this);
    const std::pair<const char*, const char*> langs[] = {{"Deutsch1", "Deutsch"},
                                                         {"English1", "English"},
                                                         {"Franais1", "Français"},
                                                         {"Nederlands1", "Nederlands"},
                                                         {"Swedish1", "Swedish"}};
    for (const auto& [name, caption] : langs) {
        QAction* a = addLater(sprache, name, QString::fromUtf8(caption));
        a->setCheckable(true);
        languages->addAction(a);
    }
    languages->actions().constFirst()->setChecked(true);
    sprache->addSeparator();
    addLater(sprache, "bersetzen1", QStringLiteral("Übersetzen..."));

    QMenu* hilfe = addMenu("Hilfe1", QStringLiteral("&Hilfe"));
    QAction* about = addItem(hilfe, "ber1", QStringLiteral("Über..."));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &TMainForm::ber1Click);
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
    };
    const Tab tabs[] = {
        {"TabSheet1", "Produkte anlegen", "document-new", QStyle::SP_FileIcon},
        {"TabSheet2", "Speisekarte erzeugen", "document-print-preview",
         QStyle::SP_FileDialogContentsView},
        {"TabSheet3", "Layout", "format-justify-left", QStyle::SP_FileDialogListView},
        {"TabSheet4", "Hintergrund", "image-x-generic", QStyle::SP_DesktopIcon},
        {"TabSheet5", "Zusatzstoffe", "view-list-text", QStyle::SP_FileDialogInfoView},
        {"TabSheet6", "Allergene", "dialog-warning", QStyle::SP_MessageBoxWarning},
        {"TabSheet7", "Datenbank", "drive-harddisk", QStyle::SP_DriveHDIcon},
    };
    for (const Tab& t : tabs) {
        auto* page = new QWidget(PageControl1);
        page->setObjectName(QString::fromLatin1(t.name));
        PageControl1->addTab(page, themeIcon(t.icon, t.fallback, this),
                             QString::fromUtf8(t.caption));
    }
    PageControl1->setCurrentIndex(0);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(PageControl1, 1);
}

// --- life events -------------------------------------------------------------

void TMainForm::FormCreate() {
    progpath = QCoreApplication::applicationDirPath();
    if (!progpath.endsWith(QLatin1Char('/')))
        progpath += QLatin1Char('/');
    // The translation table, the texture and the image filter come later;
    // until then these steps do nothing.
    maincap = windowTitle();
    ListProds();
    doc.setText(TextSetting::FilenameEdit2, GetMessageText(4));
    ListDatabase();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
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
    disconnect(&doc, nullptr, this, nullptr);
    doc.blockSignals(true);
    doc.clearKats();
    doc.clearDatabase();
}

// --- reactions ---------------------------------------------------------------

void TMainForm::CaptionEdChange() {
    RepaintPreview();
}

void TMainForm::HellEdChange() {
    // Restart: the texture is prepared 300 ms after the last of a series of edits.
    Timer1->stop();
    Timer1->start();
}

void TMainForm::Timer1Timer() {
    Timer1->stop();
    FilenameEdit2Change();
}

void TMainForm::FilenameEdit2Change() {
    // Loads and prepares the texture, then repaints its view (texture support
    // comes later).
    RepaintTexture();
}

void TMainForm::ListProds() {}
void TMainForm::ListDatabase() {}
void TMainForm::RepaintPreview() {}
void TMainForm::RepaintTexture() {}
