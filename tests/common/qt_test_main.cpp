// Test entry point: every test executable runs with a QApplication on Qt's
// offscreen platform, so widget and font code works without a display; the
// end-to-end test names the xcb platform in QT_QPA_PLATFORM instead.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace {

// Every test starts with an empty per-user store (the window's form
// storage), so that no test sees what another one left.
class EmptySettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        QSettings settings;
        settings.clear();
        settings.sync();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The per-user store and data folder live in a folder of the run's own,
    // never in the user's home.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Menolux"));
    ::testing::UnitTest::GetInstance()->listeners().Append(new EmptySettings);
    return RUN_ALL_TESTS();
}
