// The main window in a real window on an X display, with the real dialogs,
// driven only through Qt's test input as a user would drive it: a category,
// a product through the product dialog, "Speichern unter" through the file
// dialog, closing; then the saved file as the command line reads it.
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include "app/MainUnit.h"
#include "app/WindowFixture.h"

namespace {

// How long a window or dialog may take to appear; generous for the
// sanitizer build, and never waited out when things go well.
constexpr int kWaitMs = 30000;

template <class T> T* namedChild(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The modal dialog in front once it is shown and exposed, or null.
QWidget* shownModal() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || !w->windowHandle() || !w->windowHandle()->isExposed())
        return nullptr;
    return w;
}

// Closes a dialog as its Escape key would, whatever buttons it has.
void dismiss(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

// Answers the next modal dialog of class `className` with `answer` once it
// is on screen. A dialog of another class, none in time, or one still open
// long after the answer fails the test and is closed, so that a dialog
// nobody answers ends the test instead of hanging it.
class ModalAnswer {
public:
    ModalAnswer(const char* className, std::function<void(QWidget&)> answer)
        : className_(className), answer_(std::move(answer)) {
        clock_.start();
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] { check(); });
        poll_.start();
    }
    ~ModalAnswer() { EXPECT_TRUE(answered_) << "no dialog " << className_ << " appeared"; }

private:
    void check() {
        QWidget* dialog = shownModal();
        if (answered_) {
            if (dialog && clock_.elapsed() > kWaitMs) {
                ADD_FAILURE() << dialog->metaObject()->className() << " \""
                              << dialog->windowTitle().toStdString() << "\" is still open";
                dismiss(dialog);
            }
            return;
        }
        if (!dialog) {
            if (clock_.elapsed() > kWaitMs)
                poll_.stop();
            return;
        }
        answered_ = true;
        clock_.restart();
        if (dialog->inherits(className_)) {
            answer_(*dialog);
        } else {
            ADD_FAILURE() << "expected " << className_ << ", but "
                          << dialog->metaObject()->className() << " \""
                          << dialog->windowTitle().toStdString() << "\" came";
            dismiss(dialog);
        }
    }

    const char* className_;
    std::function<void(QWidget&)> answer_;
    QTimer poll_;
    QElapsedTimer clock_;
    bool answered_ = false;
};

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Replaces the text of a line edit, text edit or spin box by typing. Letters
// beyond ASCII go as the key of their upper case with their text, since
// QTest::keyClicks knows ASCII keys only.
void retype(QWidget* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

// The in-place editor open on a list.
QLineEdit* openEditor(QTreeWidget* list) {
    for (QLineEdit* e : list->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

class MainWindowE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"))
            << "this test needs an X display (run it under tools/with-xvfb.sh)";
        ASSERT_TRUE(dir.isValid());
        // Prices typed as a German user types them.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QTemporaryDir dir;
};

TEST_F(MainWindowE2ETest, BuildSaveAndCloseAMenuThenTheCommandLineReadsIt) {
    const QString path = dir.filePath(QStringLiteral("Abendkarte"));
    {
        TMainForm form(nullptr, TestStartup());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kWaitMs));
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form, kWaitMs));

        // A category, named in the editor that opens on its row.
        auto* categories = namedChild<QTreeWidget>(&form, "ListView2");
        ASSERT_NE(categories, nullptr);
        click(namedChild<QPushButton>(&form, "BitBtn1"));
        QLineEdit* editor = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (editor = openEditor(categories)); }, kWaitMs));
        retype(editor, QStringLiteral("Vorspeisen"));
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !openEditor(categories); }, kWaitMs));
        ASSERT_EQ(categories->topLevelItemCount(), 1);
        EXPECT_EQ(categories->topLevelItem(0)->text(0), QStringLiteral("Vorspeisen"));

        // A product through the product dialog.
        {
            ModalAnswer product("TEditProduktForm", [](QWidget& dialog) {
                retype(namedChild<QLineEdit>(&dialog, "Edit1"), QStringLiteral("Bruschetta"));
                retype(namedChild<QPlainTextEdit>(&dialog, "Edit2"),
                       QStringLiteral("Geröstetes Brot mit Tomaten"));
                retype(namedChild<QDoubleSpinBox>(&dialog, "PreisEd"), QStringLiteral("4,50"));
                retype(namedChild<QSpinBox>(&dialog, "NumEd"), QStringLiteral("7"));
                retype(namedChild<QLineEdit>(&dialog, "MengeEd"), QStringLiteral("2 Stück"));
                click(namedChild<QPushButton>(&dialog, "BitBtn1"));
            });
            click(namedChild<QPushButton>(&form, "NeuesProduktBtn"));
        }
        auto* products = namedChild<QTreeWidget>(&form, "ListView1");
        ASSERT_NE(products, nullptr);
        ASSERT_EQ(products->topLevelItemCount(), 1);
        EXPECT_EQ(products->topLevelItem(0)->text(0), QStringLiteral("Bruschetta"));
        EXPECT_TRUE(form.isChanged());

        // "Speichern unter": the name typed into the file dialog without its
        // suffix, which the dialog adds.
        {
            ModalAnswer save("QFileDialog", [&path](QWidget& dialog) {
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                retype(name, path);
                QTest::keyClick(name, Qt::Key_Return);
            });
            click(namedChild<QToolButton>(&form, "BitBtnXP1"));
        }
        EXPECT_TRUE(QFileInfo(path + QStringLiteral(".mnx")).isFile());
        EXPECT_FALSE(form.isChanged());
        EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral(" - [Abendkarte.mnx]")))
            << form.windowTitle().toStdString();

        // "Beenden": nothing is unsaved, so no question, nor any other
        // dialog, may come. One that does is answered "No" (close without
        // saving) or closed.
        bool asked = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* dialog = shownModal();
            if (!dialog)
                return;
            asked = true;
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ADD_FAILURE() << "a dialog on closing a saved menu: "
                          << (box ? box->text() : dialog->windowTitle()).toStdString();
            if (QAbstractButton* no = box ? box->button(QMessageBox::No) : nullptr)
                no->click();
            else
                dismiss(dialog);
        });
        watch.start(20);
        click(namedChild<QToolButton>(&form, "EndeBtn"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, kWaitMs));
        watch.stop();
        EXPECT_FALSE(asked);
    }

    // The saved file, read by the program on the command line.
    const QString csv = dir.filePath(QStringLiteral("Abendkarte.csv"));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // prices with a point
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));             // as a user starts it
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MENOLUX_PROGRAM),
                  {QStringLiteral("--export-csv"), csv, path + QStringLiteral(".mnx")});
    ASSERT_TRUE(program.waitForFinished(kWaitMs)) << program.errorString().toStdString();
    ASSERT_EQ(program.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3); // header, one product, nothing after the last line end
    // Windows-1252: ö is F6, ü is FC.
    EXPECT_EQ(lines[1], QByteArray("\"Vorspeisen\",\"Bruschetta\",\"Ger\xF6stetes Brot mit "
                                   "Tomaten\",\"4.50\",\"7\",\"2 St\xFC"
                                   "ck\"\r"));
    EXPECT_EQ(lines[2], QByteArray());
}

} // namespace
