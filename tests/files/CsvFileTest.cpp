#include <cstring>

#include <QByteArray>
#include <QLocale>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "editing/MenuEditor.h"
#include "editing/ProductFields.h"
#include "files/CsvFile.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"

namespace {

class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

void addProduct(MenuDocument& doc, int kat, const TProductFields& f) {
    void* slot = doc.products(kat)->Add();
    const TProduktRec rec = MakeProdukt(f);
    std::memcpy(slot, &rec, sizeof rec);
}

QList<TProductFields> productsOf(MenuDocument& doc, int kat) {
    QList<TProductFields> out;
    TDynaArray* a = doc.products(kat);
    for (uint32_t i = 0; i < a->count(); ++i)
        out << FieldsOf(*static_cast<TProduktRec*>(a->GetObject(i)));
    return out;
}

const QByteArray GermanHeader =
    "\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\",\"Bestellnummer\",\"Menge\"\r\n";

using CsvExport = GermanLocale;

TEST_F(CsvExport, WritesQuotedFieldsInWindows1252) {
    MenuDocument doc;
    doc.addKat(QStringLiteral("Suppen"));
    doc.addKat(QStringLiteral("Leer"));
    doc.addKat(QStringLiteral("Getr\u00e4nke"));
    addProduct(doc, 0,
               {QStringLiteral("Die \"gute\""), QStringLiteral("Zeile1\r\nZeile2"),
                QStringLiteral("0,5 l"), 4.5, 12});
    addProduct(doc, 0, {QStringLiteral("\"\""), QStringLiteral("a\\nb"), QString(), -1, -3});
    addProduct(doc, 2, {QStringLiteral("Tee \u20ac \u4e2d"), QString(), QString(), 1234.567, 0});

    const QByteArray expected =
        GermanHeader +
        QByteArray(
            "\"Suppen\",\"Die \"\"gute\"\"\",\"Zeile1\r\nZeile2\",\"4,50\",\"12\",\"0,5 l\"\r\n"
            "\"Suppen\",\"\"\"\"\"\",\"a\\nb\",\"-1,00\",\"-3\",\"\"\r\n"
            "\"Getr\xe4nke\",\"Tee \x80 ?\",\"\",\"1234,57\",\"0\",\"\"\r\n");
    EXPECT_EQ(WriteCsv(doc, CsvHeader()), expected);
}

TEST_F(CsvExport, HeaderComesFromTheGivenTexts) {
    MenuDocument doc;
    EXPECT_EQ(
        WriteCsv(doc, {"Category", "Name", "Description", "Price", "Number", "Size"}),
        QByteArray("\"Category\",\"Name\",\"Description\",\"Price\",\"Number\",\"Size\"\r\n"));
}

TEST(CsvField, Decodeenters) {
    struct Case {
        const char* raw;
        QString text;
    } cases[] = {
        {"\"abc\"", "abc"},     {"abc", "abc"},         {"\"\"", ""},      {"\"", ""},
        {"\"a\"\"b\"", "a\"b"}, {"a\"\"\"\"b", "a\"b"}, {"a\\nb", "a\nb"}, {"a\\r\\nb", "a\r\nb"},
        {"a\\\\nb", "a\nb"},    {"a\\tb", "a\\tb"},     {"ab\\", "ab\\"},  {"ab\\\\", "ab\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeenters(QString::fromLatin1(c.raw)), c.text) << c.raw;
}

using CsvImport = GermanLocale;

TCsvLine product(const char* kat, const char* name, const char* desc = "", double price = 0,
                 int number = 0, const char* quantity = "") {
    return {kat, true, {name, desc, quantity, price, number}};
}
TCsvLine kat(const char* name) {
    return {name, false, {}};
}

TEST_F(CsvImport, LinesAsTable) {
    struct Case {
        const char* name;
        QByteArray line;
        QList<TCsvLine> expected;
    } cases[] = {
        {"all six",
         "\"K\",\"N\",\"D\",\"4,50\",\"7\",\"Q\"",
         {product("K", "N", "D", 4.5, 7, "Q")}},
        {"quoted comma", "\"K,1\",\"a,b\"", {product("K,1", "a,b")}},
        {"two commas in a row", "K,,D", {product("K", "", "D")}},
        {"trailing comma", "K,N,", {product("K", "N")}},
        {"two trailing commas", "K,N,,", {product("K", "N", "")}},
        {"one comma only", ",", {kat("")}},
        {"one field", "\"K\"", {kat("K")}},
        {"one field and comma", "K,", {kat("K")}},
        {"escapes", "K,\"a\\nb\\r\\nc\\x\"", {product("K", "a\nb\r\nc\\x")}},
        {"unreadable price and number", "K,N,D,abc,1x", {product("K", "N", "D", 0, 0)}},
        {"negative values", "K,N,D,\"-2,25\",\"-4\"", {product("K", "N", "D", -2.25, -4)}},
        {"more than six fields", "K,N,D,1,2,Q,X,Y", {product("K", "N", "D", 1, 2, "Q")}},
        {"windows-1252", "\"Getr\xe4nke\",\"\x80\"", {product("Getr\u00e4nke", "\u20ac")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadCsv("header\r\n" + c.line + "\r\n"), c.expected) << c.name;
}

TEST_F(CsvImport, LineEndsHeaderAndEmptyLines) {
    EXPECT_EQ(ReadCsv("\"a,b\",\"c\"\nA,1\rB,2\r\n\r\n\nC,3"),
              (QList<TCsvLine>{product("A", "1"), product("B", "2"), product("C", "3")}));
    EXPECT_EQ(ReadCsv("only a header"), QList<TCsvLine>{});
    EXPECT_EQ(ReadCsv(""), QList<TCsvLine>{});
}

TEST_F(CsvImport, LineBreakInsideQuotesContinuesTheField) {
    EXPECT_EQ(ReadCsv("h\r\n\"K\",\"N\",\"eins\r\nzwei\ndrei\",\"1,00\"\r\nK,M\r\n"),
              (QList<TCsvLine>{product("K", "N", "eins\r\nzwei\ndrei", 1), product("K", "M")}));
    // An unclosed quote runs to the end of the file.
    EXPECT_EQ(ReadCsv("h\r\nK,\"open\r\nK,M\r\n"),
              (QList<TCsvLine>{product("K", "open\r\nK,M\r\n")}));
}

TEST_F(CsvImport, LongQuotedFieldIsReadInOnePass) {
    QByteArray bytes = "h\r\nK,\"";
    bytes += QByteArray(20 * 1024 * 1024, 'x');
    const QList<TCsvLine> lines = ReadCsv(bytes);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].product.name.size(), 20 * 1024 * 1024);
}

TEST_F(CsvImport, CategoriesMatchExactlyAndOneStepUndoes) {
    MenuDocument doc;
    doc.addKat(QStringLiteral("Suppen"));
    doc.addKat(QStringLiteral("Suppen"));
    addProduct(doc, 0, {QStringLiteral("alt"), QString(), QString(), 1, 1});
    QUndoStack stack;
    TMenuEditor editor(doc, stack);

    int products = 0, categories = 0;
    const int last = editor.importCsv(
        ReadCsv("h\r\nSuppen,neu\r\nsuppen,klein\r\nNeu\r\nsuppen,zwei\r\nSuppen\r\n"), &products,
        &categories);
    EXPECT_EQ(last, 0);
    EXPECT_EQ(products, 3);
    EXPECT_EQ(categories, 3);
    ASSERT_EQ(doc.katCount(), 4);
    EXPECT_EQ(doc.katName(2), QStringLiteral("suppen"));
    EXPECT_EQ(doc.katName(3), QStringLiteral("Neu"));
    EXPECT_EQ(productsOf(doc, 0).size(), 2);
    EXPECT_EQ(productsOf(doc, 1).size(), 0);
    EXPECT_EQ(productsOf(doc, 2).size(), 2);
    EXPECT_EQ(productsOf(doc, 3).size(), 0);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), QStringLiteral("CSV importieren"));

    stack.undo();
    ASSERT_EQ(doc.katCount(), 2);
    EXPECT_EQ(productsOf(doc, 0),
              (QList<TProductFields>{{QStringLiteral("alt"), QString(), QString(), 1, 1}}));
    EXPECT_EQ(productsOf(doc, 1).size(), 0);
    stack.redo();
    EXPECT_EQ(doc.katCount(), 4);
    EXPECT_EQ(productsOf(doc, 2).size(), 2);
}

TEST_F(CsvImport, RoundTripAndReimport) {
    MenuDocument doc;
    doc.addKat(QStringLiteral("Vorspeisen"));
    doc.addKat(QStringLiteral("Leer"));
    doc.addKat(QStringLiteral("Haupt \"gerichte\""));
    addProduct(doc, 0,
               {QStringLiteral("Salat, gro\u00df"), QStringLiteral("mit\r\nDressing"),
                QStringLiteral("300 g"), 7.9, 3});
    addProduct(doc, 2, {QStringLiteral("Schnitzel"), QStringLiteral("a\nb\rc"), QString(), 0, -1});
    addProduct(doc, 2, {QStringLiteral("Steak"), QString(), QString(), -12.5, 0});
    const QByteArray csv = WriteCsv(doc, CsvHeader());

    MenuDocument copy;
    QUndoStack stack;
    TMenuEditor editor(copy, stack);
    editor.importCsv(ReadCsv(csv));
    ASSERT_EQ(copy.katCount(), 2);
    EXPECT_EQ(copy.katName(0), doc.katName(0));
    EXPECT_EQ(copy.katName(1), doc.katName(2));
    EXPECT_EQ(productsOf(copy, 0), productsOf(doc, 0));
    EXPECT_EQ(productsOf(copy, 1), productsOf(doc, 2));

    editor.importCsv(ReadCsv(csv));
    EXPECT_EQ(copy.katCount(), 2);
    EXPECT_EQ(productsOf(copy, 0), productsOf(doc, 0) + productsOf(doc, 0));
    EXPECT_EQ(productsOf(copy, 1), productsOf(doc, 2) + productsOf(doc, 2));
}

} // namespace
