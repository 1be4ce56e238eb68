// Building a menu in the window: categories, products and the product
// dialog, legends, the product database, and taking steps back.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/WindowFixture.h"
#include "app/tabs/EditProduktFUnit.h"
#include "files/MenuFile.h"
#include "translation/TranslateUnit.h"

namespace {

class EditingWindowTest : public ::testing::Test {
public:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto owned = std::make_unique<FakePrompts>();
        prompts = owned.get();
        form = std::make_unique<TMainForm>(std::move(owned), TestStartup());
        form->show();
        QApplication::processEvents();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    template <class T> T* child(const char* name) {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* button) { child<QPushButton>(button)->click(); }
    QTreeWidget* list(const char* name) { return child<QTreeWidget>(name); }
    QStringList column(const char* name, int c) {
        QStringList texts;
        QTreeWidget* l = list(name);
        for (int i = 0; i < l->topLevelItemCount(); ++i)
            texts << l->topLevelItem(i)->text(c);
        return texts;
    }
    int selectedRow(const char* name) {
        const QList<QTreeWidgetItem*> s = list(name)->selectedItems();
        return s.isEmpty() ? -1 : list(name)->indexOfTopLevelItem(s.first());
    }
    void selectRow(const char* name, int row) {
        list(name)->setCurrentItem(list(name)->topLevelItem(row));
    }
    QStringList katNames() {
        QStringList names;
        for (int i = 0; i < form->doc.katCount(); ++i)
            names << form->doc.katName(i);
        return names;
    }
    // The in-place editor open on a list (closed ones may linger until deleted).
    QLineEdit* openEditor(const char* listName) {
        for (QLineEdit* e : list(listName)->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    // "Neue Kategorie", typing the name into the editor that opens on the row.
    void newCategory(const QString& name) {
        click("BitBtn1");
        QLineEdit* editor = openEditor("ListView2");
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    // "Neues Produkt", answering the dialog with `fields`.
    void newProduct(const TProductFields& fields) {
        prompts->productDialog = [fields](TProductFields& f) {
            f = fields;
            return true;
        };
        click("NeuesProduktBtn");
        prompts->productDialog = nullptr;
    }
    TProduktRec& product(int category, int j) {
        return *static_cast<TProduktRec*>(form->doc.products(category)->GetObject(uint32_t(j)));
    }

    FakePrompts* prompts = nullptr;
    std::unique_ptr<TMainForm> form;
};

TEST_F(EditingWindowTest, CategoryCommandsKeepListAndDocumentInStep) {
    EXPECT_FALSE(child<QPushButton>("NeuesProduktBtn")->isEnabled());
    for (const char* name : {"A", "B", "C"})
        newCategory(QString::fromLatin1(name));
    EXPECT_EQ(katNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(column("ListView2", 0), katNames());
    EXPECT_EQ(selectedRow("ListView2"), 2);
    EXPECT_TRUE(child<QPushButton>("NeuesProduktBtn")->isEnabled());

    struct Move {
        int selected;
        const char* button;
        int expectedRow;
        QStringList order;
    };
    const Move moves[] = {
        {1, "BitBtn3", 0, {"B", "A", "C"}}, {0, "BitBtn3", 0, {"B", "A", "C"}},
        {0, "BitBtn4", 1, {"A", "B", "C"}}, {2, "BitBtn4", 2, {"A", "B", "C"}},
        {1, "BitBtn4", 2, {"A", "C", "B"}}, {2, "BitBtn3", 1, {"A", "B", "C"}},
    };
    for (const Move& m : moves) {
        selectRow("ListView2", m.selected);
        const QStringList before = katNames();
        form->SetUnChanged();
        click(m.button);
        // Only a move that happens marks the document changed.
        EXPECT_EQ(form->isChanged(), m.order != before) << m.selected << m.button;
        EXPECT_EQ(katNames(), m.order) << m.selected << m.button;
        EXPECT_EQ(column("ListView2", 0), m.order);
        EXPECT_EQ(selectedRow("ListView2"), m.expectedRow);
        EXPECT_EQ(form->viewState().selectedCategory(), m.expectedRow);
    }

    // Rename in place.
    selectRow("ListView2", 1);
    click("BitBtnXP2");
    QLineEdit* editor = openEditor("ListView2");
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Beilagen"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits on the next turn of the loop
    EXPECT_EQ(katNames(), (QStringList{"A", "Beilagen", "C"}));

    // Deleting leaves no category selected and the product buttons disabled.
    newProduct({"Reis", "", "", 2, 0});
    form->SetUnChanged();
    click("BitBtn2");
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(katNames(), (QStringList{"A", "C"}));
    EXPECT_EQ(column("ListView2", 0), katNames());
    EXPECT_EQ(list("ListView1")->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>("ProduktLoeschenBtn")->isEnabled());
    click("BitBtn2"); // nothing selected: nothing happens
    EXPECT_EQ(katNames().size(), 2);

    // Undo names its step, brings back the category with its product and
    // marks the document changed.
    QAction* undo = form->action("Rueckgaengig1");
    EXPECT_EQ(undo->text(), QString::fromUtf8("Rückgängig: Kategorie löschen"));
    form->SetUnChanged();
    undo->trigger();
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(column("ListView2", 0), (QStringList{"A", "Beilagen", "C"}));
    EXPECT_EQ(TextOf(product(1, 0).name), "Reis");
    EXPECT_EQ(form->action("Wiederholen1")->text(),
              QString::fromUtf8("Wiederholen: Kategorie löschen"));
    form->action("Wiederholen1")->trigger();
    EXPECT_EQ(katNames(), (QStringList{"A", "C"}));
}

TEST_F(EditingWindowTest, ProductCommandsThroughTheDialog) {
    newCategory(QStringLiteral("Suppen"));
    form->doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}, {"2", ""}});

    // A product with empty texts stores three empty owned texts.
    form->SetUnChanged();
    newProduct({});
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(prompts->offeredProducts.last(), TProductFields{});
    EXPECT_EQ(prompts->offeredAdditives, (QStringList{"Farbstoff", ""}));
    EXPECT_TRUE(prompts->offeredAllergens.isEmpty());
    for (const char16_t* text :
         {product(0, 0).name, product(0, 0).description, product(0, 0).quantity}) {
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text[0], u'\0');
    }
    newProduct({"Gulasch", "scharf", "", 2.675, 0});
    newProduct({"Suppe", "", "", 0, 0});
    EXPECT_EQ(column("ListView1", 0), (QStringList{"", "Gulasch", "Suppe"}));
    EXPECT_EQ(column("ListView1", 2), (QStringList{"0,00", "2,68", "0,00"}));

    // Cancelled dialogs change nothing.
    const QByteArray before = MenuFileBytes(form->doc);
    click("NeuesProduktBtn");
    selectRow("ListView1", 1);
    click("ProduktBearbeitenBtn");
    EXPECT_EQ(prompts->offeredProducts.last(), (TProductFields{"Gulasch", "scharf", "", 2.675, 0}));
    EXPECT_EQ(MenuFileBytes(form->doc), before);

    // Edit by double click; the list loses its selection.
    prompts->productDialog = [](TProductFields& f) {
        f.name += QStringLiteral(" (1)");
        f.price = -1;
        return true;
    };
    QTreeWidget* products = list("ListView1");
    form->SetUnChanged();
    emit products->itemDoubleClicked(products->topLevelItem(1), 0);
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(FieldsOf(product(0, 1)), (TProductFields{"Gulasch (1)", "scharf", "", -1, 0}));
    EXPECT_EQ(selectedRow("ListView1"), -1);
    prompts->productDialog = nullptr;

    // Moves keep the moved product selected; the ends change nothing.
    const std::tuple<int, const char*, int, QStringList> moves[] = {
        {2, "ProduktNachObenBtn", 1, {"", "Suppe", "Gulasch (1)"}},
        {0, "ProduktNachObenBtn", 0, {"", "Suppe", "Gulasch (1)"}},
        {2, "ProduktNachUntenBtn", 2, {"", "Suppe", "Gulasch (1)"}},
        {0, "ProduktNachUntenBtn", 1, {"Suppe", "", "Gulasch (1)"}},
    };
    for (const auto& [row, button, expectedRow, order] : moves) {
        selectRow("ListView1", row);
        const QStringList shown = column("ListView1", 0);
        form->SetUnChanged();
        click(button);
        EXPECT_EQ(form->isChanged(), order != shown) << button << row;
        EXPECT_EQ(column("ListView1", 0), order) << button << row;
        EXPECT_EQ(selectedRow("ListView1"), expectedRow) << button << row;
    }

    selectRow("ListView1", 0);
    form->SetUnChanged();
    click("ProduktLoeschenBtn");
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(column("ListView1", 0), (QStringList{"", "Gulasch (1)"}));
    click("ProduktLoeschenBtn"); // no row selected any more
    EXPECT_EQ(form->doc.products(0)->count(), 2u);
}

TEST_F(EditingWindowTest, ProductDialogFieldsAndMarkers) {
    TEditProduktForm dialog;
    EXPECT_EQ(dialog.windowTitle(), "Produkt bearbeiten");
    EXPECT_EQ(dialog.size(), QSize(793, 493));
    QStringList allergens;
    for (int i = 0; i < 30; ++i)
        allergens << QStringLiteral("Allergen %1").arg(i);
    dialog.setFields({"Schnitzel", "Zeile 1\r\nZeile 2", "200 g", 12.345, 7},
                     {"a", "b", "c", "d", "e"}, allergens);
    EXPECT_EQ(dialog.fields(),
              (TProductFields{"Schnitzel", "Zeile 1\r\nZeile 2", "200 g", 12.345, 7}));

    auto checks = [&](const char* name, std::initializer_list<int> on) {
        auto* l = dialog.findChild<QListWidget*>(QString::fromLatin1(name));
        for (int i = 0; i < l->count(); ++i)
            l->item(i)->setCheckState(Qt::Unchecked);
        for (int i : on)
            l->item(i)->setCheckState(Qt::Checked);
    };
    auto press = [&](const char* name) {
        dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        return dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
    };
    struct Case {
        const char* list;
        std::initializer_list<int> on;
        const char* button;
        const char* name;
    };
    const Case cases[] = {
        {"CheckListBox1", {}, "BitBtn3", "Schnitzel"},
        {"CheckListBox1", {1, 4}, "BitBtn3", "Schnitzel (2; 5)"},
        {"CheckListBox2", {0}, "BitBtn4", "Schnitzel (2; 5) (A)"},
        {"CheckListBox2", {}, "BitBtn4", "Schnitzel (2; 5) (A)"},
        {"CheckListBox2", {2, 26}, "BitBtn4", "Schnitzel (2; 5) (A) (C; [)"},
    };
    for (const Case& c : cases) {
        checks(c.list, c.on);
        EXPECT_EQ(press(c.button), QString::fromUtf8(c.name));
    }
    // The edited price replaces the stored one.
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("PreisEd"))->setValue(3.5);
    EXPECT_EQ(dialog.fields().price, 3.5);
}

TEST_F(EditingWindowTest, LegendCommands) {
    auto* tabs = child<QTabWidget>("PageControl1");
    tabs->setCurrentIndex(5);
    auto* field = child<QLineEdit>("AllEd");
    form->SetUnChanged();
    for (const char* text : {"Ei", "", "Fisch", "Soja"}) {
        field->setText(QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(column("ListView4", 0), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(column("ListView4", 1), (QStringList{"Ei", "", "Fisch", "Soja"}));

    selectRow("ListView4", 1);
    click("BitBtn8");
    EXPECT_EQ(column("ListView4", 0), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(column("ListView4", 1), (QStringList{"Ei", "Fisch", "Soja"}));
    selectRow("ListView4", 2);
    click("BitBtnXP14");
    EXPECT_EQ(column("ListView4", 1), (QStringList{"Ei", "Soja", "Fisch"}));
    EXPECT_EQ(column("ListView4", 0), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(selectedRow("ListView4"), 1);

    click("BitBtnXP16");
    click("BitBtnXP16");
    EXPECT_EQ(column("ListView4", 0).join(QString()), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(column("ListView4", 1)[11], "Sellerie");

    // A caption edited in place is stored and taken back as one step.
    list("ListView4")->topLevelItem(0)->setText(0, QStringLiteral("X"));
    EXPECT_EQ(form->doc.legend(Legend::Allergens)[0].key, "X");
    form->action("Rueckgaengig1")->trigger();
    EXPECT_EQ(column("ListView4", 0)[0], "A");

    tabs->setCurrentIndex(4);
    child<QLineEdit>("BezEd")->setText(QStringLiteral("Farbstoff"));
    click("BitBtn5");
    EXPECT_EQ(column("ListView3", 0), QStringList{"1"});
}

TEST_F(EditingWindowTest, DatabaseCommands) {
    newCategory(QStringLiteral("Getränke"));
    for (const char* name : {"apfel", "Tee mit Rum", "Zander", "\xc3\x84pfel", "Tee"})
        newProduct({QString::fromUtf8(name), "d", "", 1.5, 0});
    for (int row = 0; row < 5; ++row) {
        selectRow("ListView1", row);
        form->SetUnChanged();
        click("AddToDataBaseBtn");
        EXPECT_TRUE(form->isChanged());
    }
    EXPECT_EQ(column("ListView5", 0),
              (QStringList{"Tee", "Tee mit Rum", "Zander", "apfel", QString::fromUtf8("Äpfel")}));
    EXPECT_EQ(column("ListView5", 2)[0], "1,50");

    // A double click on the database edits the product selected in the
    // product list.
    selectRow("ListView1", 2);
    selectRow("ListView5", 0);
    const int dialogs = int(prompts->offeredProducts.size());
    emit list("ListView5")->itemDoubleClicked(list("ListView5")->topLevelItem(0), 0);
    ASSERT_EQ(prompts->offeredProducts.size(), dialogs + 1);
    EXPECT_EQ(prompts->offeredProducts.last().name, "Zander");

    selectRow("ListView5", 3);
    click("AddProdukt");
    EXPECT_EQ(column("ListView1", 0).last(), "apfel");
    EXPECT_EQ(selectedRow("ListView1"), -1);
    EXPECT_NE(product(0, 5).name, static_cast<TProduktRec*>(form->doc.data.GetObject(3))->name);

    selectRow("ListView5", 4);
    form->SetUnChanged();
    click("DelProdDataBtn");
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(column("ListView5", 0).size(), 4);
    form->action("Rueckgaengig1")->trigger();
    EXPECT_EQ(column("ListView5", 0).last(), QString::fromUtf8("Äpfel"));

    // Without a selected category nothing is copied.
    list("ListView2")->clearSelection();
    selectRow("ListView5", 0);
    click("AddProdukt");
    EXPECT_EQ(form->doc.products(0)->count(), 6u);
}

TEST_F(EditingWindowTest, UndoAllRestoresTheFileAndNewForgetsTheSteps) {
    const QByteArray empty = MenuFileBytes(form->doc);
    newCategory(QStringLiteral("Suppen"));
    newProduct({"Gulasch", "", "", 4.5, 0});
    click("AddToDataBaseBtn"); // no product selected: nothing
    selectRow("ListView1", 0);
    click("AddToDataBaseBtn");
    child<QLineEdit>("CaptionEd")->setText(QStringLiteral("Mittag"));
    child<QLineEdit>("CaptionEd")->setText(QStringLiteral("Mittagskarte"));
    const QByteArray after = MenuFileBytes(form->doc);
    EXPECT_EQ(form->undoStack().count(), 5);

    auto* undoButton = child<QToolButton>("UndoBtn");
    while (undoButton->isEnabled())
        undoButton->click();
    EXPECT_EQ(MenuFileBytes(form->doc), empty);
    EXPECT_EQ(column("ListView2", 0), QStringList{});
    auto* redoButton = child<QToolButton>("RedoBtn");
    while (redoButton->isEnabled())
        redoButton->click();
    EXPECT_EQ(MenuFileBytes(form->doc), after);

    // The keys: Ctrl+Z takes the last step back, Ctrl+Y and Ctrl+Shift+Z do
    // it again.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTreeWidget* categories = list("ListView2");
    categories->setFocus();
    QTest::keyClick(categories, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->doc.text(TextSetting::Heading), "Speisekarte");
    QTest::keyClick(categories, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->doc.text(TextSetting::Heading), "Mittagskarte");
    QTest::keyClick(categories, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(categories, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->doc.text(TextSetting::Heading), "Mittagskarte");

    prompts->answer = TPrompts::Answer::No;
    form->action("Neu1")->trigger();
    EXPECT_FALSE(form->undoStack().canUndo());
    EXPECT_FALSE(form->action("Rueckgaengig1")->isEnabled());
    EXPECT_EQ(form->action("Rueckgaengig1")->text(), QString::fromUtf8("Rückgängig"));
}

TEST_F(EditingWindowTest, CsvExportAndImportAsOneStep) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    newCategory(QStringLiteral("Suppen"));
    newProduct({QStringLiteral("Brühe"), QStringLiteral("heiß"), QStringLiteral("0,3 l"), 4.5, 2});

    // Cancelled: nothing is written or shown.
    form->action(QStringLiteral("ExportierenalsCSVDatei1"))->trigger();
    EXPECT_EQ(prompts->csvDialogs, 1);
    EXPECT_TRUE(prompts->errors.isEmpty());

    prompts->csvSaveName = dir.filePath(QStringLiteral("menu.csv"));
    form->action(QStringLiteral("ExportierenalsCSVDatei1"))->trigger();
    QFile out(prompts->csvSaveName);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(),
              QByteArray("\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\","
                         "\"Bestellnummer\",\"Menge\"\r\n"
                         "\"Suppen\",\"Br\xfche\",\"hei\xdf\",\"4,50\",\"2\",\"0,3 l\"\r\n"));

    // A folder cannot be written: message 19 and the name.
    prompts->csvSaveName = dir.path();
    form->action(QStringLiteral("ExportierenalsCSVDatei1"))->trigger();
    EXPECT_EQ(prompts->errors, QStringList{GetMessageText(19) + dir.path()});

    const QString missing = dir.filePath(QStringLiteral("fehlt.csv"));
    prompts->csvOpenName = missing;
    form->action(QStringLiteral("ImportierenausCSVDatei1"))->trigger();
    EXPECT_EQ(prompts->errors.last(), GetMessageText(1) + missing);

    const int stepsBefore = form->editor().undoStack().count();
    const QString in = dir.filePath(QStringLiteral("in.csv"));
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x\r\nSuppen,Tee,\"zwei\r\nZeilen\"\r\nGetr\xe4nke,Saft,,\"2,00\"\r\nDesserts\r\n");
    f.close();
    prompts->csvOpenName = in;
    const QStringList before = katNames();
    form->SetUnChanged();
    form->action(QStringLiteral("ImportierenausCSVDatei1"))->trigger();
    EXPECT_EQ(katNames(), (QStringList{QStringLiteral("Suppen"), QStringLiteral("Getränke"),
                                       QStringLiteral("Desserts")}));
    EXPECT_EQ(form->doc.products(0)->count(), 2u);
    EXPECT_EQ(TextOf(product(0, 1).description), QStringLiteral("zwei\r\nZeilen"));
    EXPECT_EQ(product(1, 0).price, 2.0);
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(selectedRow("ListView2"), 2);
    EXPECT_EQ(form->statusBar()->currentMessage(),
              QStringLiteral("2 Produkte in 3 Kategorien gelesen"));
    QUndoStack& stack = form->editor().undoStack();
    EXPECT_EQ(stack.count(), stepsBefore + 1);
    EXPECT_EQ(stack.undoText(), QStringLiteral("CSV importieren"));
    stack.undo();
    EXPECT_EQ(katNames(), before);
    EXPECT_EQ(form->doc.products(0)->count(), 1u);
}

} // namespace
