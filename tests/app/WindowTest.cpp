// The main window's controls, command map, keyboard, mouse and preview.
#include <cmath>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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

#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/MenuFixtures.h"
#include "layout/Preview.h"
#include "texture/Dib.h"

namespace {

// The fixture's helpers are public: the tables of cases below reach them
// through a reference to the fixture.
class WindowTest : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto owned = std::make_unique<FakePrompts>();
        prompts = owned.get();
        form = std::make_unique<TMainForm>(std::move(owned));
        QObject::connect(form.get(), &TMainForm::handlerCalled,
                         [this](const QString& name) { called << name; });
        form->show();
        called.clear();
    }

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

    QTemporaryDir dir;
    FakePrompts* prompts = nullptr;
    std::unique_ptr<TMainForm> form;
    QStringList called;
};

// --- command map -------------------------------------------------------------

TEST_F(WindowTest, EveryTriggerReachesItsHandler) {
    addSelectedKat();
    const QString texture = writeImage(QSize(40, 30));
    using Fire = std::function<void(WindowTest&)>;
    auto action = [](const char* name) -> Fire {
        return [name](WindowTest& t) { t.form->Action(QString::fromLatin1(name))->trigger(); };
    };
    auto click = [](const char* name) -> Fire {
        return [name](WindowTest& t) {
            auto* b = t.child<QAbstractButton>(name);
            ASSERT_TRUE(b->isEnabled()) << name;
            b->click();
        };
    };
    auto onTab = [](int tab, Fire fire) -> Fire {
        return [tab, fire](WindowTest& t) {
            t.showTab(tab);
            fire(t);
        };
    };
    auto setText = [](const char* name, const char* text) -> Fire {
        return [name, text](WindowTest& t) { t.child<QLineEdit>(name)->setText(text); };
    };
    auto setValue = [](const char* name, int value) -> Fire {
        return [name, value](WindowTest& t) { t.child<QSpinBox>(name)->setValue(value); };
    };
    auto doubleClick = [](const char* list, int tab) -> Fire {
        return [list, tab](WindowTest& t) {
            t.showTab(tab);
            auto* view = t.child<QTreeWidget>(list);
            if (view->topLevelItemCount() == 0) // the database list is empty
                view->addTopLevelItem(new QTreeWidgetItem({"Tee"}));
            const QPoint at = view->visualItemRect(view->topLevelItem(0)).center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
                t.mouse(view->viewport(), type, at);
        };
    };

    struct Case {
        const char* trigger;
        Fire fire;
        const char* handler;
    };
    const Case cases[] = {
        {"ffnen1", action("ffnen1"), "ffnen1Click"},
        {"OpenBtn", click("OpenBtn"), "ffnen1Click"},
        {"Speichern1", action("Speichern1"), "Speichern1Click"},
        {"SaveBtn", click("SaveBtn"), "Speichern1Click"},
        {"Speichernunter1", action("Speichernunter1"), "Speichernunter1Click"},
        {"BitBtnXP1", click("BitBtnXP1"), "Speichernunter1Click"},
        {"ExportierenalsCSVDatei1", action("ExportierenalsCSVDatei1"),
         "ExportierenalsCSVDatei1Click"},
        {"ImportierenausCSVDatei1", action("ImportierenausCSVDatei1"),
         "ImportierenausCSVDatei1Click"},
        {"Drucken1", action("Drucken1"), "Drucken1Click"},
        {"DruckenBtn", click("DruckenBtn"), "Drucken1Click"},
        {"AktuelleSeitedrucken1", action("AktuelleSeitedrucken1"), "AktuelleSeitedrucken1Click"},
        {"Druckereinrichten1", action("Druckereinrichten1"), "Druckereinrichten1Click"},
        {"DPIWertbeimDruckenselbereinstellen1", action("DPIWertbeimDruckenselbereinstellen1"),
         "DPIWertbeimDruckenselbereinstellen1Click"},
        {"Deutsch1", action("Deutsch1"), "Deutsch1Click"},
        {"English1", action("English1"), "English1Click"},
        {"Franais1", action("Franais1"), "Franais1Click"},
        {"Nederlands1", action("Nederlands1"), "Nederlands1Click"},
        {"Swedish1", action("Swedish1"), "Swedish1Click"},
        {"bersetzen1", action("bersetzen1"), "bersetzen1Click"},
        {"ber1", action("ber1"), "ber1Click"},
        {"BitBtn1", click("BitBtn1"), "BitBtn1Click"},
        {"BitBtnXP2", click("BitBtnXP2"), "BitBtnXP2Click"},
        {"BitBtn2", click("BitBtn2"), "BitBtn2Click"},
        {"BitBtn3", click("BitBtn3"), "BitBtn3Click"},
        {"BitBtn4", click("BitBtn4"), "BitBtn4Click"},
        {"NeuesProduktBtn", click("NeuesProduktBtn"), "NeuesProduktBtnClick"},
        {"ProduktBearbeitenBtn", click("ProduktBearbeitenBtn"), "ProduktBearbeitenBtnClick"},
        {"ProduktLoeschenBtn", click("ProduktLoeschenBtn"), "ProduktLoeschenBtnClick"},
        {"ProduktNachObenBtn", click("ProduktNachObenBtn"), "ProduktNachObenBtnClick"},
        {"ProduktNachUntenBtn", click("ProduktNachUntenBtn"), "ProduktNachUntenBtnClick"},
        {"ListView1 double click", doubleClick("ListView1", 0), "ProduktBearbeitenBtnClick"},
        {"ListView5 double click", doubleClick("ListView5", 6), "ProduktBearbeitenBtnClick"},
        {"ListView2 click",
         [](WindowTest& t) {
             t.showTab(0);
             auto* view = t.child<QTreeWidget>("ListView2");
             QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                               view->visualItemRect(view->topLevelItem(0)).center());
         },
         "ListView2Click"},
        {"ListView2 selection",
         [](WindowTest& t) { t.child<QTreeWidget>("ListView2")->clearSelection(); },
         "ListView2Change"},
        {"ListView2 caption",
         [](WindowTest& t) {
             t.child<QTreeWidget>("ListView2")->topLevelItem(0)->setText(0, "Vorspeisen");
         },
         "ListView2Change"},
        {"AddToDataBaseBtn", click("AddToDataBaseBtn"), "AddToDataBaseBtnClick"},
        {"AddProdukt", click("AddProdukt"), "AddProduktClick"},
        {"DelProdDataBtn", click("DelProdDataBtn"), "DelProdDataBtnClick"},
        {"BitBtn5", click("BitBtn5"), "BitBtn5Click"},
        {"BitBtn6", click("BitBtn6"), "BitBtn6Click"},
        {"BitBtnXP12", click("BitBtnXP12"), "BitBtnXP12Click"},
        {"BitBtnXP13", click("BitBtnXP13"), "BitBtnXP13Click"},
        {"BitBtn7", click("BitBtn7"), "BitBtn7Click"},
        {"BitBtn8", click("BitBtn8"), "BitBtn8Click"},
        {"BitBtnXP14", click("BitBtnXP14"), "BitBtnXP14Click"},
        {"BitBtnXP15", click("BitBtnXP15"), "BitBtnXP15Click"},
        {"BitBtnXP16", click("BitBtnXP16"), "BitBtnXP16Click"},
        {"BitBtnXP3", click("BitBtnXP3"), "BitBtnXP3Click"},
        {"BitBtnXP4", click("BitBtnXP4"), "BitBtnXP4Click"},
        {"BitBtnXP5", click("BitBtnXP5"), "BitBtnXP5Click"},
        {"BitBtnXP6", click("BitBtnXP6"), "BitBtnXP6Click"},
        {"BitBtnXP7", click("BitBtnXP7"), "BitBtnXP7Click"},
        {"BitBtnXP8", click("BitBtnXP8"), "BitBtnXP8Click"},
        {"BitBtnXP9", click("BitBtnXP9"), "BitBtnXP9Click"},
        {"BitBtnXP10", click("BitBtnXP10"), "BitBtnXP10Click"},
        {"BitBtnXP11", click("BitBtnXP11"), "BitBtnXP11Click"},
        {"ZoomEd", setValue("ZoomEd", 110), "ZoomEdChange"},
        {"SeiteEd", setValue("SeiteEd", 2), "ZoomEdChange"},
        {"CaptionEd", setText("CaptionEd", "Karte"), "CaptionEdChange"},
        {"FussEd", setText("FussEd", "Fuß"), "CaptionEdChange"},
        {"KopfEd", setText("KopfEd", "Kopf"), "CaptionEdChange"},
        {"RahmenCheck", click("RahmenCheck"), "RahmenCheckClick"},
        {"OnlySelected", click("OnlySelected"), "OnlySelectedClick"},
        {"PaintBox1 press",
         onTab(1,
               [](WindowTest& t) {
                   t.mouse(t.child<QWidget>("PaintBox1"), QEvent::MouseButtonPress, {20, 20});
               }),
         "PaintBox1MouseDown"},
        {"PaintBox1 move",
         [](WindowTest& t) {
             t.mouse(t.child<QWidget>("PaintBox1"), QEvent::MouseMove, {10, 10});
         },
         "PaintBox1MouseMove"},
        {"PaintBox1 release",
         [](WindowTest& t) {
             t.mouse(t.child<QWidget>("PaintBox1"), QEvent::MouseButtonRelease, {10, 10});
         },
         "PaintBox1MouseUp"},
        {"PaintBox1 paint", [](WindowTest& t) { t.child<QWidget>("PaintBox1")->grab(); },
         "PaintBox1Paint"},
        {"wheel down", [](WindowTest& t) { t.wheel(-1); }, "FormMouseWheelDown"},
        {"wheel up", [](WindowTest& t) { t.wheel(1); }, "FormMouseWheelUp"},
        {"FilenameEdit2", setText("FilenameEdit2", "fehlt.png"), "FilenameEdit2Change"},
        {"FilenameEdit2 browse",
         [texture](WindowTest& t) {
             t.prompts->browseName = texture;
             t.form->findChild<QAction*>("FilenameEdit2Browse")->trigger();
         },
         "FilenameEdit2Change"},
        {"PaintBox2 paint", onTab(3, [](WindowTest& t) { t.child<QWidget>("PaintBox2")->grab(); }),
         "PaintBox2Paint"},
        {"GrayScaleCheck", click("GrayScaleCheck"), "GrayScaleCheckClick"},
        {"LightenCheck", click("LightenCheck"), "LightenCheckClick"},
        {"HellEd", setValue("HellEd", 60), "HellEdChange"},
        {"SatEd", setValue("SatEd", 10), "HellEdChange"},
        {"Timer1",
         [](WindowTest& t) {
             // A due timer fires on the next pass of the event loop.
             auto* timer = t.child<QTimer>("Timer1");
             timer->start(0);
             QApplication::processEvents();
             timer->setInterval(300);
         },
         "Timer1Timer"},
        {"Neu1", action("Neu1"), "Neu1Click"},
        {"Beenden1", action("Beenden1"), "Beenden1Click"},
        {"EndeBtn", click("EndeBtn"), "Beenden1Click"},
    };
    prompts->answer = TPrompts::Answer::No; // no dialog opens anything
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        form->show();
        called.clear();
        c.fire(*this);
        EXPECT_TRUE(called.contains(QString::fromLatin1(c.handler))) << called.join(' ');
    }
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

    // Menus: every item in place and enabled.
    QStringList items;
    for (QAction* a : form->findChild<QMenu*>("Datei1")->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{"Neu", "Öffnen...", "Speichern", "Speichern unter...",
                                  "Exportieren als CSV Datei...", "Importieren aus CSV Datei...",
                                  "-", "Drucken", "Aktuelle Seite drucken", "Drucker einrichten...",
                                  "-", "Beenden"}));
    for (QAction* a : form->menuBar()->findChildren<QAction*>())
        EXPECT_TRUE(a->isEnabled()) << a->objectName();
    for (QToolButton* b : child<QWidget>("Panel1")->findChildren<QToolButton*>()) {
        EXPECT_TRUE(b->isEnabled()) << b->objectName();
        EXPECT_FALSE(b->icon().isNull()) << b->objectName();
    }
    for (int i = 0; i < tabs()->count(); ++i)
        EXPECT_FALSE(tabs()->tabIcon(i).isNull()) << i;
    EXPECT_TRUE(form->Action("DPIWertbeimDruckenselbereinstellen1")->isCheckable());
    EXPECT_TRUE(form->Action("Deutsch1")->isChecked());

    auto* timer = child<QTimer>("Timer1");
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_FALSE(timer->isActive());

    const QStringList images = DibFilterToNameFilters(GetDIBOpenFilter());
    EXPECT_EQ(form->FileDialog("OpenDialog2").nameFilters, images);
    EXPECT_EQ(form->FileDialog("FilenameEdit2").nameFilters, images);
    EXPECT_EQ(form->FileDialog("SaveDialog1").defaultSuffix, "mnx");
    EXPECT_TRUE(form->FileDialog("SaveDialog1").confirmOverwrite);
    EXPECT_EQ(form->FileDialog("OpenDialog3").nameFilters, QStringList{"CSV-Dateien (*.csv)"});
    EXPECT_EQ(form->FileDialog("SaveDialog2").defaultSuffix, "xls");

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
        const char* handler; // "" for none
    };
    const Case cases[] = {
        {0, "ListView1", "AddToDataBaseBtnClick"},
        {0, "ListView2", "AddToDataBaseBtnClick"},
        {4, "BezEd", "BitBtn5Click"},
        {5, "AllEd", "BitBtn7Click"},
        {6, "ListView5", "AddProduktClick"},
        {1, "CaptionEd", ""},
        {2, "LinksEd", ""},
        {3, "FilenameEdit2", ""},
        {4, "BitBtn6", "BitBtn6Click"},
    };
    const QStringList defaults{"AddToDataBaseBtnClick", "BitBtn5Click", "BitBtn7Click",
                               "AddProduktClick"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        showTab(c.tab);
        called.clear();
        QTest::keyClick(child<QWidget>(c.focus), Qt::Key_Return);
        QStringList pressed;
        for (const QString& name : called)
            if (defaults.contains(name) || name == "BitBtn6Click")
                pressed << name;
        EXPECT_EQ(pressed,
                  *c.handler ? QStringList{QString::fromLatin1(c.handler)} : QStringList());
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
        EXPECT_FALSE(form->IsChanged());

        prompts->font = QFont(QStringLiteral("Courier New"), 17);
        child<QPushButton>(button.toLatin1().constData())->click();
        EXPECT_EQ(form->doc.font(role).name, "Courier New");
        EXPECT_EQ(form->doc.font(role).size, 17);
        EXPECT_EQ(form->doc.font(role).charset, before.charset);
        EXPECT_TRUE(form->IsChanged());
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
         [](const MenuDocument& d) { return d.text(TextSetting::CaptionEd) == "Karte"; }, true},
        {"WaehrEd", [](WindowTest& t) { t.child<QLineEdit>("WaehrEd")->setText("EUR"); },
         [](const MenuDocument& d) { return d.text(TextSetting::WaehrEd) == "EUR"; }, true},
        {"LinksEd", [](WindowTest& t) { t.child<QDoubleSpinBox>("LinksEd")->setValue(12.5); },
         [](const MenuDocument& d) { return d.number(NumberSetting::LinksEd) == 12.5; }, true},
        {"BreitEd2", [](WindowTest& t) { t.child<QDoubleSpinBox>("BreitEd2")->setValue(7.3); },
         [](const MenuDocument& d) { return d.number(NumberSetting::BreitEd2) == 7.3; }, true},
        {"SatEd", [](WindowTest& t) { t.child<QSpinBox>("SatEd")->setValue(-40); },
         [](const MenuDocument& d) { return d.number(NumberSetting::SatEd) == -40; }, true},
        {"CapsCheck", [](WindowTest& t) { t.child<QCheckBox>("CapsCheck")->click(); },
         [](const MenuDocument& d) { return !d.flag(FlagSetting::CapsCheck); }, true},
        {"SVerh2Check", [](WindowTest& t) { t.child<QCheckBox>("SVerh2Check")->click(); },
         [](const MenuDocument& d) { return !d.flag(FlagSetting::SVerh2Check); }, true},
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
        EXPECT_EQ(form->IsChanged(), c.marks);
    }
}

TEST_F(WindowTest, OpeningAFileShowsItInTheControls) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    prompts->openName = writeFile(dir, "karte.mnx", olderMenuFile());
    form->ffnen1Click();
    QLocale::setDefault(before);

    EXPECT_FALSE(form->IsChanged());
    EXPECT_TRUE(called.contains("ListView2Change")); // selecting the first category
    EXPECT_EQ(child<QLineEdit>("CaptionEd")->text(), "Mittagskarte");
    EXPECT_EQ(child<QLineEdit>("FussEd")->text(), "Fuß");
    EXPECT_EQ(child<QLineEdit>("WaehrEd")->text(), "EUR");
    EXPECT_EQ(child<QDoubleSpinBox>("LinksEd")->value(), 20);

    auto* kats = child<QTreeWidget>("ListView2");
    ASSERT_EQ(kats->topLevelItemCount(), 1);
    EXPECT_EQ(kats->topLevelItem(0)->text(0), "Suppen");
    EXPECT_TRUE(kats->topLevelItem(0)->isSelected());
    EXPECT_EQ(form->SelectedKat(), 0);
    auto* prods = child<QTreeWidget>("ListView1");
    ASSERT_EQ(prods->topLevelItemCount(), 1);
    EXPECT_EQ(prods->topLevelItem(0)->text(0), "Gulasch");
    EXPECT_EQ(prods->topLevelItem(0)->text(1), "scharf");
    EXPECT_EQ(prods->topLevelItem(0)->text(2), "4,50");
    EXPECT_TRUE(child<QPushButton>("NeuesProduktBtn")->isEnabled());

    // Changes made in the document show at once, without marking anything
    // twice or echoing back.
    form->doc.setNumber(NumberSetting::HellEd, 80);
    form->doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"2", "Konservierungsstoff"}});
    form->doc.setKatName(0, "Vorspeisen");
    EXPECT_EQ(child<QSpinBox>("HellEd")->value(), 80);
    EXPECT_EQ(child<QTreeWidget>("ListView3")->topLevelItemCount(), 2);
    EXPECT_EQ(child<QTreeWidget>("ListView3")->topLevelItem(1)->text(1), "Konservierungsstoff");
    EXPECT_EQ(kats->topLevelItem(0)->text(0), "Vorspeisen");

    // New empties the lists; the product buttons wait for a category again.
    prompts->answer = TPrompts::Answer::No;
    form->Neu1Click();
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
    form->doc.setText(TextSetting::FilenameEdit2, QString()); // a plain white page
    showTab(1);
    auto* box = child<QWidget>("PaintBox1");
    const int sdpi = form->ScreenDpi();
    for (int zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        child<QSpinBox>("ZoomEd")->setValue(zoom);
        const QSize bitmap = PreviewBitmapSize(form->Paper(), sdpi, zoom);
        EXPECT_EQ(box->size(), bitmap + QSize(8, 8));
        called.clear();
        const QImage shown = box->grab().toImage();
        EXPECT_TRUE(called.contains("PaintBox1Paint"));
        EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::black)); // the page's outline
        EXPECT_EQ(QColor(shown.pixel(3, 3)), QColor(Qt::white)); // inside the page
    }
    // Without a printer the page is A4 at 600 pixels per inch.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        EXPECT_EQ(form->Paper().pw, A4PageSetup().pw);
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
    form->doc.setText(TextSetting::FilenameEdit2, writeImage(QSize(1500, 1500)));
    ASSERT_FALSE(form->Texture().isEmpty());
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
    EXPECT_EQ(form->doc.text(TextSetting::FilenameEdit2), image);
    ASSERT_FALSE(form->Texture().isEmpty());
    EXPECT_EQ(child<QWidget>("PaintBox2")->size(), QSize(40, 30));
    // Lightened by default: the orange is paler than in the file.
    EXPECT_GT(QColor(form->Texture().image().pixel(0, 0)).blue(), 40);

    child<QCheckBox>("LightenCheck")->click(); // prepared again at once
    EXPECT_EQ(QColor(form->Texture().image().pixel(0, 0)), QColor(200, 120, 40));

    auto* timer = child<QTimer>("Timer1");
    child<QSpinBox>("HellEd")->setValue(90); // prepared later
    EXPECT_TRUE(timer->isActive());
    form->Timer1Timer();
    EXPECT_FALSE(timer->isActive());

    child<QLineEdit>("FilenameEdit2")->setText(dir.filePath("fehlt.png"));
    EXPECT_TRUE(form->Texture().isEmpty());
    EXPECT_EQ(child<QWidget>("PaintBox2")->size(), QSize(0, 0));
}

} // namespace
