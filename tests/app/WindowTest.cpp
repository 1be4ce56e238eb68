// The main window's controls, command map, keyboard, mouse and preview.
#include <cmath>
#include <functional>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "app/FileDialogSetup.h"

#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/MenuFixtures.h"
#include "app/ShownWindowTest.h"
#include "app/WindowFixture.h"
#include "app/tabs/BackgroundTab.h"
#include "app/tabs/DatabaseTab.h"
#include "app/tabs/LegendTab.h"
#include "app/tabs/ProductsTab.h"
#include "layout/Preview.h"
#include "texture/Dib.h"

namespace {

// Counts the events of one type that reach the objects it watches.
class TEventCounter : public QObject {
public:
    TEventCounter(QEvent::Type type, int& count) : type_(type), count_(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_)
            ++count_;
        return false;
    }

private:
    QEvent::Type type_;
    int& count_;
};

// The fixture's helpers are public: the tables of cases below reach them
// through a reference to the fixture.
class WindowTest : public ShownWindowTest {
public:
    template <class T> T* child(const char* name) {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTabWidget* tabs() { return child<QTabWidget>("PageControl1"); }
    void showTab(int index) {
        tabs()->setCurrentIndex(index);
        QApplication::processEvents();
    }
    // A category with one product, selected.
    void addSelectedKat() {
        const int kat = form->doc.addKat(QStringLiteral("Suppen"));
        auto* p = static_cast<TProduktRec*>(form->doc.products(kat)->Add());
        p->name = NewText(u"Gulasch");
        p->price = 4.5;
        QTreeWidget* list = child<QTreeWidget>("ListView2");
        list->setCurrentItem(list->topLevelItem(kat));
    }
    // An image file for the texture.
    QString writeImage(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 120, 40));
        const QString path = dir.filePath(QStringLiteral("textur.png"));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // One wheel notch over the window: positive turns up, away from the user.
    void wheel(int notches) {
        QWindow* window = form->windowHandle();
        ASSERT_NE(window, nullptr);
        const QPointF pos(form->width() / 2.0, form->height() / 2.0);
        QWheelEvent event(pos, window->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &event);
    }
    void mouse(QWidget* w, QEvent::Type type, QPoint pos) {
        QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
};

// --- command map -------------------------------------------------------------

// The command map: each trigger is bound to the receiver that carries its
// operation, also where the operation comes with later work. Breaking the
// connection only succeeds when it was there.
TEST_F(WindowTest, CommandsAreBoundToTheirReceivers) {
    TMainForm* f = form.get();
    TProductsTab* products = f->productsTab();
    TLegendTab* additives = f->additivesTab();
    TLegendTab* allergens = f->allergensTab();
    TDatabaseTab* database = f->databaseTab();
    auto menuItem = [f](const char* name) { return f->action(QString::fromLatin1(name)); };
    auto button = [this](const char* name) { return child<QPushButton>(name); };
    using Unbind = std::function<bool()>;
    const std::pair<const char*, Unbind> bindings[] = {
        {"ExportierenalsCSVDatei1",
         [&] {
             return QObject::disconnect(menuItem("ExportierenalsCSVDatei1"), &QAction::triggered, f,
                                        &TMainForm::exportCsv);
         }},
        {"ImportierenausCSVDatei1",
         [&] {
             return QObject::disconnect(menuItem("ImportierenausCSVDatei1"), &QAction::triggered, f,
                                        &TMainForm::importCsv);
         }},
        {"Drucken1",
         [&] {
             return QObject::disconnect(menuItem("Drucken1"), &QAction::triggered, f,
                                        &TMainForm::printAllPages);
         }},
        {"AktuelleSeitedrucken1",
         [&] {
             return QObject::disconnect(menuItem("AktuelleSeitedrucken1"), &QAction::triggered, f,
                                        &TMainForm::printCurrentPage);
         }},
        {"Druckereinrichten1",
         [&] {
             return QObject::disconnect(menuItem("Druckereinrichten1"), &QAction::triggered, f,
                                        &TMainForm::setUpPrinter);
         }},
        {"DPIWertbeimDruckenselbereinstellen1",
         [&] {
             return QObject::disconnect(menuItem("DPIWertbeimDruckenselbereinstellen1"),
                                        &QAction::triggered, f,
                                        &TMainForm::choosePrintResolutionOption);
         }},
        {"bersetzen1",
         [&] {
             return QObject::disconnect(menuItem("bersetzen1"), &QAction::triggered, f,
                                        &TMainForm::openTranslator);
         }},
        {"Sprache1 items",
         [&] {
             QActionGroup* group = menuItem("Deutsch1")->actionGroup();
             for (const char* name : {"English1", "Franais1", "Nederlands1", "Swedish1"})
                 if (!group || menuItem(name)->actionGroup() != group)
                     return false;
             return group && QObject::disconnect(group, &QActionGroup::triggered, f,
                                                 &TMainForm::chooseLanguage);
         }},
        {"BitBtn1",
         [&] {
             return QObject::disconnect(button("BitBtn1"), &QPushButton::clicked, products,
                                        &TProductsTab::addCategory);
         }},
        {"BitBtnXP2",
         [&] {
             return QObject::disconnect(button("BitBtnXP2"), &QPushButton::clicked, products,
                                        &TProductsTab::renameCategory);
         }},
        {"BitBtn2",
         [&] {
             return QObject::disconnect(button("BitBtn2"), &QPushButton::clicked, products,
                                        &TProductsTab::deleteCategory);
         }},
        {"BitBtn3",
         [&] {
             return QObject::disconnect(button("BitBtn3"), &QPushButton::clicked, products,
                                        &TProductsTab::moveCategoryUp);
         }},
        {"BitBtn4",
         [&] {
             return QObject::disconnect(button("BitBtn4"), &QPushButton::clicked, products,
                                        &TProductsTab::moveCategoryDown);
         }},
        {"NeuesProduktBtn",
         [&] {
             return QObject::disconnect(button("NeuesProduktBtn"), &QPushButton::clicked, products,
                                        &TProductsTab::addProduct);
         }},
        {"ProduktBearbeitenBtn",
         [&] {
             return QObject::disconnect(button("ProduktBearbeitenBtn"), &QPushButton::clicked,
                                        products, &TProductsTab::editProduct);
         }},
        {"ListView1 double click",
         [&] {
             return QObject::disconnect(child<QTreeWidget>("ListView1"),
                                        &QTreeWidget::itemDoubleClicked, products,
                                        &TProductsTab::editProduct);
         }},
        {"ListView5 double click",
         [&] {
             return QObject::disconnect(child<QTreeWidget>("ListView5"),
                                        &QTreeWidget::itemDoubleClicked, database,
                                        &TDatabaseTab::editProductRequested) &&
                    QObject::disconnect(database, &TDatabaseTab::editProductRequested, products,
                                        &TProductsTab::editProduct);
         }},
        {"ProduktLoeschenBtn",
         [&] {
             return QObject::disconnect(button("ProduktLoeschenBtn"), &QPushButton::clicked,
                                        products, &TProductsTab::deleteProduct);
         }},
        {"ProduktNachObenBtn",
         [&] {
             return QObject::disconnect(button("ProduktNachObenBtn"), &QPushButton::clicked,
                                        products, &TProductsTab::moveProductUp);
         }},
        {"ProduktNachUntenBtn",
         [&] {
             return QObject::disconnect(button("ProduktNachUntenBtn"), &QPushButton::clicked,
                                        products, &TProductsTab::moveProductDown);
         }},
        {"AddToDataBaseBtn",
         [&] {
             return QObject::disconnect(button("AddToDataBaseBtn"), &QPushButton::clicked, products,
                                        &TProductsTab::copyProductToDatabase);
         }},
        {"AddProdukt",
         [&] {
             return QObject::disconnect(button("AddProdukt"), &QPushButton::clicked, database,
                                        &TDatabaseTab::copyProductToCategory);
         }},
        {"DelProdDataBtn",
         [&] {
             return QObject::disconnect(button("DelProdDataBtn"), &QPushButton::clicked, database,
                                        &TDatabaseTab::deleteProduct);
         }},
        {"BitBtn5",
         [&] {
             return QObject::disconnect(button("BitBtn5"), &QPushButton::clicked, additives,
                                        &TLegendTab::addEntry);
         }},
        {"BitBtn6",
         [&] {
             return QObject::disconnect(button("BitBtn6"), &QPushButton::clicked, additives,
                                        &TLegendTab::deleteEntry);
         }},
        {"BitBtnXP12",
         [&] {
             return QObject::disconnect(button("BitBtnXP12"), &QPushButton::clicked, additives,
                                        &TLegendTab::moveEntryUp);
         }},
        {"BitBtnXP13",
         [&] {
             return QObject::disconnect(button("BitBtnXP13"), &QPushButton::clicked, additives,
                                        &TLegendTab::moveEntryDown);
         }},
        {"BitBtn7",
         [&] {
             return QObject::disconnect(button("BitBtn7"), &QPushButton::clicked, allergens,
                                        &TLegendTab::addEntry);
         }},
        {"BitBtn8",
         [&] {
             return QObject::disconnect(button("BitBtn8"), &QPushButton::clicked, allergens,
                                        &TLegendTab::deleteEntry);
         }},
        {"BitBtnXP14",
         [&] {
             return QObject::disconnect(button("BitBtnXP14"), &QPushButton::clicked, allergens,
                                        &TLegendTab::moveEntryUp);
         }},
        {"BitBtnXP15",
         [&] {
             return QObject::disconnect(button("BitBtnXP15"), &QPushButton::clicked, allergens,
                                        &TLegendTab::moveEntryDown);
         }},
        {"BitBtnXP16",
         [&] {
             return QObject::disconnect(button("BitBtnXP16"), &QPushButton::clicked, allergens,
                                        &TLegendTab::loadAllergenPreset);
         }},
    };
    for (const auto& [trigger, unbind] : bindings)
        EXPECT_TRUE(unbind()) << trigger;
    // Each binding is the trigger's own: the additive buttons do not reach the
    // allergen list, nor the other way round.
    EXPECT_FALSE(QObject::disconnect(button("BitBtn7"), &QPushButton::clicked, additives,
                                     &TLegendTab::addEntry));
}

// Each toolbar button runs the menu item of the same command.
TEST_F(WindowTest, ToolbarButtonsRunTheirMenuItems) {
    const std::pair<const char*, const char*> buttons[] = {{"OpenBtn", "ffnen1"},
                                                           {"SaveBtn", "Speichern1"},
                                                           {"BitBtnXP1", "Speichernunter1"},
                                                           {"DruckenBtn", "Drucken1"},
                                                           {"EndeBtn", "Beenden1"}};
    for (const auto& [name, item] : buttons) {
        SCOPED_TRACE(name);
        form->show();
        QSignalSpy spy(form->action(QString::fromLatin1(item)), &QAction::triggered);
        child<QToolButton>(name)->click();
        EXPECT_EQ(spy.count(), 1);
    }
}

// The document commands that work already, from their menu items.
TEST_F(WindowTest, DocumentCommandsRunFromTheMenu) {
    using Step = std::function<void(WindowTest&)>;
    struct Case {
        const char* item;
        Step before;
        Step check;
    };
    const Step nothing = [](WindowTest&) {};
    const Case cases[] = {
        {"ffnen1", nothing, [](WindowTest& t) { EXPECT_EQ(t.prompts->openDialogs, 1); }},
        {"Speichern1", nothing, [](WindowTest& t) { EXPECT_EQ(t.prompts->saveDialogs, 1); }},
        {"Speichernunter1", nothing, [](WindowTest& t) { EXPECT_EQ(t.prompts->saveDialogs, 1); }},
        {"Neu1", [](WindowTest& t) { t.addSelectedKat(); },
         [](WindowTest& t) {
             EXPECT_EQ(t.prompts->questions, 1);
             EXPECT_EQ(t.form->doc.katCount(), 0);
         }},
        {"Beenden1", nothing, [](WindowTest& t) { EXPECT_FALSE(t.form->isVisible()); }},
        {"ber1", nothing, [](WindowTest& t) { EXPECT_EQ(t.prompts->abouts, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        SetUp();
        prompts->answer = TPrompts::Answer::No;
        c.before(*this);
        form->action(QString::fromLatin1(c.item))->trigger();
        c.check(*this);
    }
}

// The page texts, the frame and the view settings of the preview tab repaint
// the page at once.
TEST_F(WindowTest, PreviewSettingsRepaintThePage) {
    addSelectedKat();
    form->doc.addKat(QStringLiteral("Getränke"));
    showTab(1);
    auto* page = child<QWidget>("PaintBox1");
    int paints = 0;
    TEventCounter counter(QEvent::Paint, paints);
    page->installEventFilter(&counter);
    using Edit = std::function<void(WindowTest&)>;
    const std::pair<const char*, Edit> edits[] = {
        {"CaptionEd", [](WindowTest& t) { t.child<QLineEdit>("CaptionEd")->setText("Karte"); }},
        {"FussEd", [](WindowTest& t) { t.child<QLineEdit>("FussEd")->setText("Fuß"); }},
        {"KopfEd", [](WindowTest& t) { t.child<QLineEdit>("KopfEd")->setText("Kopf"); }},
        {"RahmenCheck", [](WindowTest& t) { t.child<QCheckBox>("RahmenCheck")->click(); }},
        {"OnlySelected", [](WindowTest& t) { t.child<QCheckBox>("OnlySelected")->click(); }},
        {"SeiteEd", [](WindowTest& t) { t.child<QSpinBox>("SeiteEd")->setValue(2); }},
        {"ZoomEd", [](WindowTest& t) { t.child<QSpinBox>("ZoomEd")->setValue(90); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        QApplication::processEvents();
        const QImage before = page->grab().toImage();
        paints = 0;
        edit(*this);
        QApplication::processEvents();
        EXPECT_GT(paints, 0);
        EXPECT_NE(page->grab().toImage(), before);
    }
}

// A click in the category list shows that category's products; any change
// of the list marks the document changed.
TEST_F(WindowTest, CategoryListShowsProductsAndMarksChanges) {
    addSelectedKat();
    form->doc.addKat(QStringLiteral("Getränke"));
    showTab(0);
    auto* categories = child<QTreeWidget>("ListView2");
    auto* products = child<QTreeWidget>("ListView1");
    ASSERT_EQ(products->topLevelItemCount(), 1);

    form->SetUnChanged();
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                      categories->visualItemRect(categories->topLevelItem(1)).center());
    EXPECT_EQ(form->viewState().selectedCategory(), 1);
    EXPECT_EQ(products->topLevelItemCount(), 0);
    EXPECT_TRUE(form->isChanged());

    form->SetUnChanged();
    categories->topLevelItem(0)->setText(0, "Vorspeisen");
    EXPECT_EQ(form->doc.katName(0), "Vorspeisen");
    EXPECT_TRUE(form->isChanged());

    form->SetUnChanged();
    categories->clearSelection();
    EXPECT_EQ(form->viewState().selectedCategory(), -1);
    EXPECT_TRUE(form->isChanged());
    EXPECT_FALSE(child<QPushButton>("NeuesProduktBtn")->isEnabled());
}

// --- controls ----------------------------------------------------------------

TEST_F(WindowTest, ControlsHaveTheirDefaultsAndRanges) {
    struct Number {
        const char* name;
        double value, minimum, maximum, step;
    };
    const Number numbers[] = {
        {"ZoomEd", 100, 10, 1000, 10},   {"SeiteEd", 1, 1, 10000, 1},
        {"LinksEd", 25, 0, 1000, 1},     {"ObenEd", 25, 0, 1000, 1},
        {"RechtsEd", 25, 0, 1000, 1},    {"UntenEd", 25, 0, 1000, 1},
        {"BreitEd2", 23, 1, 10000, 0.1}, {"HochEd2", 10, 1, 10000, 0.1},
        {"HellEd", 50, 1, 100, 1},       {"SatEd", 0, -100, 200, 1},
    };
    for (const Number& n : numbers) {
        SCOPED_TRACE(n.name);
        if (auto* d = form->findChild<QDoubleSpinBox*>(n.name)) {
            EXPECT_EQ(d->value(), n.value);
            EXPECT_EQ(d->minimum(), n.minimum);
            EXPECT_EQ(d->maximum(), n.maximum);
            EXPECT_DOUBLE_EQ(d->singleStep(), n.step);
        } else {
            auto* i = child<QSpinBox>(n.name);
            EXPECT_EQ(i->value(), n.value);
            EXPECT_EQ(i->minimum(), n.minimum);
            EXPECT_EQ(i->maximum(), n.maximum);
            EXPECT_EQ(i->singleStep(), n.step);
        }
    }

    const std::pair<const char*, const char*> texts[] = {
        {"CaptionEd", "Speisekarte"},
        {"FussEd", "Unsere Preise beinhalten Bedienugsgeld und die ges. Mehrwertsteuer"},
        {"KopfEd", ""},
        {"WaehrEd", "€"},
        {"FilenameEdit2", "paper.jpg"},
    };
    for (const auto& [name, text] : texts)
        EXPECT_EQ(child<QLineEdit>(name)->text(), QString::fromUtf8(text)) << name;

    struct Check {
        const char* name;
        const char* caption;
        bool on;
    };
    const Check checks[] = {
        {"RahmenCheck", "Rahmen", true},
        {"OnlySelected", "Nur die markierte Kategorie ausgeben", false},
        {"CapsCheck", "Kategorienamen in Großbuchstaben", true},
        {"ZentrCheck", "Überschrift zentriert", true},
        {"NoKommaCheck", "Kommastellen bei Preisen weglassen", false},
        {"NewPageForKatCheck", "Neue Seite für jede Kategorie", false},
        {"NoPointsCheck", "Keine Punkte nach den Produktnamen", false},
        {"CenterKatCheck", "Kategorieüberschrift zentriert", false},
        {"OnlyContainedCheck", "Zeige nur benutzte Zusatzstoffe", true},
        {"SVerh2Check", "Seitenverhältnis beibehalten", true},
        {"GrayScaleCheck", "Textur in Graustufen umwandeln", false},
        {"LightenCheck", "Textur aufhellen und Sättigung neu berechnen", true},
    };
    for (const Check& c : checks) {
        auto* box = child<QCheckBox>(c.name);
        EXPECT_EQ(box->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(box->isChecked(), c.on) << c.name;
    }

    const std::pair<const char*, const char*> buttons[] = {
        {"BitBtn1", "Neue Kategorie"},
        {"BitBtnXP2", "Kategorie bearbeiten"},
        {"BitBtn2", "Kategorie löschen"},
        {"BitBtn3", "Kategorie nach oben"},
        {"BitBtn4", "Kategorie nach unten"},
        {"NeuesProduktBtn", "Neues Produkt"},
        {"ProduktBearbeitenBtn", "Produkt bearbeiten"},
        {"ProduktLoeschenBtn", "Produkt löschen"},
        {"ProduktNachObenBtn", "Produkt nach oben"},
        {"ProduktNachUntenBtn", "Produkt nach unten"},
        {"AddToDataBaseBtn", "Zur Datenbank hinzufügen"},
        {"BitBtnXP3", "Schriftart für Überschrift..."},
        {"BitBtnXP4", "Schriftart für Kategoriename..."},
        {"BitBtnXP5", "Schriftart für Nummerierung..."},
        {"BitBtnXP6", "Schriftart für Beschreibung..."},
        {"BitBtnXP7", "Schriftart für Preise..."},
        {"BitBtnXP8", "Schriftart für Punkte..."},
        {"BitBtnXP9", "Schriftart für freien Text..."},
        {"BitBtnXP10", "Schriftart für Fußzeile..."},
        {"BitBtnXP11", "Schriftart für Kopfzeile..."},
        {"BitBtn5", "Hinzufügen"},
        {"BitBtn6", "Löschen"},
        {"BitBtnXP12", "Nach oben"},
        {"BitBtnXP13", "Nach unten"},
        {"BitBtn7", "Hinzufügen"},
        {"BitBtn8", "Löschen"},
        {"BitBtnXP14", "Nach oben"},
        {"BitBtnXP15", "Nach unten"},
        {"BitBtnXP16", "Voreingestellte Allergene für Österreich laden"},
        {"DelProdDataBtn", "Produkt löschen"},
        {"AddProdukt", "Zu Produkten hinzufügen"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child<QPushButton>(name)->text(), QString::fromUtf8(caption)) << name;
    // Without a selected category the product buttons wait for one.
    for (const char* name : {"NeuesProduktBtn", "ProduktBearbeitenBtn", "ProduktLoeschenBtn",
                             "ProduktNachObenBtn", "ProduktNachUntenBtn"})
        EXPECT_FALSE(child<QPushButton>(name)->isEnabled()) << name;

    struct List {
        const char* name;
        QStringList columns;
        QList<int> widths; // -1: not fixed
    };
    const List lists[] = {
        {"ListView2", {"Kategorie"}, {-1}},
        {"ListView1", {"Bezeichnung", "Beschreibung", "Preis"}, {150, -1, 75}},
        {"ListView3", {"Nr", "Bezeichnung"}, {-1, 700}},
        {"ListView4", {"Nr", "Bezeichnung"}, {-1, 700}},
        {"ListView5", {"Bezeichnung", "Beschreibung", "Preis"}, {150, 250, 75}},
    };
    for (const List& l : lists) {
        auto* view = child<QTreeWidget>(l.name);
        QStringList columns;
        for (int i = 0; i < view->columnCount(); ++i)
            columns << view->headerItem()->text(i);
        EXPECT_EQ(columns, l.columns) << l.name;
        for (int i = 0; i < l.widths.size(); ++i) {
            if (l.widths[i] >= 0) {
                EXPECT_EQ(view->columnWidth(i), l.widths[i]) << l.name << i;
            }
        }
    }

    // Menus: every item in place and enabled, but undo and redo wait for a
    // step to take back.
    const QStringList waiting{"Rueckgaengig1", "Wiederholen1", "UndoBtn", "RedoBtn"};
    QStringList items;
    for (QAction* a : form->findChild<QMenu*>("Datei1")->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{"Neu", "Öffnen...", "Speichern", "Speichern unter...",
                                  "Exportieren als CSV Datei...", "Importieren aus CSV Datei...",
                                  "-", "Drucken", "Aktuelle Seite drucken", "Drucker einrichten...",
                                  "Als PDF exportieren...", "-", "Beenden"}));
    for (QAction* a : form->menuBar()->findChildren<QAction*>())
        EXPECT_EQ(a->isEnabled(), !waiting.contains(a->objectName())) << a->objectName();
    for (QToolButton* b : child<QWidget>("Panel1")->findChildren<QToolButton*>()) {
        EXPECT_EQ(b->isEnabled(), !waiting.contains(b->objectName())) << b->objectName();
        EXPECT_FALSE(b->icon().isNull()) << b->objectName();
    }
    for (int i = 0; i < tabs()->count(); ++i)
        EXPECT_FALSE(tabs()->tabIcon(i).isNull()) << i;
    EXPECT_TRUE(form->action("DPIWertbeimDruckenselbereinstellen1")->isCheckable());
    EXPECT_TRUE(form->action("Deutsch1")->isChecked());

    auto* timer = child<QTimer>("Timer1");
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_FALSE(timer->isActive());

    const QStringList images = DibFilterToNameFilters(GetDIBOpenFilter());
    EXPECT_EQ(form->fileDialog("OpenDialog2")->nameFilters(), images);
    EXPECT_EQ(form->fileDialog("FilenameEdit2")->nameFilters(), images);
    EXPECT_EQ(form->fileDialog("SaveDialog1")->defaultSuffix(), "mnx");
    EXPECT_TRUE(form->fileDialog("SaveDialog1")->confirmOverwrite());
    EXPECT_FALSE(form->fileDialog("SaveDialog3")->confirmOverwrite());
    EXPECT_EQ(form->fileDialog("OpenDialog3")->nameFilters(), QStringList{"CSV-Dateien (*.csv)"});
    EXPECT_EQ(form->fileDialog("SaveDialog2")->defaultSuffix(), "xls");

    EXPECT_EQ(child<QScrollArea>("ScrollBox1")->backgroundRole(), QPalette::Dark);
    EXPECT_EQ(child<QScrollArea>("ScrollBox2")->backgroundRole(), QPalette::Dark);
    EXPECT_EQ(child<QWidget>("PaintBox1")->pos(), QPoint(8, 8));
    EXPECT_EQ(child<QWidget>("PaintBox1")->cursor().shape(), Qt::PointingHandCursor);
}

// A focused control that has no use for Enter passes it on to the default
// button of the tab in front; a focused button takes it itself.
TEST_F(WindowTest, EnterPressesTheDefaultButtonOfTheTab) {
    addSelectedKat();
    struct Case {
        int tab;
        const char* focus;
        const char* pressed; // "" for none
    };
    const Case cases[] = {
        {0, "ListView1", "AddToDataBaseBtn"},
        {0, "ListView2", "AddToDataBaseBtn"},
        {4, "BezEd", "BitBtn5"},
        {5, "AllEd", "BitBtn7"},
        {6, "ListView5", "AddProdukt"},
        {1, "CaptionEd", ""},
        {2, "LinksEd", ""},
        {3, "FilenameEdit2", ""},
        {4, "BitBtn6", "BitBtn6"},
    };
    const char* const buttons[] = {"AddToDataBaseBtn", "BitBtn5", "BitBtn6", "BitBtn7",
                                   "AddProdukt"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        showTab(c.tab);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const char* name : buttons)
            spies.push_back(
                std::make_unique<QSignalSpy>(child<QPushButton>(name), &QPushButton::clicked));
        QTest::keyClick(child<QWidget>(c.focus), Qt::Key_Return);
        QStringList pressed;
        for (std::size_t i = 0; i < spies.size(); ++i)
            if (spies[i]->count() > 0)
                pressed << QString::fromLatin1(buttons[i]);
        EXPECT_EQ(pressed,
                  *c.pressed ? QStringList{QString::fromLatin1(c.pressed)} : QStringList());
    }
}

TEST_F(WindowTest, ColumnWidthsFollowTheListWidths) {
    auto* kats = child<QTreeWidget>("ListView2");
    auto* prods = child<QTreeWidget>("ListView1");
    auto* data = child<QTreeWidget>("ListView5");
    for (int width : {300, 612}) {
        kats->resize(width, 150);
        prods->resize(width, 200);
        EXPECT_EQ(kats->columnWidth(0), width - 10);
        EXPECT_EQ(prods->columnWidth(0), 150);
        EXPECT_EQ(prods->columnWidth(1), width - 235);
        EXPECT_EQ(prods->columnWidth(2), 75);
    }
    showTab(6);
    data->resize(900, 300);
    EXPECT_EQ(data->columnWidth(0), 150);
    EXPECT_EQ(data->columnWidth(1), 250);
    EXPECT_EQ(data->columnWidth(2), 75);
    EXPECT_EQ(prods->columnWidth(1), prods->width() - 235);
}

TEST_F(WindowTest, FontButtonsOpenTheirDialogs) {
    for (int i = 0; i < FontCount; ++i) {
        const FontRole role = FontRole(i);
        const QString button = QStringLiteral("BitBtnXP%1").arg(i + 3);
        SCOPED_TRACE(button.toStdString());
        const TFontSetting before = form->doc.font(role);

        prompts->font.reset(); // cancelled: the font stays
        form->SetUnChanged();
        child<QPushButton>(button.toLatin1().constData())->click();
        EXPECT_EQ(prompts->fontDialogs.constLast(), QStringLiteral("FontDialog%1").arg(i + 1));
        EXPECT_EQ(form->doc.font(role), before);
        EXPECT_FALSE(form->isChanged());

        // The dialog opens on the current font, in a family that is
        // installed; confirming it untouched keeps the font as it was.
        prompts->confirmFontAsOffered = true;
        child<QPushButton>(button.toLatin1().constData())->click();
        prompts->confirmFontAsOffered = false;
        const QFont offered = prompts->offeredFonts.constLast();
        EXPECT_EQ(QFontInfo(offered).family(), offered.family());
        EXPECT_EQ(offered.pointSize(), before.size);
        EXPECT_EQ(offered.bold(), bool(before.style & TFontSetting::Bold));
        EXPECT_EQ(offered.italic(), bool(before.style & TFontSetting::Italic));
        EXPECT_EQ(form->doc.font(role), before);
        EXPECT_FALSE(form->isChanged());

        prompts->font = QFont(QStringLiteral("Courier New"), 17);
        child<QPushButton>(button.toLatin1().constData())->click();
        EXPECT_EQ(form->doc.font(role).name, "Courier New");
        EXPECT_EQ(form->doc.font(role).size, 17);
        EXPECT_EQ(form->doc.font(role).charset, before.charset);
        EXPECT_TRUE(form->isChanged());
    }
}

// --- binding -----------------------------------------------------------------

TEST_F(WindowTest, ControlEditsReachTheDocumentAndMarkItChanged) {
    using Edit = std::function<void(WindowTest&)>;
    using Check = std::function<bool(const MenuDocument&)>;
    struct Case {
        const char* name;
        Edit edit;
        Check stored;
        bool marks;
    };
    const Case cases[] = {
        {"CaptionEd", [](WindowTest& t) { t.child<QLineEdit>("CaptionEd")->setText("Karte"); },
         [](const MenuDocument& d) { return d.text(TextSetting::Heading) == "Karte"; }, true},
        {"WaehrEd", [](WindowTest& t) { t.child<QLineEdit>("WaehrEd")->setText("EUR"); },
         [](const MenuDocument& d) { return d.text(TextSetting::Currency) == "EUR"; }, true},
        {"LinksEd", [](WindowTest& t) { t.child<QDoubleSpinBox>("LinksEd")->setValue(12.5); },
         [](const MenuDocument& d) { return d.number(NumberSetting::LeftMargin) == 12.5; }, true},
        {"BreitEd2", [](WindowTest& t) { t.child<QDoubleSpinBox>("BreitEd2")->setValue(7.3); },
         [](const MenuDocument& d) { return d.number(NumberSetting::TileWidth) == 7.3; }, true},
        {"SatEd", [](WindowTest& t) { t.child<QSpinBox>("SatEd")->setValue(-40); },
         [](const MenuDocument& d) { return d.number(NumberSetting::TextureSaturation) == -40; },
         true},
        {"CapsCheck", [](WindowTest& t) { t.child<QCheckBox>("CapsCheck")->click(); },
         [](const MenuDocument& d) { return !d.flag(FlagSetting::CategoryCapitals); }, true},
        {"SVerh2Check", [](WindowTest& t) { t.child<QCheckBox>("SVerh2Check")->click(); },
         [](const MenuDocument& d) { return !d.flag(FlagSetting::TextureKeepsAspect); }, true},
        // View state: not stored, not a change of the document.
        {"ZoomEd", [](WindowTest& t) { t.child<QSpinBox>("ZoomEd")->setValue(150); },
         [](const MenuDocument&) { return true; }, false},
        {"SeiteEd", [](WindowTest& t) { t.child<QSpinBox>("SeiteEd")->setValue(3); },
         [](const MenuDocument&) { return true; }, false},
        {"OnlySelected", [](WindowTest& t) { t.child<QCheckBox>("OnlySelected")->click(); },
         [](const MenuDocument&) { return true; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->SetUnChanged();
        c.edit(*this);
        EXPECT_TRUE(c.stored(form->doc));
        EXPECT_EQ(form->isChanged(), c.marks);
    }
}

TEST_F(WindowTest, OpeningAFileShowsItInTheControls) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    prompts->openName = writeFile(dir, "karte.mnx", olderMenuFile());
    form->openDocument();
    QLocale::setDefault(before);

    EXPECT_FALSE(form->isChanged());
    EXPECT_EQ(child<QLineEdit>("CaptionEd")->text(), "Mittagskarte");
    EXPECT_EQ(child<QLineEdit>("FussEd")->text(), "Fuß");
    EXPECT_EQ(child<QLineEdit>("WaehrEd")->text(), "EUR");
    EXPECT_EQ(child<QDoubleSpinBox>("LinksEd")->value(), 20);

    auto* kats = child<QTreeWidget>("ListView2");
    ASSERT_EQ(kats->topLevelItemCount(), 1);
    EXPECT_EQ(kats->topLevelItem(0)->text(0), "Suppen");
    EXPECT_TRUE(kats->topLevelItem(0)->isSelected());
    EXPECT_EQ(form->viewState().selectedCategory(), 0);
    auto* prods = child<QTreeWidget>("ListView1");
    ASSERT_EQ(prods->topLevelItemCount(), 1);
    EXPECT_EQ(prods->topLevelItem(0)->text(0), "Gulasch");
    EXPECT_EQ(prods->topLevelItem(0)->text(1), "scharf");
    EXPECT_EQ(prods->topLevelItem(0)->text(2), "4,50");
    EXPECT_TRUE(child<QPushButton>("NeuesProduktBtn")->isEnabled());

    // Changes made in the document show at once, without marking anything
    // twice or echoing back.
    form->doc.setNumber(NumberSetting::TextureBrightness, 80);
    form->doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"2", "Konservierungsstoff"}});
    form->doc.setKatName(0, "Vorspeisen");
    EXPECT_EQ(child<QSpinBox>("HellEd")->value(), 80);
    EXPECT_EQ(child<QTreeWidget>("ListView3")->topLevelItemCount(), 2);
    EXPECT_EQ(child<QTreeWidget>("ListView3")->topLevelItem(1)->text(1), "Konservierungsstoff");
    EXPECT_EQ(kats->topLevelItem(0)->text(0), "Vorspeisen");

    // New empties the lists; the product buttons wait for a category again.
    prompts->answer = TPrompts::Answer::No;
    form->newDocument();
    EXPECT_EQ(kats->topLevelItemCount(), 0);
    EXPECT_EQ(prods->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>("NeuesProduktBtn")->isEnabled());
}

// --- preview -----------------------------------------------------------------

TEST(PreviewGeometry, BitmapFollowsPaperScreenAndZoom) {
    const TPageSetup printer{600, 4760, 6814};
    EXPECT_NEAR(printer.WidthMM(), 201.5, 0.05);
    EXPECT_NEAR(printer.HeightMM(), 288.5, 0.05);
    struct Case {
        TPageSetup paper;
        int sdpi;
        double zoom;
        QSize bitmap;
    };
    const Case cases[] = {
        {printer, 96, 100, {761, 1090}},       {printer, 96, 200, {1523, 2180}},
        {printer, 96, 10, {76, 109}},          {printer, 120, 100, {952, 1362}},
        {A4PageSetup(), 96, 100, {793, 1122}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviewBitmapSize(c.paper, c.sdpi, c.zoom), c.bitmap) << c.zoom;
        EXPECT_EQ(PreviewBoxSize(c.bitmap), c.bitmap + QSize(8, 8));
    }
}

TEST(PreviewGeometry, DragAndWheelArithmetic) {
    struct Drag {
        int position, anchor, mouse, maximum, expected;
    };
    const Drag drags[] = {
        {100, 50, 30, 500, 120},  {100, 50, 70, 500, 80}, {10, 50, 500, 500, 0},
        {490, 500, 50, 500, 500}, {0, 0, 100, 0, 0},
    };
    for (const Drag& d : drags)
        EXPECT_EQ(DragScrollPosition(d.position, d.anchor, d.mouse, d.maximum), d.expected);

    int pending = 0;
    EXPECT_EQ(TakeWheelNotches(pending, -120), -1);
    EXPECT_EQ(TakeWheelNotches(pending, 60), 0);
    EXPECT_EQ(TakeWheelNotches(pending, 60), 1);
    EXPECT_EQ(TakeWheelNotches(pending, 360), 3);
    EXPECT_EQ(pending, 0);
}

TEST_F(WindowTest, PreviewBoxFollowsZoomAndDrawsThePage) {
    form->doc.setText(TextSetting::TextureFile, QString()); // a plain white page
    showTab(1);
    auto* box = child<QWidget>("PaintBox1");
    const int sdpi = form->screenDpi();
    for (int zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        child<QSpinBox>("ZoomEd")->setValue(zoom);
        const QSize bitmap = PreviewBitmapSize(form->paper(), sdpi, zoom);
        EXPECT_EQ(box->size(), bitmap + QSize(8, 8));
        const QImage shown = box->grab().toImage();
        EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::black)); // the page's outline
        EXPECT_EQ(QColor(shown.pixel(3, 3)), QColor(Qt::white)); // inside the page
    }
    // Without a printer the page is A4 at 600 pixels per inch.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        EXPECT_EQ(form->paper().pw, A4PageSetup().pw);
    }
}

TEST_F(WindowTest, DraggingThePageStopsAtTheEndsOfTheScrollRange) {
    showTab(1);
    child<QSpinBox>("ZoomEd")->setValue(200);
    auto* box = child<QWidget>("PaintBox1");
    auto* scroll = child<QScrollArea>("ScrollBox1");
    QScrollBar* h = scroll->horizontalScrollBar();
    QScrollBar* v = scroll->verticalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    ASSERT_GT(v->maximum(), 0);

    mouse(box, QEvent::MouseButtonPress, {300, 300});
    mouse(box, QEvent::MouseMove, {280, 250}); // pulled left and up: scrolls on
    EXPECT_EQ(h->value(), 20);
    EXPECT_EQ(v->value(), 50);
    mouse(box, QEvent::MouseMove, {-100000, -100000});
    EXPECT_EQ(h->value(), h->maximum());
    EXPECT_EQ(v->value(), v->maximum());
    mouse(box, QEvent::MouseMove, {100000, 100000});
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), 0);
    mouse(box, QEvent::MouseMove, {300, -100000}); // straight down past the end
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), v->maximum());
    mouse(box, QEvent::MouseButtonRelease, {300, 300});
    mouse(box, QEvent::MouseMove, {100000, 100000}); // no drag any more
    EXPECT_EQ(v->value(), v->maximum());
}

TEST_F(WindowTest, WheelScrollsThePreviewOfTheTabInFront) {
    child<QSpinBox>("ZoomEd")->setValue(300);
    form->doc.setText(TextSetting::TextureFile, writeImage(QSize(1500, 1500)));
    ASSERT_FALSE(form->texture().isEmpty());
    EXPECT_EQ(child<QWidget>("PaintBox2")->size(), QSize(1500, 1500));

    showTab(1); // each box learns its scroll range when it is first shown
    showTab(3);
    QScrollBar* preview = child<QScrollArea>("ScrollBox1")->verticalScrollBar();
    QScrollBar* texture = child<QScrollArea>("ScrollBox2")->verticalScrollBar();
    struct Case {
        int tab;
        int previewMoves, textureMoves;
    };
    const Case cases[] = {{0, 0, 0}, {1, 20, 0}, {2, 0, 0}, {3, 0, 20}, {4, 0, 0}, {6, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        showTab(c.tab);
        preview->setValue(100);
        texture->setValue(100);
        wheel(-1);
        EXPECT_EQ(preview->value(), 100 + c.previewMoves);
        EXPECT_EQ(texture->value(), 100 + c.textureMoves);
        wheel(2);
        EXPECT_EQ(preview->value(), 100 - c.previewMoves);
        EXPECT_EQ(texture->value(), 100 - c.textureMoves);
    }
}

TEST_F(WindowTest, TextureFollowsItsControls) {
    const QString image = writeImage(QSize(40, 30));
    prompts->browseName = image;
    form->findChild<QAction*>("FilenameEdit2Browse")->trigger();
    EXPECT_EQ(prompts->browseFilters, DibFilterToNameFilters(GetDIBOpenFilter()));
    EXPECT_EQ(form->doc.text(TextSetting::TextureFile), image);
    ASSERT_FALSE(form->texture().isEmpty());
    EXPECT_EQ(child<QWidget>("PaintBox2")->size(), QSize(40, 30));
    // Lightened by default: the orange is paler than in the file.
    EXPECT_GT(QColor(form->texture().image().pixel(0, 0)).blue(), 40);

    child<QCheckBox>("LightenCheck")->click(); // prepared again at once
    EXPECT_EQ(QColor(form->texture().image().pixel(0, 0)), QColor(200, 120, 40));

    child<QCheckBox>("LightenCheck")->click();
    const QRgb lightened = form->texture().image().pixel(0, 0);
    EXPECT_NE(QColor(lightened), QColor(200, 120, 40));

    // Brightness is prepared shortly after the last edit, not at once.
    auto* timer = child<QTimer>("Timer1");
    child<QSpinBox>("HellEd")->setValue(90);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(form->texture().image().pixel(0, 0), lightened);
    timer->start(0); // due now: fires on the next pass of the event loop
    QApplication::processEvents();
    timer->setInterval(300);
    EXPECT_FALSE(timer->isActive());
    EXPECT_NE(form->texture().image().pixel(0, 0), lightened);
}

// A texture that cannot be used leaves the page without one and says why
// beside the file field.
TEST_F(WindowTest, MissingTextureIsNamedBesideTheFileField) {
    QFile damaged(dir.filePath(QStringLiteral("kaputt.png")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("kein Bild");
    damaged.close();
    const QString noFile = dir.filePath(QStringLiteral("fehlt.png"));
    const std::pair<QString, const char*> cases[] = {
        {writeImage(QSize(20, 20)), ""},
        {noFile, "Datei nicht gefunden"},
        {damaged.fileName(), "Bild nicht lesbar"},
        {QString(), ""}, // no texture asked for
    };
    auto* note = child<QLabel>("TextureProblem");
    for (const auto& [file, problem] : cases) {
        SCOPED_TRACE(file.toStdString());
        child<QLineEdit>("FilenameEdit2")->setText(file);
        EXPECT_EQ(note->text(), QString::fromUtf8(problem));
        EXPECT_EQ(form->texture().isEmpty(), *problem || file.isEmpty());
        if (form->texture().isEmpty()) {
            EXPECT_EQ(child<QWidget>("PaintBox2")->size(), QSize(0, 0));
        }
    }
}

// However small the user makes the window, every tab shows all its controls
// and texts whole; the window still fits its design width of 764 pixels.
TEST_F(WindowTest, EveryTabShowsItsControlsWholeAtTheSmallestSize) {
    form->resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), form->minimumSize());
    EXPECT_LE(form->width(), 764);
    for (int tab = 0; tab < tabs()->count(); ++tab) {
        showTab(tab);
        const QWidget* page = tabs()->widget(tab);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                              qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QGroupBox*>(w);
            // The parts of a field (its buttons) are the field's own business.
            const bool partOfField = qobject_cast<QLineEdit*>(w->parentWidget()) ||
                                     qobject_cast<QAbstractSpinBox*>(w->parentWidget());
            if (!text || partOfField || !w->isVisible())
                continue;
            const auto* label = qobject_cast<QLabel*>(w);
            SCOPED_TRACE(testing::Message()
                         << "tab " << tab << ": " << w->metaObject()->className() << " "
                         << w->objectName().toStdString() << " "
                         << (label ? label->text().toStdString() : std::string()));
            const QSize wanted = qobject_cast<QGroupBox*>(w) ? w->minimumSizeHint() : w->sizeHint();
            EXPECT_GE(w->width(), wanted.width());
            EXPECT_GE(w->height(), wanted.height());
            // Nothing of it is cut off by the page or the controls around it.
            EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect());
        }
    }
}

} // namespace
