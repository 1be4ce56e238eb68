#include <cstdio>

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QTabWidget>

#include "app/CommandLine.h"
#include "app/MainUnit.h"
#include "app/QtTranslations.h"

namespace {

// True when Qt will find somewhere to show a window.
bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Headless commands print one line on failure and nothing else: Qt's own
// notes (a missing runtime directory and the like) stay out of the way.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void printLine(const QString& text) {
    std::fprintf(stderr, "menolux: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const TCommandLine cl = ParseCommandLine(args);

    if (cl.mode == TCommandLine::Mode::Help) {
        std::fputs(CommandLineUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (cl.Headless()) {
        // Rendering needs fonts but no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietMessages);
        QGuiApplication app(argc, argv);
        QString error;
        const int code = RunHeadless(cl, &error);
        if (code != 0)
            printLine(error);
        return code;
    }

    if (!haveDisplay()) {
        printLine(QStringLiteral("no display found. The window needs a graphical display "
                                 "(set DISPLAY, or start it under xvfb-run)."));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Menolux"));
    QApplication::setOrganizationName(QStringLiteral("Menolux")); // the per-user store's folder
    // The desktop entry that the window belongs to, and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("menolux"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/menolux-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    TMainForm form(nullptr, TStartup{cl.file, QString()});
    // Qt's own texts (buttons of message boxes, file dialogs) speak the
    // language of the previous run, and follow a new choice at once.
    UseQtTexts(app, form.previousLanguage());
    QObject::connect(&form, &TMainForm::languageChosen, &app,
                     [&app](int32_t column) { UseQtTexts(app, column); });
    // tools/screenshot.sh starts the window on the tab it shows.
    bool haveTab = false;
    const int startTab = qEnvironmentVariableIntValue("MENOLUX_START_TAB", &haveTab);
    if (auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControl1")); tabs && haveTab)
        tabs->setCurrentIndex(startTab);
    form.show();
    return QApplication::exec();
}
