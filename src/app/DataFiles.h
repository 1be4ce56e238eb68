#pragma once

#include <QString>

// Where the program keeps options.dat and translate.dat, and where it finds
// the files that come with it.
//
// A program run from its build folder keeps both files beside it when that
// folder can be written. An installed program (`<prefix>/bin/menolux` with
// `<prefix>/share/menolux/` beside `bin`) keeps them in the user's data
// folder, whoever runs it: root could write into `<prefix>/bin`, but that is
// no place for one user's choices. So does a program whose folder cannot be
// written. The translations then start from the program's data folder's
// translate.dat until the user's folder has one of its own.
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

// True for a program in a folder `<prefix>/bin` when `<prefix>/share/menolux`
// is a folder: the layout that `cmake --install` makes.
bool IsInstalledProgram(const QString& programDir);
// The folder, ending in '/', of the files that come with a program in
// `programDir`: the default texture, the sample menu and a translate.dat to
// start from. `<prefix>/share/menolux/` for an installed program, else the
// program's own folder.
QString ProgramDataFolder(const QString& programDir);
// The same for the running program.
QString ProgramDataFolder();

// The data files of a program in `programDir` (ending in '/').
TDataFiles LocateDataFiles(const QString& programDir);
// The same, told whether the program's folder can be written and where the
// user's data folder is; that folder is made when it is used. Whether the
// program is installed is read from the folders around `programDir`.
TDataFiles LocateDataFiles(const QString& programDir, bool programDirWritable,
                           const QString& userDataFolder);
// Data files kept in `folder` (tests, or a folder chosen by hand).
TDataFiles DataFilesIn(const QString& folder);
