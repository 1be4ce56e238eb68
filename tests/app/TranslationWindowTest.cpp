// Translating the windows, the language menu with options.dat, and the
// translator editor.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/AboutBox.h"
#include "app/FakePrompts.h"
#include "app/FileDialogSetup.h"
#include "app/MainUnit.h"
#include "app/OptionsFile.h"
#include "app/tabs/EditProduktFUnit.h"
#include "files/ByteBuilder.h"
#include "translation/TranslateFUnit.h"
#include "translation/TranslateUnit.h"
#include "translation/WindowTranslation.h"

namespace {

// Prompts that also keep the windows that the real ones make at start.
class WindowPrompts : public FakePrompts {
public:
    QList<QWidget*> windows() const override { return {&productDialog, &aboutBox}; }
    mutable TEditProduktForm productDialog;
    mutable TAboutBox aboutBox;
};

// translate.dat of rows that have a German and an English text.
QByteArray englishTable(const QList<std::pair<QString, QString>>& rows) {
    ByteBuilder b;
    b.i32(20).i32(int32_t(rows.size()));
    for (const auto& [german, english] : rows) {
        b.text(german.toStdU16String()).text(english.toStdU16String());
        for (int c = 2; c < 20; ++c)
            b.text(u"");
    }
    return b.data();
}

// The German texts of a translation file, in its order.
QStringList germanTexts(const QString& path) {
    TTranslationTable table;
    table.InitTranslation(path);
    QStringList texts;
    for (int r = 0; r < table.rowCount(); ++r)
        texts << table.text(r, 0);
    return texts;
}

class TranslationWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        form.reset();
        EndTranslation();
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void writeFile(const char* name, const QByteArray& bytes) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const char* name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Starts the program's windows on the data folder and shows the main one.
    void start() {
        form.reset();
        auto owned = std::make_unique<WindowPrompts>();
        prompts = owned.get();
        form = std::make_unique<TMainForm>(std::move(owned), TStartup{QString(), dir.path()});
        form->show();
    }
    // Closes the main window as its title bar would.
    bool close() {
        QCloseEvent event;
        QCoreApplication::sendEvent(form.get(), &event);
        return event.isAccepted();
    }
    template <class T> T* child(QObject* in, const char* name) {
        T* w = in->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* item(const char* name) { return form->action(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    WindowPrompts* prompts = nullptr;
    std::unique_ptr<TMainForm> form;
};

// --- the walk -------------------------------------------------------------------

TEST_F(TranslationWindowTest, WalkRegistersEveryKindOfTextInOrder) {
    TTranslationTable& table = InitTranslation(file("translate.dat"), QString());
    table.setLanguage(1);

    QDialog window;
    window.setWindowTitle(QStringLiteral("Fenster"));
    auto* label = new QLabel(QStringLiteral("Etikett"), &window);
    auto* check = new QCheckBox(QStringLiteral("Kasten"), &window);
    check->setToolTip(QStringLiteral("Kastenhinweis"));
    auto* button = new QPushButton(QStringLiteral("Knopf"), &window);
    button->setToolTip(QStringLiteral("Knopfhinweis"));
    auto* group = new QGroupBox(QStringLiteral("Gruppe"), &window);
    auto* spin = new QSpinBox(group);
    spin->setValue(42);
    spin->setToolTip(QStringLiteral("Zahlhinweis"));
    auto* edit = new QLineEdit(QStringLiteral("Inhalt"), &window);
    auto* kept = new QLineEdit(QStringLiteral("datei.jpg"), &window);
    KeepTextOutOfTranslation(kept);
    auto* memo = new QPlainTextEdit(QStringLiteral("Zeile eins\n\nZeile zwei"), &window);
    auto* list = new QTreeWidget(&window);
    list->setHeaderLabels({QStringLiteral("Spalte A"), QStringLiteral("Spalte B")});
    auto* tabs = new QTabWidget(&window);
    auto* page = new QWidget;
    new QLabel(QStringLiteral("Innen"), page);
    tabs->addTab(page, QStringLiteral("Seite 1"));
    auto* bar = new QMenuBar(&window);
    QMenu* menu = bar->addMenu(QStringLiteral("&Menü"));
    menu->addAction(QStringLiteral("Eintrag"))->setToolTip(QStringLiteral("Eintragshinweis"));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Zweiter..."));
    new TFileDialogSetup("OpenDialog9", QStringLiteral("Bilder (*.png)|*.png"), QString(), false,
                         &window);
    new QLabel(QString(), &window);

    // Two texts have English ones already.
    table.TranslateText(QStringLiteral("Knopf"));
    table.setText(0, 1, u"Button");
    table.TranslateText(QStringLiteral("Seite 1"));
    table.setText(1, 1, u"Page 1");

    TranslateComponentTree({&window});

    QStringList registered;
    for (int r = 2; r < table.rowCount(); ++r)
        registered << table.text(r, 0);
    // The window first; then its children from the last to the first; then
    // their children level by level. A check box gives its tip before its
    // text, a button its text before its tip.
    const QStringList expected = {
        "Fenster",      "Bilder (*.png)|*.png", "Spalte A",   "Spalte B",
        "Zeile eins",   "Zeile zwei",           "Inhalt",     "Gruppe",
        "Knopfhinweis", "Kastenhinweis",        "Kasten",     "Etikett",
        "&Menü",        "Zahlhinweis",          "Zweiter...", "-",
        "Eintrag",      "Eintragshinweis",      "Innen",
    };
    EXPECT_EQ(registered, expected);
    // The file is written once, at the end of the walk, with every row.
    EXPECT_EQ(germanTexts(file("translate.dat")).mid(2), expected);
    EXPECT_EQ(button->text(), "Button");
    EXPECT_EQ(tabs->tabText(0), "Page 1");
    EXPECT_EQ(kept->text(), "datei.jpg");
    EXPECT_EQ(spin->value(), 42);
    EXPECT_EQ(memo->toPlainText(), "Zeile eins\n\nZeile zwei");
    Q_UNUSED(label);
    Q_UNUSED(edit);
    Q_UNUSED(list);
}

// --- the first showing -----------------------------------------------------------

TEST_F(TranslationWindowTest, GermanStartRegistersOnlyTheMessages) {
    start();
    EXPECT_TRUE(item("Deutsch1")->isChecked());
    EXPECT_EQ(form->language(), 0);
    const QStringList texts = germanTexts(file("translate.dat"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Preis auf Anfrage")));
    EXPECT_TRUE(texts.contains(QStringLiteral("paper.jpg")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Neue Kategorie")));
    EXPECT_FALSE(texts.contains(QStringLiteral("&Datei")));
    EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "Neue Kategorie");
}

TEST_F(TranslationWindowTest, EnglishFirstStartRegistersEveryWindowText) {
    ASSERT_TRUE(WriteOptionsFile(file("options.dat"), 1));
    start();
    EXPECT_TRUE(item("English1")->isChecked());
    EXPECT_EQ(form->language(), 1);
    const QStringList texts = germanTexts(file("translate.dat"));
    for (const char* text : {"Quenderl Menolux 1.0",
                             "Produkte anlegen",
                             "Neue Kategorie",
                             "&Datei",
                             "-",
                             "Exportieren als CSV Datei...",
                             "Speisekarten (*.mnx)|*.mnx",
                             "CSV-Dateien (*.csv)|*.csv",
                             "Kategorie",
                             "Nr",
                             "Speisekarte",
                             "€",
                             "Zeige nur benutzte Zusatzstoffe",
                             "Zurück...",
                             "Erste Spalte fixieren",
                             "Produkt bearbeiten",
                             "Über Menolux",
                             "Menolux",
                             "DPI einstellen",
                             "DPI/Auflösung des Druckers:",
                             "Als PDF exportieren...",
                             "von %1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    // No number, file name or empty text of a control is a text to translate.
    for (const char* text : {"100", "1", "25,0", "300", "", "language5", "von 1"})
        EXPECT_FALSE(texts.contains(QString::fromUtf8(text))) << text;
    // Each text once; the menus defined last come first.
    EXPECT_EQ(texts.size(), QSet<QString>(texts.cbegin(), texts.cend()).size());
    EXPECT_LT(texts.indexOf("&Hilfe"), texts.indexOf("&Datei"));
    // The translated page texts are the document's start, not an edit.
    EXPECT_FALSE(form->isChanged());
    EXPECT_FALSE(form->undoStack().canUndo());
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [unbenannt.mnx]");
}

TEST_F(TranslationWindowTest, TranslationsTypedInTheEditorShowAfterARestart) {
    ASSERT_TRUE(WriteOptionsFile(file("options.dat"), 1));
    start();
    TTranslateForm* editor = form->translateForm();
    prompts->modal = [&](QDialog&) {
        QTableWidget* grid = editor->grid();
        for (int r = 0; r < grid->rowCount(); ++r) {
            const QString german = grid->item(r, 0)->text();
            if (german == "Neue Kategorie")
                editor->setCellText(r, 1, QStringLiteral("New category"));
            if (german == "Quenderl Menolux 1.0")
                editor->setCellText(r, 1, QStringLiteral("Menolux Menu Designer"));
            if (german == "Speisekarte")
                editor->setCellText(r, 1, QStringLiteral(" Menu "));
            if (german == "Preis auf Anfrage")
                editor->setCellText(r, 1, QStringLiteral("Price on request"));
        }
        return int(QDialog::Accepted);
    };
    item("bersetzen1")->trigger();
    ASSERT_EQ(prompts->modalWindows, QStringList{"TranslateForm"});
    ASSERT_EQ(prompts->notes.size(), 1);
    EXPECT_EQ(prompts->notes[0].text, "Bitte schließen Sie das Program und starten Sie es neu.");
    EXPECT_EQ(prompts->notes[0].caption, "Übersetzen");
    // Typed texts are in memory at once; windows keep theirs until restart.
    EXPECT_EQ(GetMessageText(10), "Price on request");
    EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "Neue Kategorie");
    ASSERT_TRUE(close());

    start();
    EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "New category");
    EXPECT_EQ(form->windowTitle(), "Menolux Menu Designer - [unbenannt.mnx]");
    EXPECT_EQ(form->doc.text(TextSetting::Heading), "Menu");
    EXPECT_EQ(child<QLineEdit>(form.get(), "CaptionEd")->text(), "Menu");
    EXPECT_FALSE(form->isChanged());
}

TEST_F(TranslationWindowTest, ATableThatCannotBeSavedIsToldOnce) {
    // A folder in the place of translate.dat: every save fails.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("translate.dat")));
    ASSERT_TRUE(WriteOptionsFile(file("options.dat"), 1));
    start();
    QCoreApplication::processEvents();
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(
        prompts->errors[0].startsWith("Die Übersetzungen können nicht gespeichert werden."));
    // The table goes on in memory; later failures are not told again.
    EXPECT_TRUE(Translations()->rowCount() > 100);
    TranslateText(QStringLiteral("Noch ein Text"));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts->errors.size(), 1);
}

// --- the language menu and options.dat ------------------------------------------

TEST_F(TranslationWindowTest, LanguageMenuRoundTripThroughTheOptionsFile) {
    start();
    EXPECT_TRUE(item("Deutsch1")->isChecked());
    ASSERT_TRUE(close());
    EXPECT_EQ(readFile("options.dat"), ByteBuilder().i32(0).data());

    start();
    item("English1")->trigger();
    EXPECT_TRUE(item("English1")->isChecked());
    EXPECT_FALSE(item("Deutsch1")->isChecked());
    EXPECT_EQ(form->language(), 1);
    ASSERT_EQ(prompts->notes.size(), 1);
    EXPECT_EQ(prompts->notes[0].caption, "Übersetzen");
    // The windows stay German until the next start.
    EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "Neue Kategorie");
    // The language already active, chosen again: the notice again.
    item("English1")->trigger();
    EXPECT_EQ(prompts->notes.size(), 2);
    ASSERT_TRUE(close());
    EXPECT_EQ(readFile("options.dat"), ByteBuilder().i32(1).data());

    form.reset();
    auto owned = std::make_unique<WindowPrompts>();
    form = std::make_unique<TMainForm>(std::move(owned), TStartup{QString(), dir.path()});
    // Before the window is shown, the stored column is known and checked.
    EXPECT_EQ(form->previousLanguage(), 1);
    EXPECT_TRUE(item("English1")->isChecked());
    EXPECT_EQ(form->language(), 0);
    form->show();
    EXPECT_EQ(form->language(), 1);
}

TEST_F(TranslationWindowTest, StoredColumnsWithoutAMenuItemAndDamagedOptionsFiles) {
    struct Case {
        const char* what;
        QByteArray bytes;
        int32_t language;
        const char* checked;
    };
    const Case cases[] = {
        {"column 7", ByteBuilder().i32(7).data(), 7, "Deutsch1"},
        {"column 3 and more bytes", ByteBuilder().i32(3).i32(99).data(), 3, "Nederlands1"},
        {"a negative column", ByteBuilder().i32(-2).data(), -2, "Deutsch1"},
        {"column 1000", ByteBuilder().i32(1000).data(), 1000, "Deutsch1"},
        {"two bytes", QByteArray("\x01\x00", 2), 0, "Deutsch1"},
        {"empty", QByteArray(), 0, "Deutsch1"},
    };
    for (const Case& c : cases) {
        QFile::remove(file("translate.dat"));
        writeFile("options.dat", c.bytes);
        start();
        EXPECT_TRUE(item(c.checked)->isChecked()) << c.what;
        EXPECT_EQ(form->language(), c.language) << c.what;
        // Any column but 0 translates the windows; outside the table's
        // columns the texts stay German.
        const QStringList texts = germanTexts(file("translate.dat"));
        EXPECT_EQ(texts.contains(QStringLiteral("Neue Kategorie")), c.language != 0) << c.what;
        EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "Neue Kategorie") << c.what;
    }
}

TEST_F(TranslationWindowTest, MessagesFollowTheChosenLanguageAtOnce) {
    writeFile("translate.dat",
              englishTable({{"Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?",
                             "The file has not been saved. Save it now?"},
                            {"Speichern", "Save"},
                            {"Bitte schließen Sie das Program und starten Sie es neu.",
                             "Please close the program and start it again."}}));
    start();
    item("English1")->trigger();
    ASSERT_EQ(prompts->notes.size(), 1);
    EXPECT_EQ(prompts->notes[0].text, "Please close the program and start it again.");
    form->doc.addKat(QStringLiteral("Suppen"));
    prompts->answer = TPrompts::Answer::Cancel;
    EXPECT_FALSE(close());
    EXPECT_EQ(prompts->lastText, "The file has not been saved. Save it now?");
    EXPECT_EQ(prompts->lastCaption, "Save");
    EXPECT_EQ(child<QPushButton>(form.get(), "BitBtn1")->text(), "Neue Kategorie");
}

// --- the translator editor --------------------------------------------------------

class TranslatorEditorTest : public TranslationWindowTest {
protected:
    void SetUp() override {
        TranslationWindowTest::SetUp();
        writeFile("translate.dat", englishTable({{"Preis", "Price"},
                                                 {"Wein", ""},
                                                 {"Bier", "Beer"},
                                                 {"English beer", ""},
                                                 {"Zeile löschen", "Delete row"}}));
        table = &InitTranslation(file("translate.dat"), file("translate.dat"));
        editor = std::make_unique<TTranslateForm>(prompts_);
        editor->FillStringGrid();
        grid = editor->grid();
    }
    QStringList germanColumn() const {
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts << grid->item(r, 0)->text();
        return texts;
    }

    FakePrompts prompts_;
    TTranslationTable* table = nullptr;
    std::unique_ptr<TTranslateForm> editor;
    QTableWidget* grid = nullptr;
};

TEST_F(TranslatorEditorTest, ShowsTheTableUnderTheLanguageTitles) {
    ASSERT_EQ(grid->columnCount(), 20);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "German");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Français");
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Swedish");
    EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), "language5");
    EXPECT_EQ(grid->horizontalHeaderItem(19)->text(), "language19");
    EXPECT_EQ(germanColumn(),
              (QStringList{"Preis", "Wein", "Bier", "English beer", "Zeile löschen"}));
    EXPECT_EQ(grid->item(2, 1)->text(), "Beer");
    EXPECT_EQ(grid->columnWidth(3), 250);
}

TEST_F(TranslatorEditorTest, EveryKeystrokeInACellIsSaved) {
    grid->setCurrentCell(1, 1);
    grid->editItem(grid->item(1, 1));
    auto* cellEditor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(cellEditor, nullptr);
    QTest::keyClicks(cellEditor, QStringLiteral("Wi"));
    EXPECT_EQ(table->text(1, 1), "Wi");
    TTranslationTable saved;
    saved.InitTranslation(file("translate.dat"));
    EXPECT_EQ(saved.text(1, 1), "Wi");
    QTest::keyClicks(cellEditor, QStringLiteral("ne "));
    // Stored as typed, blank included.
    EXPECT_EQ(table->text(1, 1), "Wine ");
    // The Delete key edits the cell while it is being edited.
    cellEditor->setCursorPosition(0);
    QTest::keyClick(cellEditor, Qt::Key_Delete);
    EXPECT_EQ(table->text(1, 1), "ine ");
    EXPECT_EQ(prompts_.questions, 0);
}

TEST_F(TranslatorEditorTest, SearchAsksAtEachFindUntilNo) {
    QList<std::pair<int, int>> finds;
    prompts_.onYesNo = [&](const QString&, const QString&) {
        finds.append({grid->currentRow(), grid->currentColumn()});
    };
    auto* field = child<QLineEdit>(editor.get(), "FilterEdit");
    auto* find = child<QPushButton>(editor.get(), "FilterBtn");

    // "english" in any case: the header cell of column 1 first (no cell of
    // the grid is current then), then the row that holds it.
    field->setText(QStringLiteral("eNGLISH"));
    grid->setCurrentCell(2, 2);
    prompts_.yesNoAnswers = {true, true, true};
    find->click();
    ASSERT_EQ(prompts_.yesNoQuestions, 2);
    EXPECT_EQ(finds[0].first, -1);
    EXPECT_EQ(finds[1], std::pair(3, 0));

    // "ei" is in "Preis" and in "Wein": No at the second find ends the search.
    finds.clear();
    prompts_.yesNoQuestions = 0;
    field->setText(QStringLiteral("ei"));
    prompts_.yesNoAnswers = {true, false, true};
    find->click();
    EXPECT_EQ(prompts_.yesNoQuestions, 2);
    EXPECT_EQ(finds, (QList<std::pair<int, int>>{{0, 0}, {1, 0}}));
    // Only a to z are matched in either case.
    prompts_.yesNoQuestions = 0;
    field->setText(QStringLiteral("PREIS"));
    find->click();
    EXPECT_EQ(prompts_.yesNoQuestions, 1);
    prompts_.yesNoQuestions = 0;
    field->setText(QString());
    find->click();
    EXPECT_EQ(prompts_.yesNoQuestions, 0);
}

TEST_F(TranslatorEditorTest, DeletionAsksAndOnlyYesDeletes) {
    grid->setCurrentCell(1, 2);
    for (auto answer : {TPrompts::Answer::No, TPrompts::Answer::Cancel}) {
        prompts_.answer = answer;
        QFile::remove(file("translate.dat"));
        child<QPushButton>(editor.get(), "DeleteRowBtn")->click();
        EXPECT_EQ(prompts_.lastText, "Wein");
        EXPECT_EQ(table->rowCount(), 5);
        // The file is written and the grid loaded again in any case.
        EXPECT_TRUE(QFile::exists(file("translate.dat")));
        EXPECT_EQ(grid->currentRow(), 1);
    }
    prompts_.answer = TPrompts::Answer::Yes;
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(germanColumn(), (QStringList{"Preis", "Bier", "English beer", "Zeile löschen"}));
    EXPECT_EQ(germanTexts(file("translate.dat")), germanColumn());
    // The row that followed is current; lookups answer from the right rows.
    EXPECT_EQ(grid->currentRow(), 1);
    table->setLanguage(1);
    EXPECT_EQ(TranslateText(QStringLiteral("Bier")), "Beer");
    EXPECT_EQ(TranslateText(QStringLiteral("English beer")), "English beer");

    // Escape presses the delete button; after the last row goes no row is
    // current.
    grid->setCurrentCell(3, 0);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(germanColumn(), (QStringList{"Preis", "Bier", "English beer"}));
    EXPECT_EQ(grid->currentRow(), -1);
    const int asked = prompts_.questions;
    child<QPushButton>(editor.get(), "DeleteRowBtn")->click();
    EXPECT_EQ(prompts_.questions, asked);
}

TEST_F(TranslatorEditorTest, AFixedFirstColumnIsReadOnly) {
    auto* fix = child<QCheckBox>(editor.get(), "FixedColCheck");
    EXPECT_FALSE(fix->isChecked());
    EXPECT_TRUE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    fix->setChecked(true);
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    // Still fixed when the grid is loaded again.
    editor->FillStringGrid();
    EXPECT_FALSE(grid->item(2, 0)->flags() & Qt::ItemIsEditable);
    fix->setChecked(false);
    EXPECT_TRUE(grid->item(2, 0)->flags() & Qt::ItemIsEditable);
}

} // namespace
