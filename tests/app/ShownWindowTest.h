#pragma once

#include <memory>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/FakePrompts.h"
#include "app/MainUnit.h"
#include "app/WindowFixture.h"

// The start of most window tests: the main window shown, its questions and
// dialogs answered by FakePrompts, and a temporary folder for the files a
// test writes. The members are public so that tables of cases can reach them
// through a reference to the fixture.
class ShownWindowTest : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto owned = std::make_unique<FakePrompts>();
        prompts = owned.get();
        form = std::make_unique<TMainForm>(std::move(owned), TestStartup());
        form->show();
    }

    QTemporaryDir dir;
    FakePrompts* prompts = nullptr;
    std::unique_ptr<TMainForm> form;
};
