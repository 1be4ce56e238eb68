#pragma once

#include <QString>

// Where the program keeps options.dat and translate.dat.
//
// Beside the program when its folder can be written. An installed program's
// folder cannot: the files then live in the user's data folder, and the
// translations start from the program folder's translate.dat until the user's
// folder has one of its own.
struct TDataFiles {
    QString folder; // ending in '/'
    // The translate.dat to read at start when the folder has none yet; empty
    // when there is none to start from.
    QString startingTranslations;

    QString options() const { return folder + QStringLiteral("options.dat"); }
    QString translations() const { return folder + QStringLiteral("translate.dat"); }
    // The file the table is read from at start.
    QString translationsToLoad() const;
};

// The data files of a program in `programDir` (ending in '/').
TDataFiles LocateDataFiles(const QString& programDir);
// The same, told whether the program's folder can be written and where the
// user's data folder is; that folder is made when it is used.
TDataFiles LocateDataFiles(const QString& programDir, bool programDirWritable,
                           const QString& userDataFolder);
// Data files kept in `folder` (tests, or a folder chosen by hand).
TDataFiles DataFilesIn(const QString& folder);
