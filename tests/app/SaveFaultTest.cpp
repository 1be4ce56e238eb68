// Saves that fail part-way, as on a full disk: the process may write only a
// few bytes into any file, so every write stops in the middle of the
// temporary file. The previous file must stay as it was, nothing may be left
// beside it, and the window must still know that its document is unsaved.
#include <csignal>

#include <sys/resource.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "ShownWindowTest.h"
#include "app/CommandLine.h"
#include "app/OptionsFile.h"
#include "files/MenuFile.h"
#include "translation/TranslateUnit.h"

namespace {

// While it lives, no file of the process can grow beyond `bytes`: a write
// past that ends short and the next one fails, as when a disk fills up.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class SaveFaultTest : public ShownWindowTest {};

TEST_F(SaveFaultTest, AMenuFileCutShortKeepsThePreviousFileAndTheChangeMark) {
    const QString path = dir.filePath("karte.mnx");
    form->doc.addKat(QStringLiteral("Suppen"));
    prompts->saveName = path;
    ASSERT_TRUE(form->SaveFile());
    const QByteArray saved = readAll(path);
    ASSERT_GT(saved.size(), 64);

    form->doc.addKat(QStringLiteral("Desserts"));
    ASSERT_TRUE(form->isChanged());
    {
        const FileSizeLimit full(32);
        ASSERT_TRUE(full.ok());
        EXPECT_FALSE(form->SaveTheFile());
    }
    EXPECT_EQ(readAll(path), saved);
    EXPECT_EQ(entries(dir), QStringList{"karte.mnx"});
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].startsWith("Die Speisekarte konnte nicht gespeichert werden."))
        << prompts->errors[0].toStdString();
    EXPECT_TRUE(form->isChanged());
    EXPECT_TRUE(form->windowTitle().endsWith("[karte.mnx*]"));

    // With room again the same save works.
    EXPECT_TRUE(form->SaveTheFile());
    EXPECT_FALSE(form->isChanged());
    MenuDocument reread;
    ASSERT_TRUE(OpenMenuFile(path, reread));
    EXPECT_EQ(reread.katCount(), 2);
}

TEST_F(SaveFaultTest, ACsvExportCutShortKeepsThePreviousFile) {
    const QString path = dir.filePath("karte.csv");
    form->doc.addKat(QStringLiteral("Suppen"));
    prompts->csvSaveName = path;
    form->exportCsv();
    ASSERT_TRUE(prompts->errors.isEmpty());
    const QByteArray exported = readAll(path);

    form->doc.addKat(QStringLiteral("Desserts"));
    {
        const FileSizeLimit full(16);
        ASSERT_TRUE(full.ok());
        form->exportCsv();
    }
    EXPECT_EQ(readAll(path), exported);
    EXPECT_EQ(entries(dir), QStringList{"karte.csv"});
    EXPECT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(form->isChanged());
}

TEST(SaveFault, OptionsAndTranslationsCutShortKeepTheirPreviousFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString options = dir.filePath("options.dat");
    ASSERT_TRUE(WriteOptionsFile(options, 3));
    {
        const FileSizeLimit full(2);
        ASSERT_TRUE(full.ok());
        EXPECT_FALSE(WriteOptionsFile(options, 1));
    }
    EXPECT_EQ(ReadOptionsFile(options), 3);

    const QString file = dir.filePath("translate.dat");
    TTranslationTable table(file);
    table.InitTranslation(file);
    table.TranslateText(QStringLiteral("Wein"));
    const QByteArray saved = readAll(file);
    ASSERT_GT(saved.size(), 16);
    QStringList reports;
    table.setSaveFailureReporter([&](const QString& message) { reports << message; });
    {
        const FileSizeLimit full(16);
        ASSERT_TRUE(full.ok());
        table.TranslateText(QStringLiteral("Bier"));
    }
    EXPECT_EQ(readAll(file), saved);
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(table.rowCount(), 2); // the table keeps what the file lacks
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"options.dat", "translate.dat"}));
}

TEST(SaveFault, TheCommandLineReportsASaveCutShort) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MenuDocument doc;
    doc.addKat(QStringLiteral("Suppen"));
    const QString in = dir.filePath("in.mnx");
    ASSERT_TRUE(SaveMenuFile(doc, in));
    const QString out = dir.filePath("out.mnx");
    ASSERT_TRUE(QFile::copy(in, out));
    doc.addKat(QStringLiteral("Desserts"));
    ASSERT_TRUE(SaveMenuFile(doc, in));
    const QByteArray before = readAll(out);
    QString error;
    int rc = 0;
    {
        const FileSizeLimit full(32);
        ASSERT_TRUE(full.ok());
        rc = RunHeadless(ParseCommandLine({"--save", out, in}), &error);
    }
    EXPECT_NE(rc, 0);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(out), before);
}

} // namespace
