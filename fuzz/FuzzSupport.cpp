#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "FuzzBodies.h"

namespace {

[[noreturn]] void abortWith(const char* message) {
    std::fprintf(stderr, "fuzz check failed: %s\n", message);
    std::abort();
}

FuzzFailureHandler gFailure = &abortWith;

constexpr FuzzHarness kHarnesses[] = {
    {"menufile", &FuzzMenuFile}, {"translate", &FuzzTranslateFile},
    {"csv", &FuzzCsvImport},     {"options", &FuzzOptionsFile},
    {"dib", &FuzzDib},           {"cmdline", &FuzzCommandLine},
};

} // namespace

std::span<const FuzzHarness> FuzzHarnesses() {
    return kHarnesses;
}

void SetFuzzFailureHandler(FuzzFailureHandler handler) {
    gFailure = handler ? handler : &abortWith;
}

void FuzzCheck(bool condition, const char* message) {
    if (condition)
        return;
    gFailure(message);
    abortWith(message); // a handler that returned
}

QString FuzzScratchFile(const QString& name) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/menolux-fuzz-XXXXXX"));
    FuzzCheck(dir.isValid(), "no temporary folder");
    return dir.filePath(name);
}

void FuzzWriteFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    const bool open = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    FuzzCheck(open, "cannot write into the temporary folder");
    const qint64 n = size == 0 ? 0 : file.write(reinterpret_cast<const char*>(data), qint64(size));
    FuzzCheck(n == qint64(size), "cannot write into the temporary folder");
}

void FuzzStartQt() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "menolux-fuzz";
    static char* argv[] = {name, nullptr};
    // Qt's warnings about damaged images and files are expected by the
    // thousand and are no finding; only a fatal message ends the run.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            abortWith(qPrintable(message));
    });
    // Never destroyed: it lives until the process ends, as in the program.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}
