// The translation table: lookups, registration, translate.dat and the index.
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "files/ByteBuilder.h"
#include "translation/TranslateUnit.h"

namespace {

using Row = std::vector<std::u16string>;

// translate.dat as the format lays it out: column count, row count, then each
// row's texts as counted UTF-16 texts.
QByteArray transFile(int32_t columns, const std::vector<Row>& rows) {
    ByteBuilder b;
    b.i32(columns).i32(int32_t(rows.size()));
    for (const Row& row : rows)
        for (const std::u16string& text : row)
            b.text(text);
    return b.data();
}

// A row of 20 columns: German, English, the rest empty.
Row row20(std::u16string german, std::u16string english = {}) {
    Row row(LanguageCount);
    row[0] = std::move(german);
    row[1] = std::move(english);
    return row;
}

QString q(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TranslationTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name = "translate.dat") const {
        return dir.filePath(QString::fromLatin1(name));
    }
    QString write(const QByteArray& bytes, const char* name = "translate.dat") {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // A table loaded from `bytes` that saves back to the same file.
    std::unique_ptr<TTranslationTable> load(const QByteArray& bytes, bool* whole = nullptr) {
        const QString file = write(bytes);
        auto table = std::make_unique<TTranslationTable>(file);
        const bool ok = table->InitTranslation(file);
        if (whole)
            *whole = ok;
        return table;
    }

    QTemporaryDir dir;
};

// --- lookups --------------------------------------------------------------------

TEST_F(TranslationTableTest, LookupCases) {
    const std::vector<Row> rows = {
        row20(u"Preis", u"Price"),
        row20(u"Wein"),              // no English text
        row20(u"Suppe", u" Soup\n"), // blank in front, line break behind
        row20(u"Brot", u"   "),      // only blanks
        row20(u" Salz", u"Salt"),    // the stored key carries a blank
        row20(u"", u"Nothing"),      // no German text
        row20(u"Neu", u"New"),       // "neu" is another key
        row20(u"\tTab", u"Tabbed"),  // tabs belong to the key
        row20(u"Konte die folgende Datei nicht öffnen:", u"Could not open the following file:"),
    };
    const auto table = load(transFile(20, rows));
    table->setLanguage(1);
    struct Case {
        const char16_t* input;
        const char16_t* expected;
        bool registers;
    };
    const Case cases[] = {
        {u"", u"", false},
        {u"  Preis ", u"  Price ", false},
        {u"Preis", u"Price", false},
        {u"  Wein ", u"  Wein ", false},
        {u"Suppe", u"Soup", false},
        {u" Suppe  ", u" Soup  ", false},
        {u"Brot", u"", false},
        {u"   ", u"   ", false},
        {u"Neu", u"New", false},
        {u"neu", u"neu", true},
        {u"NEU", u"NEU", true},
        {u"\tTab", u"Tabbed", false},
        {u"Tab", u"Tab", true},
        {u"Salz", u"Salz", true},
        {u"Konte die folgende Datei nicht öffnen: ", u"Could not open the following file: ", false},
    };
    for (const Case& c : cases) {
        const int before = table->rowCount();
        EXPECT_EQ(table->TranslateText(q(c.input)), q(c.expected)) << q(c.input).toStdString();
        EXPECT_EQ(table->rowCount(), before + (c.registers ? 1 : 0)) << q(c.input).toStdString();
    }
    // The rows without a findable key stay in the table.
    EXPECT_EQ(table->text(4, 0), " Salz");
    EXPECT_EQ(table->text(5, 1), "Nothing");
}

TEST_F(TranslationTableTest, RegistrationAppendsTheKeyAndRewritesTheFile) {
    const QString file = path();
    TTranslationTable table(file);
    table.InitTranslation(file); // no file yet: empty
    table.setLanguage(1);
    EXPECT_EQ(table.TranslateText(QStringLiteral("  Neu")), "  Neu");
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(readAll(file), transFile(20, {row20(u"Neu")}));
    EXPECT_EQ(table.TranslateText(QStringLiteral("Neu")), "Neu");
    EXPECT_EQ(table.rowCount(), 1);

    // An empty input and blanks alone neither register nor write.
    QFile::remove(file);
    EXPECT_EQ(table.TranslateText(QString()), "");
    EXPECT_EQ(table.TranslateText(QStringLiteral("  ")), "  ");
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(TranslationTableTest, LanguageOutsideTheColumnsBehavesAsGerman) {
    const auto table = load(transFile(20, {row20(u"Preis", u"Price")}));
    for (int32_t language : {-1, 20, 25, INT32_MAX, INT32_MIN}) {
        table->setLanguage(language);
        EXPECT_EQ(table->TranslateText(QStringLiteral(" Preis")), " Preis") << language;
    }
    EXPECT_EQ(table->rowCount(), 1);
}

TEST_F(TranslationTableTest, OfTwoRowsWithOneKeyTheFirstEntryOfTheSortedBucketAnswers) {
    // Sorting two equal entries swaps them, so the later row answers.
    const auto table = load(transFile(20, {row20(u"Wein", u"Wine 1"), row20(u"Wein", u"Wine 2")}));
    table->setLanguage(1);
    EXPECT_EQ(table->TranslateText(QStringLiteral("Wein")), "Wine 2");
}

TEST_F(TranslationTableTest, BucketsAreChosenByTheLowByteAndSortedByCodeUnits) {
    std::vector<Row> rows;
    for (const char16_t* key :
         {u"Kategorie", u"Katze", u"Kat", u"K", u"Kb", u"\u014BX", u"Ka\u00E4"})
        rows.push_back(row20(key));
    const auto table = load(transFile(20, rows));
    // 'K' is U+004B; U+014B shares its low byte.
    const TDynaArray& b = table->bucket(0x4B);
    ASSERT_EQ(b.count(), rows.size());
    std::vector<std::u16string> order;
    for (uint32_t i = 0; i < b.count(); ++i)
        order.emplace_back(static_cast<const TTransIndexRec*>(b.poi())[i].text);
    const std::vector<std::u16string> expected = {u"K",        u"Kat", u"Kategorie", u"Katze",
                                                  u"Ka\u00E4", u"Kb",  u"\u014BX"};
    EXPECT_EQ(order, expected);
}

TEST_F(TranslationTableTest, EditsKeepTheIndexAndDeletionsRebuildIt) {
    const auto table = load(
        transFile(20, {row20(u"Eins", u"One"), row20(u"Zwei", u"Two"), row20(u"Drei", u"Three")}));
    table->setLanguage(1);
    // A changed German text: the row is still found by its former one.
    table->setText(1, 0, u"Zwo");
    table->setText(1, 1, u" Two, typed ");
    EXPECT_EQ(table->text(1, 1), " Two, typed ");
    EXPECT_EQ(table->TranslateText(QStringLiteral("Zwei")), "Two, typed");

    // After a deletion the later rows answer for themselves.
    table->deleteRow(0);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->TranslateText(QStringLiteral("Drei")), "Three");
    EXPECT_EQ(table->TranslateText(QStringLiteral("Zwo")), "Two, typed");
    table->deleteRow(1);
    EXPECT_EQ(table->TranslateText(QStringLiteral("Drei")), "Drei");
    EXPECT_EQ(table->rowCount(), 2); // "Drei" registered again
    EXPECT_EQ(table->text(1, 0), "Drei");
}

// --- the file ---------------------------------------------------------------------

TEST_F(TranslationTableTest, ReadsColumnCountsOtherThanTwenty) {
    {
        const auto table =
            load(transFile(3, {{u"Preis", u"Price", u"Prix"}, {u"Wein", u"", u"Vin"}}));
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->text(0, 2), "Prix");
        EXPECT_EQ(table->text(1, 2), "Vin");
        for (int c = 3; c < LanguageCount; ++c)
            EXPECT_EQ(table->text(0, c), "");
        // The next save writes twenty columns.
        ASSERT_TRUE(table->SaveTranslations());
        Row first = row20(u"Preis", u"Price");
        first[2] = u"Prix";
        Row second = row20(u"Wein");
        second[2] = u"Vin";
        EXPECT_EQ(readAll(path()), transFile(20, {first, second}));
    }
    {
        Row wide(25);
        for (int c = 0; c < 25; ++c)
            wide[std::size_t(c)] = u"c" + std::u16string(1, char16_t(u'a' + c));
        const auto table = load(transFile(25, {wide, wide}));
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->text(1, 19), "ct");
        ASSERT_TRUE(table->SaveTranslations());
        wide.resize(20);
        EXPECT_EQ(readAll(path()), transFile(20, {wide, wide}));
    }
}

TEST_F(TranslationTableTest, DamagedFilesKeepTheRowsBeforeTheDamage) {
    const QByteArray two = transFile(20, {row20(u"Preis", u"Price"), row20(u"Wein", u"Wine")});
    ByteBuilder negativeCount;
    negativeCount.append(two.left(8 + 20 * 4 + 10 + 10));
    negativeCount.i32(-5);
    ByteBuilder hugeText;
    hugeText.i32(20).i32(2).append(transFile(20, {row20(u"Preis", u"Price")}).mid(8));
    hugeText.i32(0x7FFFFFFF);
    ByteBuilder hugeRows;
    hugeRows.i32(20).i32(0x7FFFFFFF).append(two.mid(8));
    ByteBuilder hugeColumns;
    hugeColumns.i32(0x7FFFFFFF).i32(1).append(two.mid(8));
    // One-column rows of an empty text, more than any table of the program.
    ByteBuilder manyRows;
    manyRows.i32(1).i32(MaxTranslationRows + 10);
    manyRows.append(QByteArray(4 * (MaxTranslationRows + 10), '\0'));
    ByteBuilder negativeColumns;
    negativeColumns.i32(-3).i32(1000000000);
    struct Case {
        const char* what;
        QByteArray bytes;
        int rows;
        bool whole;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), 0, false},
        {"short header", two.left(6), 0, false},
        {"no rows", transFile(20, {}), 0, true},
        {"negative row count", ByteBuilder().i32(20).i32(-4).append(two.mid(8)).data(), 0, true},
        {"ends inside the second row", two.left(two.size() - 3), 1, false},
        {"ends inside the first text", two.left(8 + 4 + 3), 0, false},
        {"negative text length in the second row", negativeCount.data(), 1, false},
        {"text longer than the file", hugeText.data(), 1, false},
        {"more rows than the file holds", hugeRows.data(), 2, false},
        {"more columns than the file holds", hugeColumns.data(), 0, false},
        {"negative column count", negativeColumns.data(), 0, false},
        {"more rows than a table holds", manyRows.data(), MaxTranslationRows, false},
    };
    for (const Case& c : cases) {
        bool whole = true;
        const auto table = load(c.bytes, &whole);
        EXPECT_EQ(table->rowCount(), c.rows) << c.what;
        EXPECT_EQ(whole, c.whole) << c.what;
        // The index exists whatever the damage.
        table->setLanguage(1);
        const bool found = c.rows > 0 && table->text(0, 0) == "Preis";
        EXPECT_EQ(table->TranslateText(QStringLiteral("Preis")), found ? "Price" : "Preis")
            << c.what;
    }
}

TEST_F(TranslationTableTest, AMissingFileOrAFolderGivesAnEmptyTable) {
    TTranslationTable missing(path());
    EXPECT_TRUE(missing.InitTranslation(path("nothing.dat")));
    EXPECT_EQ(missing.rowCount(), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.dat")));
    TTranslationTable folder(path());
    EXPECT_TRUE(folder.InitTranslation(path("folder.dat")));
    EXPECT_EQ(folder.rowCount(), 0);
}

TEST_F(TranslationTableTest, FailedSavesKeepTheTableAndAreReportedOncePerRun) {
    // A file in the place of the folder makes every save fail, also as root.
    const QString folder = path("data");
    write(QByteArray("not a folder"), "data");
    TTranslationTable table(folder + QStringLiteral("/translate.dat"));
    table.InitTranslation(table.fileName());
    QStringList reports;
    table.setSaveFailureReporter([&](const QString& message) { reports << message; });
    table.TranslateText(QStringLiteral("Wein"));
    table.TranslateText(QStringLiteral("Bier"));
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(reports.size(), 1);

    // Once saving works again, everything is written, and the next failure
    // is told again.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
    table.TranslateText(QStringLiteral("Saft"));
    EXPECT_EQ(readAll(table.fileName()),
              transFile(20, {row20(u"Wein"), row20(u"Bier"), row20(u"Saft")}));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    write(QByteArray("not a folder"), "data");
    table.TranslateText(QStringLiteral("Tee"));
    EXPECT_EQ(reports.size(), 2);
    EXPECT_EQ(table.rowCount(), 4);
}

TEST_F(TranslationTableTest, ABatchWritesOnceAtItsEnd) {
    const QString file = path();
    TTranslationTable table(file);
    table.InitTranslation(file);
    {
        const TTranslationBatch outer(&table);
        table.TranslateText(QStringLiteral("Neu"));
        {
            const TTranslationBatch inner(&table);
            table.TranslateText(QStringLiteral("Öffnen..."));
        }
        EXPECT_FALSE(QFile::exists(file));
        table.TranslateText(QStringLiteral("Beenden"));
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_EQ(readAll(file),
              transFile(20, {row20(u"Neu"), row20(u"Öffnen..."), row20(u"Beenden")}));
}

// --- the program's table and its messages ---------------------------------------

TEST_F(TranslationTableTest, TheProgramKeepsADamagedFileBeforeItIsWrittenAgain) {
    const QByteArray damaged = transFile(20, {row20(u"Preis", u"Price")}).left(30);
    TTranslationTable& table = InitTranslation(path(), write(damaged));
    EXPECT_EQ(readAll(path("translate.dat.bak")), damaged);
    table.TranslateText(QStringLiteral("Wein"));
    EXPECT_EQ(readAll(path()), transFile(20, {row20(u"Wein")}));
    EXPECT_EQ(readAll(path("translate.dat.bak")), damaged);
    EndTranslation();
}

TEST_F(TranslationTableTest, MessagesComeFromTheProgramsTable) {
    // Without a table the texts stay German and nothing is registered.
    EndTranslation();
    EXPECT_EQ(GetMessageText(10), "Preis auf Anfrage");
    EXPECT_EQ(TranslateText(QStringLiteral("Kategorie")), "Kategorie");

    Row notOpened = row20(u"Konte die folgende Datei nicht öffnen:", u"Could not open:");
    TTranslationTable& table =
        InitTranslation(path(), write(transFile(20, {notOpened, row20(u"Preis", u"Price")})));
    table.setLanguage(1);
    QString text = QStringLiteral("given");
    for (int n : {0, 21, -1}) {
        GetMessageText(n, text);
        EXPECT_EQ(text, "given") << n;
    }
    // The German message ends with a blank, and so does its translation.
    EXPECT_EQ(GetMessageText(1), "Could not open: ");
    EXPECT_EQ(GetMessageText(16), "Price");
    EXPECT_EQ(GetMessageText(7), "");

    TranslateAllMessages();
    // Every message but the four reserved ones stands in the table, in slot
    // order after the two rows of the file.
    ASSERT_EQ(table.rowCount(), 2 + 16 - 2);
    EXPECT_FALSE(QFile::exists(path("translate.dat.bak")));
    QStringList registered;
    for (int r = 2; r < table.rowCount(); ++r)
        registered << table.text(r, 0);
    EXPECT_EQ(registered.constFirst(), MessageTexts[1]);
    EXPECT_FALSE(registered.contains(QStringLiteral("Preis")));
    EXPECT_EQ(registered.constLast(), MessageTexts[18]);
    EndTranslation();
}

} // namespace
