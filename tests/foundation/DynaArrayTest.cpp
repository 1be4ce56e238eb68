#include <cstdint>
#include <cstring>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "common/QtPrinters.h"

#include "foundation/DynaArray.h"

namespace {

struct Rec {
    int32_t a;
    int32_t b;
};

bool allZero(const void* p, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i)
        if (bytes[i])
            return false;
    return true;
}

// An array of Rec whose records carry 1, 2, 3 … in field a.
struct Filled {
    Rec* cursor = nullptr;
    TDynaArray arr{sizeof(Rec), &cursor};
    explicit Filled(int n) {
        for (int i = 0; i < n; ++i)
            static_cast<Rec*>(arr.Add())->a = i + 1;
    }
    std::vector<int32_t> values() {
        std::vector<int32_t> v;
        for (uint32_t i = 0; i < arr.count(); ++i)
            v.push_back(static_cast<Rec*>(arr.GetObject(i))->a);
        return v;
    }
};

TEST(DynaArray, CreateLeavesCursorAndHasNoBlock) {
    Rec sentinel{};
    Rec* cursor = &sentinel;
    TDynaArray arr(sizeof(Rec), &cursor);
    EXPECT_EQ(cursor, &sentinel);
    EXPECT_EQ(arr.count(), 0u);
    EXPECT_EQ(arr.poi(), nullptr);
    EXPECT_EQ(arr.amemsize(), 0u);
    EXPECT_EQ(arr.aobjnr(), -1);
    EXPECT_EQ(arr.buffersize(), 100u);
}

// Block size follows the count in steps of 100 records, up and down.
TEST(DynaArray, BlockGrowsAndShrinksInStepsOf100) {
    struct Step {
        int count;
        uint32_t records;
    };
    Rec* cursor = nullptr;
    TDynaArray arr(sizeof(Rec), &cursor);
    const Step growth[] = {{1, 100}, {100, 100}, {101, 200}, {200, 200}, {201, 300}};
    for (const Step& s : growth) {
        while (int(arr.count()) < s.count) {
            auto* r = static_cast<Rec*>(arr.Add());
            r->a = int32_t(arr.count());
        }
        EXPECT_EQ(arr.amemsize(), s.records * sizeof(Rec)) << "count " << s.count;
    }
    const Step shrink[] = {{200, 200}, {101, 200}, {100, 100}, {1, 100}};
    for (const Step& s : shrink) {
        while (int(arr.count()) > s.count)
            arr.Delete(int32_t(arr.count()) - 1);
        EXPECT_EQ(arr.amemsize(), s.records * sizeof(Rec)) << "count " << s.count;
    }
    // The records survived every move of the block.
    for (uint32_t i = 0; i < arr.count(); ++i)
        EXPECT_EQ(static_cast<Rec*>(arr.GetObject(i))->a, int32_t(i + 1));
    arr.Delete(0);
    EXPECT_EQ(arr.poi(), nullptr);
    EXPECT_EQ(arr.amemsize(), 0u);
    EXPECT_EQ(cursor, nullptr);
}

TEST(DynaArray, NewRecordsAreZeroAlsoInReusedSlots) {
    Filled f(5);
    for (uint32_t i = 0; i < 5; ++i)
        static_cast<Rec*>(f.arr.GetObject(i))->b = -1;
    f.arr.Delete(4); // slot 4 still holds the old bytes inside the block
    f.arr.Delete(3);
    void* added = f.arr.Add();
    EXPECT_TRUE(allZero(added, sizeof(Rec)));
    void* inserted = f.arr.Insert(1);
    EXPECT_TRUE(allZero(inserted, sizeof(Rec)));
    EXPECT_EQ(f.values(), (std::vector<int32_t>{1, 0, 2, 3, 0}));
}

// Each operation's effect on the records, the position and the cursor.
TEST(DynaArray, OperationsTable) {
    struct Case {
        const char* name;
        int initial;
        void (*op)(TDynaArray&);
        std::vector<int32_t> records;
        int32_t aobjnr;
        int cursorIndex; // record the cursor addresses; -1 = null, -2 = untouched
    };
    const Case cases[] = {
        {"Insert at count appends", 3, [](TDynaArray& a) { a.Insert(3); }, {1, 2, 3, 0}, 3, 3},
        {"Insert at 0", 2, [](TDynaArray& a) { a.Insert(0); }, {0, 1, 2}, 0, 0},
        {"Insert past count",
         2,
         [](TDynaArray& a) { EXPECT_EQ(a.Insert(3), nullptr); },
         {1, 2},
         -1,
         -2},
        {"Insert at -1",
         2,
         [](TDynaArray& a) { EXPECT_EQ(a.Insert(-1), nullptr); },
         {1, 2},
         -1,
         -2},
        {"Delete middle", 3, [](TDynaArray& a) { a.Delete(1); }, {1, 3}, -1, -1},
        {"Delete out of range", 3, [](TDynaArray& a) { a.Delete(3); }, {1, 2, 3}, -1, -2},
        {"Delete negative", 3, [](TDynaArray& a) { a.Delete(-1); }, {1, 2, 3}, -1, -2},
        {"Delete on empty", 0, [](TDynaArray& a) { a.Delete(0); }, {}, -1, -2},
        {"Change swaps, positions on nr2",
         3,
         [](TDynaArray& a) { a.Change(0, 2); },
         {3, 2, 1},
         2,
         2},
        {"Change i,i", 3, [](TDynaArray& a) { a.Change(1, 1); }, {1, 2, 3}, 1, 1},
        {"Change out of range", 3, [](TDynaArray& a) { a.Change(0, 3); }, {1, 2, 3}, -1, -2},
        {"Change on empty", 0, [](TDynaArray& a) { a.Change(0, 0); }, {}, -1, -2},
        {"Clear", 3, [](TDynaArray& a) { a.Clear(); }, {}, -1, -1},
        {"First", 3, [](TDynaArray& a) { a.First(); }, {1, 2, 3}, 0, 0},
        {"First on empty", 0, [](TDynaArray& a) { a.First(); }, {}, -1, -2},
        {"Next from nothing", 3, [](TDynaArray& a) { EXPECT_TRUE(a.Next()); }, {1, 2, 3}, 0, 0},
        {"Next on last",
         3,
         [](TDynaArray& a) {
             a.GetObject(2);
             EXPECT_FALSE(a.Next());
         },
         {1, 2, 3},
         2,
         2},
        {"GetObject", 3, [](TDynaArray& a) { a.GetObject(1); }, {1, 2, 3}, 1, 1},
        {"WhileNext on empty", 0, [](TDynaArray& a) { EXPECT_FALSE(a.WhileNext()); }, {}, -1, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Filled f(c.initial);
        Rec sentinel{};
        // Put the array in a known state: no position, cursor on a sentinel.
        if (c.initial > 0) {
            f.arr.Delete(int32_t(f.arr.count())); // out of range: no effect
            f.arr.Insert(int32_t(f.arr.count()));
            f.arr.Delete(int32_t(f.arr.count()) - 1); // clears position and cursor
        }
        f.cursor = &sentinel;
        c.op(f.arr);
        Rec* const cursorAfter = f.cursor;
        const int32_t nrAfter = f.arr.aobjnr();
        EXPECT_EQ(f.values(), c.records);
        EXPECT_EQ(nrAfter, c.aobjnr);
        if (c.cursorIndex == -2)
            EXPECT_EQ(cursorAfter, &sentinel);
        else if (c.cursorIndex == -1)
            EXPECT_EQ(cursorAfter, nullptr);
        else
            EXPECT_EQ(cursorAfter, static_cast<Rec*>(f.arr.GetObject(uint32_t(c.cursorIndex))));
    }
}

TEST(DynaArray, FirstWhileNextVisitsEveryRecordAndEndsAfterLast) {
    Filled f(3);
    std::vector<int32_t> seen;
    f.arr.First();
    while (f.arr.WhileNext())
        seen.push_back(f.cursor->a);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(f.arr.aobjnr(), 3);
    EXPECT_EQ(f.cursor->a, 3); // still the last record
}

TEST(DynaArray, AfterDeleteWhileNextWaitsForFirstButNextStartsAtZero) {
    Filled f(3);
    f.arr.Delete(1);
    EXPECT_FALSE(f.arr.WhileNext());
    EXPECT_TRUE(f.arr.Next());
    EXPECT_EQ(f.arr.aobjnr(), 0);
    EXPECT_EQ(f.cursor->a, 1);
}

TEST(DynaArray, ArraysSharingACursorVariableOverwriteIt) {
    Rec* shared = nullptr;
    TDynaArray one(sizeof(Rec), &shared);
    TDynaArray two(sizeof(Rec), &shared);
    void* a = one.Add();
    EXPECT_EQ(shared, a);
    void* b = two.Add();
    EXPECT_EQ(shared, b);
    one.GetObject(0);
    EXPECT_EQ(shared, a);
}

TEST(DynaArray, WithoutCursorVariableNothingIsWritten) {
    TDynaArray arr(sizeof(Rec), nullptr);
    void* r = arr.Add();
    EXPECT_EQ(arr.aobj(), r);
    arr.Delete(0);
    EXPECT_EQ(arr.count(), 0u);
}

// An allocation that fails leaves the array as it was and reports the
// message with the number of the step and the byte count.
class FailingAllocation : public ::testing::Test {
protected:
    static inline int allowed = 0;
    static void* limitedAlloc(std::size_t n) {
        if (allowed-- <= 0)
            return nullptr;
        return std::calloc(1, n);
    }
    void SetUp() override {
        TDynaArray::setFailureReporter([this](const QString& m) { messages << m; });
        TDynaArray::setZeroAllocator(&limitedAlloc);
    }
    void TearDown() override {
        TDynaArray::setZeroAllocator(nullptr);
        TDynaArray::setFailureReporter(nullptr);
    }
    QStringList messages;
};

TEST_F(FailingAllocation, EachStepAbandonsTheOperation) {
    Rec* cursor = nullptr;
    TDynaArray arr(sizeof(Rec), &cursor);

    allowed = 0;
    EXPECT_EQ(arr.Add(), nullptr);
    EXPECT_EQ(arr.count(), 0u);
    EXPECT_EQ(arr.poi(), nullptr);

    allowed = 1;
    for (int i = 0; i < 100; ++i)
        static_cast<Rec*>(arr.Add())->a = i;
    EXPECT_EQ(arr.Insert(5), nullptr); // needs the block for 200
    EXPECT_EQ(arr.Add(), nullptr);
    EXPECT_EQ(arr.count(), 100u);
    EXPECT_EQ(static_cast<Rec*>(arr.GetObject(5))->a, 5);

    allowed = 1;
    arr.Add(); // 101 records, block for 200
    allowed = 0;
    arr.Delete(0); // would move into a block for 100
    EXPECT_EQ(arr.count(), 101u);
    EXPECT_EQ(static_cast<Rec*>(arr.GetObject(0))->a, 0);

    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[0], "Error 1 while trying to allocate 800 bytes of RAM. Not enough memory.");
    EXPECT_EQ(messages[1],
              "Error 2 while trying to allocate 1600 bytes of RAM. Not enough memory.");
    EXPECT_EQ(messages[3], "Error 3 while trying to allocate 800 bytes of RAM. Not enough memory.");
}

TEST_F(FailingAllocation, BlockBeyond32BitsIsRefusedNotWrapped) {
    allowed = 1000;
    TDynaArray arr(0x7FFFFFFFu, nullptr);
    EXPECT_EQ(arr.Add(), nullptr);
    EXPECT_EQ(arr.count(), 0u);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Error 1 while trying to allocate 214748364700 bytes"));
}

TEST(DynaArray, ExchangeSwapsRecordsAndKeepsCursorVariables) {
    Filled a(2);
    Filled b(3);
    a.arr.Exchange(b.arr);
    EXPECT_EQ(a.values(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(b.values(), (std::vector<int32_t>{1, 2}));
    a.arr.GetObject(0);
    EXPECT_EQ(a.cursor, a.arr.aobj());
    EXPECT_NE(b.cursor, a.arr.aobj());
}

} // namespace
