// Writing whole files: regular files are replaced only once complete;
// devices and named pipes are written into and stay what they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "files/OutputFile.h"

namespace {

class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(OutputFileTest, RegularFilesAreCreatedAndReplaced) {
    const QString file = path("menu.mnx");
    ASSERT_TRUE(WriteWholeFile(file, "first"));
    ASSERT_TRUE(WriteWholeFile(file, "second"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"menu.mnx"});
}

TEST_F(OutputFileTest, ANamedPipeIsWrittenIntoAndStaysAPipe) {
    const QString fifo = path("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A reader is there, so opening the pipe for writing does not wait.
    const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QString error;
    EXPECT_TRUE(WriteWholeFile(fifo, "through the pipe", &error)) << error.toStdString();
    char buffer[64] = {};
    const ssize_t n = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(QByteArray(buffer, int(std::max<ssize_t>(n, 0))), "through the pipe");
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), QStringList{"pipe"});
}

TEST_F(OutputFileTest, AFolderIsRefused) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    QString error;
    EXPECT_FALSE(WriteWholeFile(path("folder"), "x", &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path("folder")))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

} // namespace
