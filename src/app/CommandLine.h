#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct TCommandLine {
    enum class Mode {
        Window,     // start the window, opening `file` when given
        Save,       // open `file`, save it as `output`
        ExportPdf,  // render `file` to the PDF `output`
        ExportPng,  // render one page of `file` to the PNG `output`
        LayoutJson, // write the drawing calls of one page to `output` ("-": stdout)
        ExportCsv,  // write the categories and products of `file` as CSV to `output`
        ImportCsv,  // import `csv` into `file` (or an empty menu), then save to
                    // `output` and/or render the PDF `pdfOutput`
        Help,       // print the usage
        Error,      // print `error` and stop
    };
    Mode mode = Mode::Window;
    QString file;
    QString output;
    QString csv;       // --import-csv
    QString pdfOutput; // --export-pdf together with --import-csv
    int page = 0;      // 0: not given
    double zoom = 100;
    int dpi = 96;
    QString error;

    bool Headless() const { return mode != Mode::Window; }
};

// Parses the arguments after the program name. Without options the first
// argument is a menu file to open and further arguments are ignored.
TCommandLine ParseCommandLine(const QStringList& args);

// The usage text for --help.
QString CommandLineUsage();

// Runs a command that needs no window (needs a QGuiApplication for the
// renderings). Returns the exit code; on failure `errorOut` holds one line.
int RunHeadless(const TCommandLine& cl, QString* errorOut);
