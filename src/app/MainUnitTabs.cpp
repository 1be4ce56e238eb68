// The seven tabs of the main window and their controls.
#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/MainUnit.h"
#include "app/PaintBox.h"
#include "app/SettingBinder.h"

namespace {

struct Column {
    const char* caption;
    int width;
    bool right = false;
};

// A list in report view: header, whole rows selected one at a time, the
// selection still shown when the list loses focus.
QTreeWidget* ReportList(QWidget* parent, const char* name, std::initializer_list<Column> columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setColumnCount(int(columns.size()));
    auto* header = new QTreeWidgetItem;
    int i = 0;
    for (const Column& c : columns) {
        header->setText(i, QString::fromUtf8(c.caption));
        if (c.right)
            header->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        ++i;
    }
    list->setHeaderItem(header);
    i = 0;
    for (const Column& c : columns)
        list->setColumnWidth(i++, c.width);
    return list;
}

// Keeps a column from being edited in place.
class TNoEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

QLabel* Caption(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(buddy);
    return label;
}

template <class Widget> Widget* Named(const char* name, QWidget* parent = nullptr) {
    auto* w = new Widget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QCheckBox* Check(const char* name, const char* caption) {
    auto* box = Named<QCheckBox>(name);
    box->setText(QString::fromUtf8(caption));
    return box;
}

// A scroll box in the workspace colour. Its content is laid out by hand and
// sized to what it holds; the scroll range follows that size.
QScrollArea* ScrollBox(const char* name, QWidget* parent) {
    auto* box = Named<QScrollArea>(name, parent);
    box->setBackgroundRole(QPalette::Dark);
    box->setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(QString::fromLatin1(name) + QStringLiteral("Content"));
    content->setBackgroundRole(QPalette::Dark);
    box->setWidget(content);
    return box;
}

} // namespace

QWidget* TMainForm::BuildProductsTab() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    auto* splitter = Named<QSplitter>("Splitter1", page);
    splitter->setOrientation(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    ListView2 = ReportList(splitter, "ListView2", {{"Kategorie", 200}});
    ListView2->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    ListView1 = ReportList(splitter, "ListView1",
                           {{"Bezeichnung", 150}, {"Beschreibung", 250}, {"Preis", 75, true}});
    splitter->addWidget(ListView2);
    splitter->addWidget(ListView1);
    splitter->setSizes({177, 300});
    row->addWidget(splitter, 1);

    auto* panel = Named<QWidget>("Panel2", page);
    panel->setFixedWidth(172);
    auto* buttons = new QVBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(Button(panel, "BitBtn1", "Neue Kategorie", &TMainForm::BitBtn1Click));
    buttons->addWidget(
        Button(panel, "BitBtnXP2", "Kategorie bearbeiten", &TMainForm::BitBtnXP2Click));
    buttons->addWidget(Button(panel, "BitBtn2", "Kategorie löschen", &TMainForm::BitBtn2Click));
    buttons->addWidget(Button(panel, "BitBtn3", "Kategorie nach oben", &TMainForm::BitBtn3Click));
    buttons->addWidget(Button(panel, "BitBtn4", "Kategorie nach unten", &TMainForm::BitBtn4Click));
    buttons->addSpacing(12);
    buttons->addWidget(
        Button(panel, "NeuesProduktBtn", "Neues Produkt", &TMainForm::NeuesProduktBtnClick));
    buttons->addWidget(Button(panel, "ProduktBearbeitenBtn", "Produkt bearbeiten",
                              &TMainForm::ProduktBearbeitenBtnClick));
    buttons->addWidget(Button(panel, "ProduktLoeschenBtn", "Produkt löschen",
                              &TMainForm::ProduktLoeschenBtnClick));
    buttons->addWidget(Button(panel, "ProduktNachObenBtn", "Produkt nach oben",
                              &TMainForm::ProduktNachObenBtnClick));
    buttons->addWidget(Button(panel, "ProduktNachUntenBtn", "Produkt nach unten",
                              &TMainForm::ProduktNachUntenBtnClick));
    buttons->addSpacing(12);
    AddToDataBaseBtn = Button(panel, "AddToDataBaseBtn", "Zur Datenbank hinzufügen",
                              &TMainForm::AddToDataBaseBtnClick);
    AddToDataBaseBtn->setDefault(true);
    buttons->addWidget(AddToDataBaseBtn);
    buttons->addStretch(1);
    row->addWidget(panel);

    // Any change of the category list (a caption edited in place, another
    // row selected) is a change of the document.
    connect(ListView2, &QTreeWidget::itemChanged, this, &TMainForm::ListView2Edited);
    connect(ListView2, &QTreeWidget::itemChanged, this, &TMainForm::ListView2Change);
    connect(ListView2, &QTreeWidget::itemSelectionChanged, this, &TMainForm::ListView2Change);
    connect(ListView2, &QTreeWidget::currentItemChanged, this, &TMainForm::ListView2Change);
    // The product list always shows the selected category, however it was
    // selected.
    connect(ListView2, &QTreeWidget::itemSelectionChanged, this, &TMainForm::ListProds);
    connect(ListView2, &QTreeWidget::itemClicked, this, &TMainForm::ListView2Click);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, &TMainForm::ListView1DblClick);
    ListView1->installEventFilter(this);
    ListView2->installEventFilter(this);
    return page;
}

QWidget* TMainForm::BuildPreviewTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    ZoomEd = Named<QSpinBox>("ZoomEd");
    ZoomEd->setRange(10, 1000);
    ZoomEd->setSingleStep(10);
    ZoomEd->setValue(100);
    SeiteEd = Named<QSpinBox>("SeiteEd");
    SeiteEd->setRange(1, 10000);
    SeiteEd->setValue(1);
    top->addWidget(Caption("Zoom in %:", ZoomEd));
    top->addWidget(ZoomEd);
    top->addSpacing(16);
    top->addWidget(Caption("Seite:", SeiteEd));
    top->addWidget(SeiteEd);
    top->addStretch(1);
    column->addLayout(top);

    auto* body = new QHBoxLayout;
    auto* left = new QWidget(page);
    left->setMinimumWidth(185);
    auto* texts = new QVBoxLayout(left);
    texts->setContentsMargins(0, 0, 0, 0);
    auto* caption = Named<QLineEdit>("CaptionEd");
    auto* fuss = Named<QLineEdit>("FussEd");
    auto* kopf = Named<QLineEdit>("KopfEd");
    auto* rahmen = Check("RahmenCheck", "Rahmen");
    OnlySelected = Check("OnlySelected", "Nur die markierte Kategorie ausgeben");
    texts->addWidget(Caption("Überschrift:", caption));
    texts->addWidget(caption);
    texts->addWidget(Caption("Fußzeile:", fuss));
    texts->addWidget(fuss);
    texts->addWidget(Caption("Kopfzeile:", kopf));
    texts->addWidget(kopf);
    texts->addWidget(rahmen);
    texts->addWidget(OnlySelected);
    texts->addStretch(1);
    body->addWidget(left);

    ScrollBox1 = ScrollBox("ScrollBox1", page);
    PaintBox1 = Named<TPaintBox>("PaintBox1", ScrollBox1->widget());
    PaintBox1->move(8, 8);
    PaintBox1->setCursor(Qt::PointingHandCursor);
    PaintBox1->onPaint = [this](QPainter& p) { PaintBox1Paint(p); };
    PaintBox1->onMouseDown = [this](QMouseEvent* e) { PaintBox1MouseDown(e); };
    PaintBox1->onMouseMove = [this](QMouseEvent* e) { PaintBox1MouseMove(e); };
    PaintBox1->onMouseUp = [this](QMouseEvent* e) { PaintBox1MouseUp(e); };
    body->addWidget(ScrollBox1, 1);
    column->addLayout(body, 1);

    binder_->Bind(caption, TextSetting::CaptionEd);
    binder_->Bind(fuss, TextSetting::FussEd);
    binder_->Bind(kopf, TextSetting::KopfEd);
    binder_->Bind(rahmen, FlagSetting::RahmenCheck);
    connect(ZoomEd, &QSpinBox::valueChanged, this, &TMainForm::ZoomEdChange);
    connect(SeiteEd, &QSpinBox::valueChanged, this, &TMainForm::ZoomEdChange);
    connect(OnlySelected, &QCheckBox::toggled, this, &TMainForm::OnlySelectedClick);
    return page;
}

QWidget* TMainForm::BuildLayoutTab() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const std::pair<const char*, NumberSetting> margins[] = {
        {"Linker Seitenrand in mm:", NumberSetting::LinksEd},
        {"Oberer Seitenrand in mm:", NumberSetting::ObenEd},
        {"Rechter Seitenrand in mm:", NumberSetting::RechtsEd},
        {"Unterer Seitenrand in mm:", NumberSetting::UntenEd},
    };
    for (const auto& [label, setting] : margins) {
        auto* box = Named<QDoubleSpinBox>(SettingInfo(setting).name);
        binder_->Bind(box, setting);
        form->addRow(Caption(label, box), box);
    }
    auto* waehr = Named<QLineEdit>("WaehrEd");
    waehr->setMaximumWidth(80);
    binder_->Bind(waehr, TextSetting::WaehrEd);
    form->addRow(Caption("Währung:", waehr), waehr);
    left->addLayout(form);
    left->addSpacing(12);
    const std::pair<FlagSetting, const char*> checks[] = {
        {FlagSetting::CapsCheck, "Kategorienamen in Großbuchstaben"},
        {FlagSetting::ZentrCheck, "Überschrift zentriert"},
        {FlagSetting::NoKommaCheck, "Kommastellen bei Preisen weglassen"},
        {FlagSetting::NewPageForKatCheck, "Neue Seite für jede Kategorie"},
        {FlagSetting::NoPointsCheck, "Keine Punkte nach den Produktnamen"},
        {FlagSetting::CenterKatCheck, "Kategorieüberschrift zentriert"},
        {FlagSetting::OnlyContainedCheck, "Zeige nur benutzte Zusatzstoffe"},
    };
    for (const auto& [setting, caption] : checks) {
        auto* box = Check(SettingInfo(setting).name, caption);
        binder_->Bind(box, setting);
        left->addWidget(box);
    }
    left->addStretch(1);
    row->addLayout(left, 1);

    auto* fonts = new QVBoxLayout;
    const std::tuple<const char*, const char*, void (TMainForm::*)()> buttons[] = {
        {"BitBtnXP3", "Schriftart für Überschrift...", &TMainForm::BitBtnXP3Click},
        {"BitBtnXP4", "Schriftart für Kategoriename...", &TMainForm::BitBtnXP4Click},
        {"BitBtnXP5", "Schriftart für Nummerierung...", &TMainForm::BitBtnXP5Click},
        {"BitBtnXP6", "Schriftart für Beschreibung...", &TMainForm::BitBtnXP6Click},
        {"BitBtnXP7", "Schriftart für Preise...", &TMainForm::BitBtnXP7Click},
        {"BitBtnXP8", "Schriftart für Punkte...", &TMainForm::BitBtnXP8Click},
        {"BitBtnXP9", "Schriftart für freien Text...", &TMainForm::BitBtnXP9Click},
        {"BitBtnXP10", "Schriftart für Fußzeile...", &TMainForm::BitBtnXP10Click},
        {"BitBtnXP11", "Schriftart für Kopfzeile...", &TMainForm::BitBtnXP11Click},
    };
    for (const auto& [name, caption, handler] : buttons) {
        QPushButton* b = Button(page, name, caption, handler);
        b->setMinimumWidth(240);
        fonts->addWidget(b);
    }
    fonts->addStretch(1);
    row->addLayout(fonts);
    return page;
}

QWidget* TMainForm::BuildBackgroundTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;

    auto* file = new QVBoxLayout;
    FilenameEdit2 = Named<QLineEdit>("FilenameEdit2");
    FilenameEdit2->setMinimumWidth(220);
    QAction* browse =
        FilenameEdit2->addAction(QIcon::fromTheme(QStringLiteral("document-open"),
                                                  style()->standardIcon(QStyle::SP_DirOpenIcon)),
                                 QLineEdit::TrailingPosition);
    browse->setObjectName(QStringLiteral("FilenameEdit2Browse"));
    connect(browse, &QAction::triggered, this, &TMainForm::BrowseTextureFile);
    file->addWidget(Caption("Dateiname:", FilenameEdit2));
    file->addWidget(FilenameEdit2);
    file->addStretch(1);
    top->addLayout(file, 1);

    auto* size = new QGroupBox(QStringLiteral("Größe der Grafik"), page);
    auto* sizeGrid = new QGridLayout(size);
    auto* breit = Named<QDoubleSpinBox>("BreitEd2");
    auto* hoch = Named<QDoubleSpinBox>("HochEd2");
    auto* sverh = Check("SVerh2Check", "Seitenverhältnis beibehalten");
    sizeGrid->addWidget(Caption("Breite:", breit), 0, 0);
    sizeGrid->addWidget(breit, 0, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("cm")), 0, 2);
    sizeGrid->addWidget(Caption("Höhe:", hoch), 1, 0);
    sizeGrid->addWidget(hoch, 1, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("cm")), 1, 2);
    sizeGrid->addWidget(sverh, 2, 0, 1, 3);
    top->addWidget(size);

    auto* look = new QGroupBox(QStringLiteral("Sichtbarkeits Einstellungen"), page);
    auto* lookGrid = new QGridLayout(look);
    auto* gray = Check("GrayScaleCheck", "Textur in Graustufen umwandeln");
    auto* lighten = Check("LightenCheck", "Textur aufhellen und Sättigung neu berechnen");
    auto* hell = Named<QSpinBox>("HellEd");
    auto* sat = Named<QSpinBox>("SatEd");
    lookGrid->addWidget(gray, 0, 0, 1, 3);
    lookGrid->addWidget(lighten, 1, 0, 1, 3);
    lookGrid->addWidget(Caption("Helligkeit %:", hell), 2, 0);
    lookGrid->addWidget(hell, 2, 1);
    lookGrid->addWidget(Caption("Sättigung:", sat), 3, 0);
    lookGrid->addWidget(sat, 3, 1);
    lookGrid->addWidget(new QLabel(QStringLiteral("(größer 0=Farben intensiver)")), 3, 2);
    top->addWidget(look);
    column->addLayout(top);

    ScrollBox2 = ScrollBox("ScrollBox2", page);
    PaintBox2 = Named<TPaintBox>("PaintBox2", ScrollBox2->widget());
    PaintBox2->move(0, 0);
    PaintBox2->resize(0, 0);
    PaintBox2->onPaint = [this](QPainter& p) { PaintBox2Paint(p); };
    column->addWidget(ScrollBox2, 1);

    binder_->Bind(FilenameEdit2, TextSetting::FilenameEdit2);
    binder_->Bind(breit, NumberSetting::BreitEd2);
    binder_->Bind(hoch, NumberSetting::HochEd2);
    binder_->Bind(sverh, FlagSetting::SVerh2Check);
    binder_->Bind(gray, FlagSetting::GrayScaleCheck);
    binder_->Bind(lighten, FlagSetting::LightenCheck);
    binder_->Bind(hell, NumberSetting::HellEd);
    binder_->Bind(sat, NumberSetting::SatEd);
    return page;
}

QWidget* TMainForm::BuildLegendTab(Legend legend) {
    const bool additives = legend == Legend::Additives;
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* strip = new QHBoxLayout;
    auto* edit = Named<QLineEdit>(additives ? "BezEd" : "AllEd");
    edit->setMinimumWidth(220);
    strip->addWidget(Caption("Bezeichnung:", edit));
    strip->addWidget(edit, 1);
    QPushButton* add = nullptr;
    if (additives) {
        add = BitBtn5 = Button(page, "BitBtn5", "Hinzufügen", &TMainForm::BitBtn5Click);
        strip->addWidget(add);
        strip->addWidget(Button(page, "BitBtn6", "Löschen", &TMainForm::BitBtn6Click));
        strip->addWidget(Button(page, "BitBtnXP12", "Nach oben", &TMainForm::BitBtnXP12Click));
        strip->addWidget(Button(page, "BitBtnXP13", "Nach unten", &TMainForm::BitBtnXP13Click));
    } else {
        add = BitBtn7 = Button(page, "BitBtn7", "Hinzufügen", &TMainForm::BitBtn7Click);
        strip->addWidget(add);
        strip->addWidget(Button(page, "BitBtn8", "Löschen", &TMainForm::BitBtn8Click));
        strip->addWidget(Button(page, "BitBtnXP14", "Nach oben", &TMainForm::BitBtnXP14Click));
        strip->addWidget(Button(page, "BitBtnXP15", "Nach unten", &TMainForm::BitBtnXP15Click));
    }
    add->setDefault(true);
    strip->addStretch(1);
    column->addLayout(strip);
    if (!additives)
        column->addWidget(Button(page, "BitBtnXP16",
                                 "Voreingestellte Allergene für Österreich laden",
                                 &TMainForm::BitBtnXP16Click));

    QTreeWidget* list =
        ReportList(page, additives ? "ListView3" : "ListView4", {{"Nr", 50}, {"Bezeichnung", 700}});
    // Only the "Nr" caption is edited in place.
    list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    list->setItemDelegateForColumn(1, new TNoEditDelegate(list));
    connect(list, &QTreeWidget::itemChanged, this, [this, legend] { LegendEdited(legend); });
    column->addWidget(list, 1);
    (additives ? ListView3 : ListView4) = list;
    return page;
}

QWidget* TMainForm::BuildDatabaseTab() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    ListView5 = ReportList(page, "ListView5",
                           {{"Bezeichnung", 150}, {"Beschreibung", 250}, {"Preis", 75, true}});
    connect(ListView5, &QTreeWidget::itemDoubleClicked, this, &TMainForm::ListView1DblClick);
    ListView5->installEventFilter(this);
    row->addWidget(ListView5, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(
        Button(page, "DelProdDataBtn", "Produkt löschen", &TMainForm::DelProdDataBtnClick));
    AddProdukt = Button(page, "AddProdukt", "Zu Produkten hinzufügen", &TMainForm::AddProduktClick);
    AddProdukt->setDefault(true);
    buttons->addWidget(AddProdukt);
    buttons->addStretch(1);
    row->addLayout(buttons);
    return page;
}
