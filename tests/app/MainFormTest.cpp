#include <functional>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "app/CommandLine.h"
#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/MenuFixtures.h"
#include "app/ShownWindowTest.h"
#include "app/WindowFixture.h"
#include "files/MenuFile.h"

namespace {

const QString kUntitled = QStringLiteral("Quenderl Menolux 1.0 - [unbenannt.mnx]");
const QString kUntitledChanged = QStringLiteral("Quenderl Menolux 1.0 - [unbenannt.mnx*]");

class MainFormTest : public ShownWindowTest {
protected:
    // A document with one category and an additive, marked changed.
    void makeChanges() {
        form->doc.addKat(QStringLiteral("Suppen"));
        form->doc.setLegend(Legend::Additives, {{"1", "Farbstoff"}});
        form->doc.setNumber(NumberSetting::LeftMargin, 30);
        ASSERT_TRUE(form->isChanged());
    }
    // Closes the window as its title bar would; true when it was allowed.
    bool requestClose() {
        QCloseEvent event;
        QCoreApplication::sendEvent(form.get(), &event);
        return event.isAccepted();
    }
};

TEST_F(MainFormTest, StartsUntitledAndUnchanged) {
    EXPECT_EQ(form->windowTitle(), kUntitled);
    EXPECT_FALSE(form->isChanged());
    EXPECT_TRUE(form->programDir().endsWith('/'));
    EXPECT_FALSE(form->programDir().endsWith("//"));
    EXPECT_EQ(form->doc.text(TextSetting::TextureFile), "paper.jpg");
    EXPECT_EQ(QCoreApplication::applicationName().isEmpty(), false);
}

TEST_F(MainFormTest, WindowHasTheGermanMenusTabsAndToolbar) {
    QStringList menus;
    for (QAction* a : form->menuBar()->actions())
        menus << a->text().remove('&');
    EXPECT_EQ(menus, (QStringList{"Datei", "Bearbeiten", "Optionen", "Sprache", "Hilfe"}));

    auto* tabs = form->findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(tabs, nullptr);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    EXPECT_EQ(captions, (QStringList{"Produkte anlegen", "Speisekarte erzeugen", "Layout",
                                     "Hintergrund", "Zusatzstoffe", "Allergene", "Datenbank"}));
    EXPECT_EQ(tabs->currentIndex(), 0);

    const std::pair<const char*, const char*> buttons[] = {{"OpenBtn", "Öffnen..."},
                                                           {"SaveBtn", "Speichern"},
                                                           {"BitBtnXP1", "Speichern unter..."},
                                                           {"DruckenBtn", "Drucken"},
                                                           {"EndeBtn", "Beenden"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = form->findChild<QToolButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), QString::fromUtf8(caption));
    }

    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"Neu1", QKeySequence::New},
        {"ffnen1", QKeySequence::Open},
        {"Speichern1", QKeySequence::Save},
        {"Beenden1", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto& [name, keys] : shortcuts) {
        QAction* a = form->action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcut(), keys) << name;
    }
    EXPECT_EQ(form->action("Rueckgaengig1")->shortcut(), QKeySequence::Undo);
    EXPECT_EQ(form->action("Wiederholen1")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
}

// Whatever the menu file stores marks the document changed when edited.
TEST_F(MainFormTest, EveryStoredEditMarksChanged) {
    const std::pair<const char*, std::function<void(MenuDocument&)>> edits[] = {
        {"page text", [](MenuDocument& d) { d.setText(TextSetting::Heading, "Karte"); }},
        {"margin", [](MenuDocument& d) { d.setNumber(NumberSetting::LeftMargin, 10); }},
        {"switch", [](MenuDocument& d) { d.setFlag(FlagSetting::PricesWithoutDecimals, true); }},
        {"texture", [](MenuDocument& d) { d.setNumber(NumberSetting::TextureBrightness, 70); }},
        {"font",
         [](MenuDocument& d) {
             TFontSetting f = d.font(FontRole::CategoryName);
             f.style = 0;
             d.setFont(FontRole::CategoryName, f);
         }},
        {"legend",
         [](MenuDocument& d) {
             d.setLegend(Legend::Allergens, {{"A", "Gluten"}});
         }},
        {"category", [](MenuDocument& d) { d.addKat("Suppen"); }},
    };
    for (const auto& [name, edit] : edits) {
        form->SetUnChanged();
        edit(form->doc);
        EXPECT_TRUE(form->isChanged()) << name;
        EXPECT_EQ(form->windowTitle(), kUntitledChanged) << name;
    }
}

TEST_F(MainFormTest, NewAskedWithEachAnswer) {
    struct Case {
        TPrompts::Answer answer;
        bool saveDialogCancelled;
        bool emptied;
    };
    const Case cases[] = {
        {TPrompts::Answer::Cancel, false, false},
        {TPrompts::Answer::No, false, true},
        {TPrompts::Answer::Yes, true, false}, // Yes, then the save dialog is cancelled
        {TPrompts::Answer::Yes, false, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        SetUp();
        makeChanges();
        prompts->answer = c.answer;
        prompts->saveName =
            c.saveDialogCancelled ? QString() : dir.filePath(QStringLiteral("neu%1.mnx").arg(n++));
        form->newDocument();
        EXPECT_EQ(prompts->questions, 1);
        EXPECT_EQ(prompts->lastText,
                  "Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");
        EXPECT_EQ(prompts->lastCaption, "Speichern");
        EXPECT_EQ(form->doc.katCount(), c.emptied ? 0 : 1);
        EXPECT_EQ(form->doc.legend(Legend::Additives).size(), c.emptied ? 0 : 1);
        EXPECT_EQ(form->doc.number(NumberSetting::LeftMargin), 30); // settings stay
        EXPECT_EQ(form->isChanged(), !c.emptied);
        if (c.emptied) {
            EXPECT_EQ(form->windowTitle(), kUntitled);
            EXPECT_TRUE(form->fileName().isEmpty());
        }
        if (c.answer == TPrompts::Answer::Yes && !c.saveDialogCancelled) {
            EXPECT_TRUE(QFile::exists(prompts->saveName));
        }
    }
}

TEST_F(MainFormTest, OpenAskedWithEachAnswer) {
    const std::pair<TPrompts::Answer, int> cases[] = {{TPrompts::Answer::Cancel, 0},
                                                      {TPrompts::Answer::No, 1}};
    for (const auto& [answer, openDialogs] : cases) {
        SetUp();
        makeChanges();
        prompts->answer = answer;
        form->openDocument(); // the open dialog is cancelled
        EXPECT_EQ(prompts->questions, 1);
        EXPECT_EQ(prompts->openDialogs, openDialogs);
        EXPECT_EQ(form->doc.katCount(), 1);
        EXPECT_TRUE(form->isChanged());
    }
}

TEST_F(MainFormTest, UnchangedDocumentIsNotAsked) {
    form->newDocument();
    form->openDocument();
    EXPECT_TRUE(requestClose());
    EXPECT_EQ(prompts->questions, 0);
    EXPECT_EQ(prompts->openDialogs, 1);
}

TEST_F(MainFormTest, ExitAskedWithEachAnswer) {
    struct Case {
        TPrompts::Answer answer;
        QString saveName;
        bool closes;
    };
    const Case cases[] = {
        {TPrompts::Answer::Cancel, QString(), false},
        {TPrompts::Answer::No, QString(), true},
        {TPrompts::Answer::Yes, QString(), false}, // save dialog cancelled
        {TPrompts::Answer::Yes, QStringLiteral("ende.mnx"), true},
    };
    for (const Case& c : cases) {
        SetUp();
        makeChanges();
        prompts->answer = c.answer;
        prompts->saveName = c.saveName.isEmpty() ? QString() : dir.filePath(c.saveName);
        EXPECT_EQ(requestClose(), c.closes);
        EXPECT_EQ(prompts->questions, 1);
        EXPECT_EQ(form->doc.katCount(), 1); // closing never empties the document
    }
}

TEST_F(MainFormTest, SaveUntitledWithDialogCancelledKeepsChanged) {
    makeChanges();
    prompts->saveName.clear();
    EXPECT_FALSE(form->SaveFile());
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(form->windowTitle(), kUntitledChanged);
    EXPECT_TRUE(form->fileName().isEmpty());
}

TEST_F(MainFormTest, SaveNamesTheDocumentAndClearsTheMark) {
    makeChanges();
    prompts->saveName = dir.filePath(QStringLiteral("karte.mnx"));
    form->saveDocument();
    EXPECT_FALSE(form->isChanged());
    EXPECT_EQ(form->fileName(), prompts->saveName);
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [karte.mnx]");
    form->doc.setText(TextSetting::HeaderLine, "Kopf");
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [karte.mnx*]");
    form->saveDocument(); // saves under the same name without asking
    EXPECT_EQ(prompts->saveDialogs, 1);
    EXPECT_FALSE(form->isChanged());
}

TEST_F(MainFormTest, OpenLoadsTheFileAndNamesIt) {
    makeChanges();
    prompts->answer = TPrompts::Answer::No;
    prompts->openName = writeFile(dir, "karte.mnx", olderMenuFile());
    form->openDocument();
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_EQ(form->fileName(), prompts->openName);
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [karte.mnx]");
    EXPECT_FALSE(form->isChanged());
    ASSERT_EQ(form->doc.katCount(), 1);
    EXPECT_EQ(form->doc.katName(0), "Suppen");
    EXPECT_EQ(form->doc.text(TextSetting::Heading), "Mittagskarte");
    EXPECT_EQ(form->doc.legend(Legend::Additives).size(), 0); // not in an older file
}

TEST_F(MainFormTest, DamagedFileLeavesTheDocumentAsItWas) {
    makeChanges();
    const QByteArray full = olderMenuFile();
    const QString damaged = writeFile(dir, "kaputt.mnx", full.left(full.size() - 3));
    EXPECT_FALSE(form->OpenFileWithName(damaged));
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].startsWith("Die Speisekarte kann nicht geöffnet werden:"));
    EXPECT_TRUE(prompts->errors[0].contains("Read beyond end of file"));
    EXPECT_EQ(form->doc.katName(0), "Suppen");
    EXPECT_EQ(form->doc.legend(Legend::Additives).size(), 1);
    EXPECT_EQ(form->doc.number(NumberSetting::LeftMargin), 30);
    EXPECT_TRUE(form->isChanged());
    EXPECT_TRUE(form->fileName().isEmpty());
    EXPECT_EQ(form->windowTitle(), kUntitledChanged);
}

// A file that does not exist yet: the document stays, and the title names
// the file that the next Save creates without asking.
TEST_F(MainFormTest, MissingFileBecomesTheSaveTarget) {
    makeChanges();
    const QString path = dir.filePath("neu.mnx");
    EXPECT_FALSE(form->OpenFileWithName(path));
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_EQ(form->doc.katCount(), 1);
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [neu.mnx*]");
    form->saveDocument();
    EXPECT_EQ(prompts->saveDialogs, 0);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [neu.mnx]");
}

TEST_F(MainFormTest, FailedSaveIsReportedAndKeepsTheMark) {
    makeChanges();
    prompts->saveName = dir.filePath("fehlt/karte.mnx"); // no such directory
    EXPECT_FALSE(form->SaveFile());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].startsWith("Die Speisekarte konnte nicht gespeichert werden."));
    EXPECT_TRUE(form->isChanged());
    EXPECT_EQ(form->windowTitle(), "Quenderl Menolux 1.0 - [karte.mnx*]");
}

TEST_F(MainFormTest, FileGivenAtStartIsOpenedWhenShown) {
    const QString path = writeFile(dir, "start.mnx", olderMenuFile());
    TMainForm started(std::make_unique<FakePrompts>(), TestStartup(path));
    EXPECT_EQ(started.doc.katCount(), 0);
    started.show();
    EXPECT_EQ(started.doc.katCount(), 1);
    EXPECT_EQ(started.windowTitle(), "Quenderl Menolux 1.0 - [start.mnx]");
    EXPECT_FALSE(started.isChanged());
}

TEST(CommandLine, Parsing) {
    using Mode = TCommandLine::Mode;
    struct Case {
        QStringList args;
        Mode mode;
        QString file;
        QString output;
    };
    const Case cases[] = {
        {{}, Mode::Window, "", ""},
        {{"a.mnx"}, Mode::Window, "a.mnx", ""},
        {{"a.mnx", "b.mnx"}, Mode::Window, "a.mnx", ""}, // further arguments are ignored
        {{"--save", "out.mnx", "in.mnx"}, Mode::Save, "in.mnx", "out.mnx"},
        {{"--save", "out.mnx"}, Mode::Error, "", ""},
        {{"--save", "", "in.mnx"}, Mode::Error, "", ""}, // an empty value names no file
        {{"--layout-json", "-", "--zoom", "", "in.mnx"}, Mode::Error, "", ""},
        {{"--bogus"}, Mode::Error, "", ""},
        {{"--help"}, Mode::Help, "", ""},
    };
    for (const Case& c : cases) {
        const TCommandLine cl = ParseCommandLine(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(cl.mode, c.mode);
        EXPECT_EQ(cl.file, c.file);
        EXPECT_EQ(cl.output, c.output);
        EXPECT_EQ(cl.error.isEmpty(), c.mode != Mode::Error);
    }
}

TEST(CommandLine, SaveCopiesAndReportsFailures) {
    QTemporaryDir dir;
    const QString in = writeFile(dir, "in.mnx", olderMenuFile());
    const QString out = dir.filePath("out.mnx");
    QString error;
    EXPECT_EQ(RunHeadless(ParseCommandLine({"--save", out, in}), &error), 0);
    MenuDocument copy;
    EXPECT_TRUE(OpenMenuFile(out, copy));
    EXPECT_EQ(copy.katName(0), "Suppen");

    const QString damaged = writeFile(dir, "bad.mnx", olderMenuFile().left(10));
    const QString out2 = dir.filePath("out2.mnx");
    EXPECT_NE(RunHeadless(ParseCommandLine({"--save", out2, damaged}), &error), 0);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(out2));
    EXPECT_NE(RunHeadless(ParseCommandLine({"--save", dir.filePath("x/y.mnx"), in}), &error), 0);
    EXPECT_NE(RunHeadless(ParseCommandLine({"--save", out2, dir.filePath("none.mnx")}), &error), 0);
}

TEST_F(MainFormTest, AboutIsShown) {
    form->action("ber1")->trigger();
    EXPECT_EQ(prompts->abouts, 1);
}

} // namespace
