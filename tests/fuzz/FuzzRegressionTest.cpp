// Every seed and every committed finding of the fuzz targets, fed through
// the same bodies as the fuzzer runs, in the ordinary (and the sanitizer)
// build. A body that finds a broken promise fails the input here.
#include <ostream>
#include <stdexcept>
#include <string>

#include <QDir>

#include <gtest/gtest.h>

#include "FuzzBodies.h"
#include "Seeds.h"

// How GoogleTest names a harness in its messages.
void PrintTo(const FuzzHarness& harness, std::ostream* out) {
    *out << harness.name;
}

namespace {

const QString SourceDir = QStringLiteral(MENOLUX_SOURCE_DIR);

[[noreturn]] void throwFailure(const char* message) {
    throw std::runtime_error(message);
}

class FuzzInputs : public ::testing::TestWithParam<FuzzHarness> {
protected:
    void SetUp() override { SetFuzzFailureHandler(&throwFailure); }
    void TearDown() override { SetFuzzFailureHandler(nullptr); }

    static void feed(const FuzzHarness& harness, const QList<FuzzInput>& inputs) {
        for (const FuzzInput& input : inputs) {
            SCOPED_TRACE(input.label.toStdString());
            try {
                EXPECT_EQ(harness.body(reinterpret_cast<const uint8_t*>(input.bytes.constData()),
                                       size_t(input.bytes.size())),
                          0);
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
        }
    }
};

TEST_P(FuzzInputs, SeedsPass) {
    const QList<FuzzInput> seeds = FuzzSeeds(QString::fromLatin1(GetParam().name), SourceDir);
    ASSERT_FALSE(seeds.isEmpty());
    feed(GetParam(), seeds);
}

TEST_P(FuzzInputs, FindingsStayFixed) {
    feed(GetParam(), FuzzRegressions(QString::fromLatin1(GetParam().name), SourceDir));
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzInputs,
                         ::testing::ValuesIn(FuzzHarnesses().begin(), FuzzHarnesses().end()),
                         [](const auto& param) { return std::string(param.param.name); });

// A finding filed under a folder that no harness reads would never be fed.
TEST(FuzzRegressionFolders, EachNamesAHarness) {
    for (const char* kind : {"regressions", "seeds"}) {
        const QDir dir(SourceDir + QStringLiteral("/fuzz/") + QLatin1String(kind));
        for (const QString& folder : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool known = false;
            for (const FuzzHarness& h : FuzzHarnesses())
                known = known || folder == QLatin1String(h.name);
            EXPECT_TRUE(known) << kind << "/" << folder.toStdString();
        }
    }
}

} // namespace
