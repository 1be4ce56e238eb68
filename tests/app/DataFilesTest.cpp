// Where options.dat and translate.dat live, and the options file itself.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/DataFiles.h"
#include "app/OptionsFile.h"
#include "files/ByteBuilder.h"

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(OptionsFile, ReadsTheLanguageFromTheFirstFourBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.dat"));
    struct Case {
        const char* what;
        QByteArray bytes;
        std::optional<int32_t> language;
    };
    const Case cases[] = {
        {"German", ByteBuilder().i32(0).data(), 0},
        {"English", ByteBuilder().i32(1).data(), 1},
        {"a column without a menu item", ByteBuilder().i32(7).data(), 7},
        {"negative", ByteBuilder().i32(-5).data(), -5},
        {"bytes after the value", ByteBuilder().i32(2).i32(77).u8(1).data(), 2},
        {"three bytes", QByteArray("\x01\x00\x00", 3), std::nullopt},
        {"empty", QByteArray(), std::nullopt},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        EXPECT_EQ(ReadOptionsFile(path), c.language) << c.what;
    }
    EXPECT_EQ(ReadOptionsFile(dir.filePath(QStringLiteral("missing.dat"))), std::nullopt);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.dat")));
    EXPECT_EQ(ReadOptionsFile(dir.filePath(QStringLiteral("folder.dat"))), std::nullopt);
}

TEST(OptionsFile, WritesExactlyFourBytesAndKeepsTheOldFileOnFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.dat"));
    writeBytes(path, ByteBuilder().i32(3).i32(3).data());
    ASSERT_TRUE(WriteOptionsFile(path, -2));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), ByteBuilder().i32(-2).data());
    // A file in the place of the folder: nothing can be written.
    writeBytes(dir.filePath(QStringLiteral("plain")), "x");
    EXPECT_FALSE(WriteOptionsFile(dir.filePath(QStringLiteral("plain/options.dat")), 1));
}

TEST(DataFiles, LiveBesideAWritableProgramOrInTheUsersFolder) {
    QTemporaryDir program;
    QTemporaryDir user;
    const QString userFolder = user.filePath(QStringLiteral("Menolux"));

    const TDataFiles beside = LocateDataFiles(program.path(), true, userFolder);
    EXPECT_EQ(beside.options(), program.filePath(QStringLiteral("options.dat")));
    EXPECT_EQ(beside.translationsToLoad(), program.filePath(QStringLiteral("translate.dat")));
    EXPECT_FALSE(QFileInfo::exists(userFolder));

    // An installed program: the user's folder is made; the translations start
    // from the program's file until the user's folder has one.
    const QString shipped = program.filePath(QStringLiteral("translate.dat"));
    writeBytes(shipped, ByteBuilder().i32(20).i32(0).data());
    const TDataFiles installed = LocateDataFiles(program.path() + '/', false, userFolder);
    EXPECT_TRUE(QFileInfo(userFolder).isDir());
    EXPECT_EQ(installed.options(), userFolder + QStringLiteral("/options.dat"));
    EXPECT_EQ(installed.translations(), userFolder + QStringLiteral("/translate.dat"));
    EXPECT_EQ(installed.translationsToLoad(), shipped);
    writeBytes(installed.translations(), ByteBuilder().i32(20).i32(0).data());
    EXPECT_EQ(installed.translationsToLoad(), installed.translations());

    QFile::remove(shipped);
    EXPECT_TRUE(LocateDataFiles(program.path(), false, userFolder).startingTranslations.isEmpty());
}

// The folders of a program as the build makes them and as `cmake --install`
// makes them; whether the program's folder can be written is told apart, since
// root can write everywhere.
TEST(DataFiles, AnInstalledProgramKeepsThemInTheUsersFolderWhateverItMayWrite) {
    struct Case {
        const char* what;
        const char* programDir;  // below the temporary folder
        const char* shareFolder; // made beside it; none when null
        bool writable;
        bool installed;
    };
    const Case cases[] = {
        {"build folder", "build", nullptr, true, false},
        {"build folder that cannot be written", "build", nullptr, false, false},
        {"installed, run by root", "prefix/bin", "prefix/share/menolux", true, true},
        {"installed", "prefix/bin", "prefix/share/menolux", false, true},
        {"a bin folder without the data folder", "prefix/bin", nullptr, true, false},
        {"a bin folder beside another program's data", "prefix/bin", "prefix/share/other", true,
         false},
        {"data folder beside a folder not named bin", "prefix/tools", "prefix/share/menolux", true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QString programDir = root.filePath(QString::fromLatin1(c.programDir)) + '/';
        ASSERT_TRUE(QDir().mkpath(programDir));
        if (c.shareFolder) {
            ASSERT_TRUE(QDir().mkpath(root.filePath(QString::fromLatin1(c.shareFolder))));
        }
        const QString userFolder = root.filePath(QStringLiteral("home/data/Menolux"));
        const QString dataFolder =
            c.installed ? root.filePath(QStringLiteral("prefix/share/menolux/")) : programDir;

        EXPECT_EQ(IsInstalledProgram(programDir), c.installed);
        EXPECT_EQ(ProgramDataFolder(programDir), dataFolder);
        // The same without the closing slash.
        EXPECT_EQ(ProgramDataFolder(programDir.chopped(1)), dataFolder);

        const bool besideProgram = c.writable && !c.installed;
        TDataFiles files = LocateDataFiles(programDir, c.writable, userFolder);
        EXPECT_EQ(files.folder, besideProgram ? programDir : userFolder + '/');
        EXPECT_TRUE(files.startingTranslations.isEmpty());
        if (besideProgram)
            continue;
        // A translate.dat that came with the program is where the user's
        // translations start; one left beside an installed program is not.
        writeBytes(programDir + QStringLiteral("translate.dat"), ByteBuilder().i32(20).data());
        files = LocateDataFiles(programDir, c.writable, userFolder);
        EXPECT_EQ(files.startingTranslations,
                  c.installed ? QString() : programDir + QStringLiteral("translate.dat"));
        writeBytes(dataFolder + QStringLiteral("translate.dat"), ByteBuilder().i32(20).data());
        files = LocateDataFiles(programDir, c.writable, userFolder);
        EXPECT_EQ(files.startingTranslations, dataFolder + QStringLiteral("translate.dat"));
        EXPECT_EQ(files.translationsToLoad(), dataFolder + QStringLiteral("translate.dat"));
    }
}

} // namespace
