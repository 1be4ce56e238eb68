// Qt's own texts in the German interface.
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include "app/QtTranslations.h"

namespace {

TEST(QtTranslations, StandardButtonsAndShortcutsAreGerman) {
    QTranslator* translator = InstallQtGermanTexts(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's German translations (qtbase_de.qm) are missing";

    QMessageBox box(QMessageBox::Question, QStringLiteral("Speichern"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const std::pair<QMessageBox::StandardButton, const char*> buttons[] = {
        {QMessageBox::Yes, "Ja"}, {QMessageBox::No, "Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [button, text] : buttons)
        EXPECT_EQ(box.button(button)->text().remove('&'), QString::fromUtf8(text));
    EXPECT_EQ(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText), "Strg+N");

    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText), "Ctrl+N");
}

} // namespace
