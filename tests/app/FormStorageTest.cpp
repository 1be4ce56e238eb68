// The main window's form storage: its placement and the print-resolution
// option survive a restart. Every test starts with an empty store.
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/WindowFixture.h"

namespace {

class FormStorageTest : public ::testing::Test {
protected:
    // A window as the program makes one, shown.
    std::unique_ptr<TMainForm> start(FakePrompts** prompts = nullptr) {
        auto owned = std::make_unique<FakePrompts>();
        if (prompts)
            *prompts = owned.get();
        auto form = std::make_unique<TMainForm>(std::move(owned), TestStartup());
        form->show();
        return form;
    }
    static QAction* option(TMainForm& form) {
        return form.action(QStringLiteral("DPIWertbeimDruckenselbereinstellen1"));
    }
    // Closes the window as its title bar would; true when it was allowed.
    static bool requestClose(TMainForm& form) {
        QCloseEvent event;
        QCoreApplication::sendEvent(&form, &event);
        return event.isAccepted();
    }
    static QVariant stored(const char* key) {
        QSettings settings;
        return settings.value(QStringLiteral("TMainForm/") + QString::fromLatin1(key));
    }
};

// The check mark, toggled by its menu item, is as it was left.
TEST_F(FormStorageTest, PrintResolutionOptionSurvivesARestart) {
    for (bool checked : {true, false, true}) {
        SCOPED_TRACE(checked);
        auto form = start();
        if (option(*form)->isChecked() != checked)
            option(*form)->trigger();
        ASSERT_EQ(option(*form)->isChecked(), checked);
        ASSERT_TRUE(requestClose(*form));
        EXPECT_EQ(stored("DPIWertbeimDruckenselbereinstellen1.Checked").toBool(), checked);
        form.reset();
        EXPECT_EQ(option(*start())->isChecked(), checked);
    }
}

TEST_F(FormStorageTest, PlacementSurvivesARestart) {
    auto form = start();
    form->resize(1000, 700);
    ASSERT_TRUE(requestClose(*form));
    form.reset();
    EXPECT_EQ(start()->size(), QSize(1000, 700));
}

// Saved only when a close is allowed, or else when the window goes; a
// window never shown leaves the store alone.
TEST_F(FormStorageTest, SavedWhenClosingIsAllowedOrTheWindowGoes) {
    FakePrompts* prompts = nullptr;
    auto form = start(&prompts);
    option(*form)->trigger();
    form->doc.addKat(QStringLiteral("Suppen")); // unsaved: closing asks
    prompts->answer = TPrompts::Answer::Cancel;
    EXPECT_FALSE(requestClose(*form));
    EXPECT_FALSE(stored("DPIWertbeimDruckenselbereinstellen1.Checked").isValid());
    form.reset(); // gone without a close
    EXPECT_TRUE(stored("DPIWertbeimDruckenselbereinstellen1.Checked").toBool());

    QSettings().clear();
    {
        TMainForm hidden(std::make_unique<FakePrompts>(), TestStartup());
        option(hidden)->trigger();
    }
    EXPECT_FALSE(stored("DPIWertbeimDruckenselbereinstellen1.Checked").isValid());
}

// Each showing restores what is stored.
TEST_F(FormStorageTest, RestoredAtEachShowing) {
    auto form = start();
    form->hide();
    {
        QSettings settings;
        settings.setValue(QStringLiteral("TMainForm/DPIWertbeimDruckenselbereinstellen1.Checked"),
                          true);
    }
    EXPECT_FALSE(option(*form)->isChecked());
    form->show();
    EXPECT_TRUE(option(*form)->isChecked());
}

} // namespace
