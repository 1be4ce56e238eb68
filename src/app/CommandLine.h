#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct TCommandLine {
    enum class Mode {
        Window, // start the window, opening `file` when given
        Save,   // open `file`, save it as `output`, no window
        Help,   // print the usage
        Error,  // print `error` and stop
    };
    Mode mode = Mode::Window;
    QString file;
    QString output;
    QString error;
};

// Parses the arguments after the program name: `[FILE]`, `--save OUT FILE`,
// `--help`. In window mode only the first argument counts; further arguments
// are ignored.
TCommandLine ParseCommandLine(const QStringList& args);

// The usage text for --help.
QString CommandLineUsage();

// Runs a command that needs no window. Returns the process's exit code and
// writes one line to `errorOut` on failure.
int RunHeadless(const TCommandLine& cl, QString* errorOut);
