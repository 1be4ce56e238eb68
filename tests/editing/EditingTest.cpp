#include <random>

#include <QUndoStack>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "editing/DatabaseSort.h"
#include "editing/MenuEditor.h"
#include "files/MenuFile.h"
#include "foundation/MenuDocument.h"

namespace {

// A document with its editor and undo stack.
struct Editing {
    MenuDocument doc;
    QUndoStack stack;
    TMenuEditor editor{doc, stack};

    TProduktRec& product(int category, int j) {
        return *static_cast<TProduktRec*>(doc.products(category)->GetObject(uint32_t(j)));
    }
    TProduktRec& record(int k) {
        return *static_cast<TProduktRec*>(doc.data.GetObject(uint32_t(k)));
    }
    QStringList productNames(int category) {
        QStringList names;
        for (uint32_t j = 0; j < doc.products(category)->count(); ++j)
            names << TextOf(product(category, int(j)).name);
        return names;
    }
    QStringList databaseNames() {
        QStringList names;
        for (uint32_t k = 0; k < doc.data.count(); ++k)
            names << TextOf(record(int(k)).name);
        return names;
    }
    QStringList categoryNames() {
        QStringList names;
        for (int i = 0; i < doc.katCount(); ++i)
            names << doc.katName(i);
        return names;
    }
    QStringList keys(Legend l) {
        QStringList k;
        for (const TLegendEntry& e : doc.legend(l))
            k << e.key;
        return k;
    }
    QStringList texts(Legend l) {
        QStringList t;
        for (const TLegendEntry& e : doc.legend(l))
            t << e.text;
        return t;
    }
};

TProductFields named(const QString& name, double price = 1) {
    return {name, name + QStringLiteral(" desc"), QStringLiteral("0,5l"), price, 0};
}

TEST(CategoryEditing, MovesKeepNamesAndProductsTogether) {
    struct Case {
        int from;
        int delta;
        int expectedIndex;
        QStringList order;
    };
    const Case cases[] = {
        {1, -1, 0, {"B", "A", "C"}},   {0, -1, 0, {"A", "B", "C"}}, {2, +1, 2, {"A", "B", "C"}},
        {1, +1, 2, {"A", "C", "B"}},   {0, +1, 1, {"B", "A", "C"}}, {2, -1, 1, {"A", "C", "B"}},
        {-1, +1, -1, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        Editing e;
        for (const char* name : {"A", "B", "C"})
            e.editor.addProduct(e.editor.addCategory(QString::fromLatin1(name)),
                                named(QString::fromLatin1(name) + QStringLiteral("1")));
        EXPECT_EQ(e.editor.moveCategory(c.from, c.delta), c.expectedIndex) << c.from;
        EXPECT_EQ(e.categoryNames(), c.order) << c.from << c.delta;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(e.productNames(i), QStringList{c.order[i] + QStringLiteral("1")});
        e.stack.undo();
        EXPECT_EQ(e.categoryNames(), (QStringList{"A", "B", "C"}));
    }
}

TEST(CategoryEditing, DeleteTakesProductsAndUndoBringsThemBack) {
    Editing e;
    e.editor.addCategory(QStringLiteral("Suppen"));
    const int mains = e.editor.addCategory(QStringLiteral("Hauptspeisen"));
    e.editor.addProduct(mains, named(QStringLiteral("Schnitzel")));
    e.editor.addProduct(mains, named(QStringLiteral("Gulasch")));
    e.editor.renameCategory(mains, QStringLiteral("Haupt"));
    e.editor.deleteCategory(mains);
    EXPECT_EQ(e.categoryNames(), QStringList{"Suppen"});
    EXPECT_EQ(e.stack.undoText(), QString::fromUtf8("Kategorie löschen"));
    e.stack.undo();
    EXPECT_EQ(e.categoryNames(), (QStringList{"Suppen", "Haupt"}));
    EXPECT_EQ(e.productNames(1), (QStringList{"Schnitzel", "Gulasch"}));
    e.stack.undo();
    EXPECT_EQ(e.categoryNames(), (QStringList{"Suppen", "Hauptspeisen"}));
    // Missing selections push nothing.
    const int steps = e.stack.count();
    e.editor.deleteCategory(-1);
    e.editor.deleteCategory(2);
    e.editor.renameCategory(5, QStringLiteral("x"));
    e.editor.addProduct(-1, named(QStringLiteral("x")));
    e.editor.deleteProduct(0, 0);
    e.editor.moveProduct(1, 5, -1);
    e.editor.copyProductToDatabase(0, 0);
    e.editor.copyDatabaseProductToCategory(0, 0);
    e.editor.deleteDatabaseProduct(0);
    EXPECT_EQ(e.stack.count(), steps);
}

TEST(ProductEditing, EmptyFieldsStoreEmptyOwnedTexts) {
    Editing e;
    const int k = e.editor.addCategory();
    ASSERT_EQ(e.editor.addProduct(k, TProductFields{}), 0);
    const TProduktRec& p = e.product(k, 0);
    for (const char16_t* text : {p.name, p.description, p.quantity}) {
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text[0], u'\0');
    }
    EXPECT_EQ(p.price, 0);
    EXPECT_EQ(p.number, 0);
}

TEST(ProductEditing, EditReplacesTextsAndUndoRestoresThem) {
    Editing e;
    const int k = e.editor.addCategory();
    e.editor.addProduct(k, {"Schnitzel", "vom Kalb", "", 12.5, 3});
    const TProductFields changed{"Schnitzel (1; 3)", "Zeile 1\r\nZeile 2", "200 g", -1, -2};
    e.editor.editProduct(k, 0, changed);
    EXPECT_EQ(FieldsOf(e.product(k, 0)), changed);
    e.stack.undo();
    EXPECT_EQ(FieldsOf(e.product(k, 0)), (TProductFields{"Schnitzel", "vom Kalb", "", 12.5, 3}));
    e.stack.redo();
    EXPECT_EQ(FieldsOf(e.product(k, 0)), changed);
    // An edit that changes nothing is no step.
    const int steps = e.stack.count();
    e.editor.editProduct(k, 0, changed);
    EXPECT_EQ(e.stack.count(), steps);
}

TEST(ProductEditing, MovesIncludingTheEnds) {
    const std::tuple<int, int, int, QStringList> cases[] = {
        {1, -1, 0, {"b", "a", "c"}}, {0, -1, 0, {"a", "b", "c"}}, {2, +1, 2, {"a", "b", "c"}},
        {0, +1, 1, {"b", "a", "c"}}, {2, -1, 1, {"a", "c", "b"}},
    };
    for (const auto& [from, delta, to, order] : cases) {
        Editing e;
        const int k = e.editor.addCategory();
        for (const char* n : {"a", "b", "c"})
            e.editor.addProduct(k, named(QString::fromLatin1(n)));
        EXPECT_EQ(e.editor.moveProduct(k, from, delta), to);
        EXPECT_EQ(e.productNames(k), order);
    }
}

TEST(Markers, CheckedEntriesGiveCodes) {
    auto checks = [](std::initializer_list<int> on, int n) {
        QList<bool> c(n, false);
        for (int i : on)
            c[i] = true;
        return c;
    };
    const std::tuple<Legend, QList<bool>, const char*> cases[] = {
        {Legend::Additives, checks({}, 5), ""},
        {Legend::Additives, checks({1, 4}, 5), " (2; 5)"},
        {Legend::Additives, checks({0, 2}, 3), " (1; 3)"},
        {Legend::Allergens, checks({0}, 3), " (A)"},
        {Legend::Allergens, checks({0, 2}, 3), " (A; C)"},
        {Legend::Allergens, checks({25, 26, 27}, 30), " (Z; [; \\)"},
        {Legend::Additives, checks({26}, 30), " (27)"},
    };
    for (const auto& [legend, checked, marker] : cases)
        EXPECT_EQ(TMenuEditor::MarkerText(legend, checked), QString::fromUtf8(marker)) << marker;
}

TEST(LegendEditing, CodesFollowPositions) {
    Editing e;
    e.editor.addLegendEntry(Legend::Additives, QString());
    EXPECT_EQ(e.keys(Legend::Additives), QStringList{"1"});
    EXPECT_EQ(e.texts(Legend::Additives), QStringList{""});
    for (const char* t : {"a", "b", "c", "d"})
        e.editor.addLegendEntry(Legend::Allergens, QString::fromLatin1(t));
    EXPECT_EQ(e.keys(Legend::Allergens), (QStringList{"A", "B", "C", "D"}));

    // A caption edited in place is kept until the next recaption.
    e.editor.setLegendKey(Legend::Allergens, 3, QStringLiteral("X"));
    EXPECT_EQ(e.keys(Legend::Allergens), (QStringList{"A", "B", "C", "X"}));
    e.editor.deleteLegendEntry(Legend::Allergens, 1);
    EXPECT_EQ(e.keys(Legend::Allergens), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(e.texts(Legend::Allergens), (QStringList{"a", "c", "d"}));
    EXPECT_EQ(e.editor.moveLegendEntry(Legend::Allergens, 2, -1), 1);
    EXPECT_EQ(e.keys(Legend::Allergens), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(e.texts(Legend::Allergens), (QStringList{"a", "d", "c"}));
    EXPECT_EQ(e.editor.moveLegendEntry(Legend::Allergens, 2, +1), 2);
    EXPECT_EQ(e.editor.moveLegendEntry(Legend::Allergens, 0, -1), 0);
    EXPECT_EQ(e.texts(Legend::Allergens), (QStringList{"a", "d", "c"}));

    e.editor.loadAllergenPreset();
    e.editor.loadAllergenPreset();
    ASSERT_EQ(e.doc.legend(Legend::Allergens).size(), 18);
    EXPECT_EQ(e.keys(Legend::Allergens).join(QString()), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
    EXPECT_EQ(e.texts(Legend::Allergens).indexOf(QStringLiteral("Sellerie")), 11); // L
    for (int empty : {8, 9, 10, 16})
        EXPECT_TRUE(e.texts(Legend::Allergens)[empty].isEmpty()) << empty;
    EXPECT_EQ(e.stack.undoText(), QStringLiteral("Voreingestellte Allergene laden"));
    e.stack.undo();
    EXPECT_EQ(e.texts(Legend::Allergens), (QStringList{"a", "d", "c"}));
}

TEST(DatabaseOrder, NamesCompareByCodeUnits) {
    const std::tuple<const char16_t*, const char16_t*, int> cases[] = {
        {u"Zander", u"apfel", -1},
        {u"zwetschge", u"Äpfel", -1},
        {u"Tee", u"Tee mit Rum", -1},
        {u"Tee", u"Tee", 0},
        {u"", u"A", -1},
        {nullptr, u"", 0},
        {u"\xffff", u"a", 1},
    };
    for (const auto& [a, b, sign] : cases) {
        EXPECT_EQ(CompareNames(a, b), sign);
        EXPECT_EQ(CompareNames(b, a), -sign);
    }
}

// Random names from a small alphabet, so that many are equal or prefixes.
std::vector<std::u16string> randomNames(std::mt19937& random, int n) {
    std::vector<std::u16string> names;
    std::uniform_int_distribution<int> length(0, 3), letter(0, 3);
    const char16_t letters[] = u"aBb\u00c4";
    for (int i = 0; i < n; ++i) {
        std::u16string s;
        for (int k = length(random); k > 0; --k)
            s += letters[letter(random)];
        names.push_back(s);
    }
    return names;
}

TEST(DatabaseOrder, FastSortGivesTheExchangeOrder) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + round % 40;
        std::vector<std::u16string> names = randomNames(random, n);
        std::vector<const char16_t*> pointers;
        for (const std::u16string& s : names)
            pointers.push_back(s.c_str());
        // As loaded from a file: any order.
        EXPECT_EQ(SortOrder(pointers), ExchangeSortOrder(pointers));
        // As after insertions: all in order, one appended.
        const std::vector<uint32_t> order = ExchangeSortOrder(pointers);
        std::vector<const char16_t*> sorted;
        for (uint32_t i : order)
            sorted.push_back(pointers[i]);
        sorted.push_back(names[std::size_t(round) % names.size()].c_str());
        EXPECT_EQ(SortOrder(sorted), ExchangeSortOrder(sorted)) << round;
    }
}

TEST(DatabaseEditing, CopiesAreSortedAndIndependent) {
    Editing e;
    const int k = e.editor.addCategory();
    for (const char* n : {"apfel", "Tee mit Rum", "\xc3\x84pfel", "Zander", "Tee", "zwetschge"})
        e.editor.addProduct(k, named(QString::fromUtf8(n)));
    for (int j = 0; j < 6; ++j)
        e.editor.copyProductToDatabase(k, j);
    e.editor.copyProductToDatabase(k, 4);
    EXPECT_EQ(e.databaseNames(), (QStringList{"Tee", "Tee", "Tee mit Rum", "Zander", "apfel",
                                              "zwetschge", QString::fromUtf8("Äpfel")}));
    // Deep copies: own texts, equal content.
    EXPECT_NE(e.record(0).name, e.product(k, 4).name);
    EXPECT_NE(e.record(0).description, e.product(k, 4).description);
    EXPECT_EQ(FieldsOf(e.record(0)), FieldsOf(e.product(k, 4)));
    e.editor.editProduct(k, 4, named(QStringLiteral("Kaffee")));
    e.editor.deleteProduct(k, 4);
    EXPECT_EQ(TextOf(e.record(0).name), "Tee");

    const int other = e.editor.addCategory();
    e.editor.copyDatabaseProductToCategory(3, other);
    e.editor.copyDatabaseProductToCategory(0, other);
    EXPECT_EQ(e.productNames(other), (QStringList{"Zander", "Tee"}));
    EXPECT_NE(e.product(other, 0).name, e.record(3).name);
    e.editor.deleteDatabaseProduct(6);
    EXPECT_EQ(e.databaseNames().size(), 6);
    EXPECT_EQ(e.databaseNames().last(), "zwetschge");
}

TEST(SettingEditing, ConsecutiveEditsOfOneFieldMerge) {
    Editing e;
    for (const char* typed : {"S", "Sp", "Spe"})
        e.editor.setText(TextSetting::Heading, QString::fromLatin1(typed));
    e.editor.setText(TextSetting::Footer, QStringLiteral("F"));
    for (double v : {26.0, 27.0, 28.0})
        e.editor.setNumber(NumberSetting::LeftMargin, v);
    e.editor.setFlag(FlagSetting::Frame, false);
    e.editor.setFlag(FlagSetting::Frame, true);
    TFontSetting font = e.doc.font(FontRole::Price);
    font.size = 30;
    e.editor.setFont(FontRole::Price, font);
    EXPECT_EQ(e.stack.count(), 6);
    e.stack.undo();
    EXPECT_EQ(e.doc.font(FontRole::Price).size, 12);
    e.stack.undo();
    e.stack.undo();
    EXPECT_TRUE(e.doc.flag(FlagSetting::Frame));
    e.stack.undo();
    EXPECT_EQ(e.doc.number(NumberSetting::LeftMargin), 25);
    e.stack.undo();
    e.stack.undo();
    EXPECT_EQ(e.doc.text(TextSetting::Heading), "Speisekarte");
    // Edits that come back to the start leave no step.
    e.stack.clear();
    e.editor.setText(TextSetting::Heading, QStringLiteral("X"));
    e.editor.setText(TextSetting::Heading, QStringLiteral("Speisekarte"));
    EXPECT_EQ(e.stack.count(), 0);
}

TEST(Undo, UndoAllGivesTheFileBeforeAndRedoAllTheFileAfter) {
    std::mt19937 random(2024);
    for (int round = 0; round < 20; ++round) {
        Editing e;
        // A start that is not empty.
        const int first = e.editor.addCategory(QStringLiteral("Vorspeisen"));
        e.editor.addProduct(first, named(QStringLiteral("Suppe"), 3.5));
        e.editor.copyProductToDatabase(first, 0);
        e.editor.loadAllergenPreset();
        e.stack.clear();
        const QByteArray before = MenuFileBytes(e.doc);

        auto pick = [&](int n) {
            return n <= 0 ? -1 : std::uniform_int_distribution<>(0, n - 1)(random);
        };
        auto category = [&] { return pick(e.doc.katCount()); };
        auto productOf = [&](int k) { return k < 0 ? -1 : pick(int(e.doc.products(k)->count())); };
        for (int step = 0; step < 60; ++step) {
            const QString name = QStringLiteral("N%1").arg(pick(5));
            int k = category();
            switch (pick(17)) {
            case 0:
                e.editor.addCategory(name);
                break;
            case 1:
                e.editor.renameCategory(k, name);
                break;
            case 2:
                e.editor.deleteCategory(k);
                break;
            case 3:
                e.editor.moveCategory(k, pick(2) ? 1 : -1);
                break;
            case 4:
            case 5:
                e.editor.addProduct(k, named(name, pick(100) / 4.0));
                break;
            case 6:
                e.editor.editProduct(k, productOf(k), named(name, 2));
                break;
            case 7:
                e.editor.deleteProduct(k, productOf(k));
                break;
            case 8:
                e.editor.moveProduct(k, productOf(k), pick(2) ? 1 : -1);
                break;
            case 9:
            case 10:
                e.editor.copyProductToDatabase(k, productOf(k));
                break;
            case 11:
                e.editor.copyDatabaseProductToCategory(pick(int(e.doc.data.count())), k);
                break;
            case 12:
                e.editor.deleteDatabaseProduct(pick(int(e.doc.data.count())));
                break;
            case 13:
                e.editor.addLegendEntry(pick(2) ? Legend::Additives : Legend::Allergens, name);
                break;
            case 14:
                e.editor.deleteLegendEntry(Legend::Allergens, pick(20));
                break;
            case 15:
                e.editor.setText(TextSetting::Heading, name);
                break;
            case 16:
                e.editor.setNumber(NumberSetting::TopMargin, pick(50));
                break;
            }
        }
        const QByteArray after = MenuFileBytes(e.doc);
        while (e.stack.canUndo())
            e.stack.undo();
        ASSERT_EQ(MenuFileBytes(e.doc), before) << "round " << round;
        while (e.stack.canRedo())
            e.stack.redo();
        ASSERT_EQ(MenuFileBytes(e.doc), after) << "round " << round;
    }
}

TEST(Undo, StackKeepsALimitedNumberOfSteps) {
    Editing e;
    const int k = e.editor.addCategory();
    for (int i = 0; i < TMenuEditor::UndoLimit + 50; ++i)
        e.editor.addProduct(k, named(QString::number(i)));
    EXPECT_EQ(e.stack.count(), TMenuEditor::UndoLimit);
    EXPECT_EQ(e.doc.products(k)->count(), uint32_t(TMenuEditor::UndoLimit + 50));
}

} // namespace
