#pragma once

#include <QString>
#include <QTemporaryDir>

#include "app/MainUnit.h"

// The data folder of the window tests: one temporary folder per test program,
// so that options.dat and translate.dat never land beside the test program.
inline QString TestDataFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

inline TStartup TestStartup(const QString& startFile = QString()) {
    return {startFile, TestDataFolder()};
}
