#include "app/CommandLine.h"

#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include "editing/MenuEditor.h"
#include "files/CsvFile.h"
#include "files/MenuFile.h"
#include "files/OutputFile.h"
#include "foundation/MenuDocument.h"
#include "layout/Export.h"
#include "texture/Texture.h"

namespace {

using Mode = TCommandLine::Mode;

TCommandLine failure(const QString& text) {
    TCommandLine cl;
    cl.mode = Mode::Error;
    cl.error = text;
    return cl;
}

TExportRequest ExportRequest(const TCommandLine& cl, TTexture& texture) {
    TExportRequest req;
    req.view.texture = &texture;
    req.page = cl.page;
    req.zoom = cl.zoom;
    req.dpi = cl.dpi;
    return req;
}

// Everything is read and rendered before anything is written.
int RunImport(const TCommandLine& cl, MenuDocument& doc, QString* errorOut) {
    QString error;
    if (!cl.file.isEmpty()) {
        if (!QFileInfo::exists(cl.file)) {
            *errorOut = QStringLiteral("the menu file \"%1\" does not exist").arg(cl.file);
            return 1;
        }
        if (!OpenMenuFile(cl.file, doc, &error)) {
            *errorOut = QStringLiteral("cannot read the menu file \"%1\": %2").arg(cl.file, error);
            return 1;
        }
    }
    QFile in(cl.csv);
    if (QFileInfo(cl.csv).isDir() || !in.open(QIODevice::ReadOnly)) {
        *errorOut = QStringLiteral("cannot open the CSV file \"%1\"").arg(cl.csv);
        return 1;
    }
    const QByteArray csv = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *errorOut =
            QStringLiteral("cannot read the CSV file \"%1\": %2").arg(cl.csv, in.errorString());
        return 1;
    }
    QUndoStack stack;
    TMenuEditor editor(doc, stack);
    editor.importCsv(ReadCsv(csv));

    QByteArray pdf;
    if (!cl.pdfOutput.isEmpty()) {
        TTexture texture;
        texture.Prepare(doc);
        if (!RenderPdf(doc, ExportRequest(cl, texture), &pdf, &error)) {
            *errorOut = error;
            return 1;
        }
    }
    if (!cl.output.isEmpty() && !WriteOutput(cl.output, MenuFileBytes(doc), &error)) {
        *errorOut = error;
        return 1;
    }
    if (!cl.pdfOutput.isEmpty() && !WriteOutput(cl.pdfOutput, pdf, &error)) {
        *errorOut = error;
        return 1;
    }
    return 0;
}

} // namespace

TCommandLine ParseCommandLine(const QStringList& args) {
    TCommandLine cl;
    if (args.isEmpty())
        return cl;
    // A lone "-" is no option (it names standard output where an output goes).
    auto isOption = [](const QString& a) {
        return a.startsWith(QLatin1Char('-')) && a != QLatin1String("-");
    };
    if (!isOption(args.constFirst())) {
        cl.file = args.constFirst(); // further arguments are ignored
        return cl;
    }

    bool havePage = false, haveZoom = false, haveDpi = false, tooMany = false;
    QList<std::pair<Mode, QString>> outputs;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            cl.mode = Mode::Help;
            return cl;
        }
        if (!isOption(a)) {
            files << a;
            continue;
        }
        const bool takesValue = a == "--save" || a == "--export-pdf" || a == "--export-png" ||
                                a == "--layout-json" || a == "--page" || a == "--zoom" ||
                                a == "--dpi" || a == "--import-csv" || a == "--export-csv";
        if (!takesValue)
            return failure(QStringLiteral("unknown option %1 (see menolux --help)").arg(a));
        if (i + 1 >= args.size())
            return failure(QStringLiteral("%1 needs a value (see menolux --help)").arg(a));
        const QString value = args.at(++i);
        // An empty value names no file and no number: "--export-pdf ''" would
        // otherwise pass and write nothing.
        if (value.isEmpty())
            return failure(QStringLiteral("%1 needs a value (see menolux --help)").arg(a));
        auto setMode = [&](Mode m) {
            outputs.append({m, value});
            if (cl.mode != Mode::Window)
                return false;
            cl.mode = m;
            cl.output = value;
            return true;
        };
        bool ok = true;
        if (a == "--import-csv") {
            if (!cl.csv.isEmpty())
                return failure(QStringLiteral("give --import-csv only once"));
            cl.csv = value;
            continue;
        }
        if (a == "--export-csv")
            ok = setMode(Mode::ExportCsv);
        else if (a == "--save")
            ok = setMode(Mode::Save);
        else if (a == "--export-pdf")
            ok = setMode(Mode::ExportPdf);
        else if (a == "--export-png")
            ok = setMode(Mode::ExportPng);
        else if (a == "--layout-json")
            ok = setMode(Mode::LayoutJson);
        if (!ok)
            tooMany = true;
        if (a == "--page") {
            cl.page = value.toInt(&ok);
            if (!ok || cl.page < 1 || cl.page > 10000)
                return failure(QStringLiteral("--page needs a page number from 1 to 10000"));
            havePage = true;
        } else if (a == "--zoom") {
            cl.zoom = value.toDouble(&ok);
            if (!ok || !(cl.zoom >= 10 && cl.zoom <= 1000))
                return failure(QStringLiteral("--zoom needs a percentage from 10 to 1000"));
            haveZoom = true;
        } else if (a == "--dpi") {
            cl.dpi = value.toInt(&ok);
            if (!ok || cl.dpi < 10 || cl.dpi > 2400)
                return failure(QStringLiteral("--dpi needs a resolution from 10 to 2400"));
            haveDpi = true;
        }
    }
    if (!cl.csv.isEmpty()) {
        // An import goes into FILE or an empty menu, then to --save and/or --export-pdf.
        cl.mode = Mode::ImportCsv;
        cl.output.clear();
        bool haveSave = false, havePdf = false;
        for (const auto& [m, value] : outputs) {
            if (m == Mode::Save && !haveSave) {
                cl.output = value;
                haveSave = true;
            } else if (m == Mode::ExportPdf && !havePdf) {
                cl.pdfOutput = value;
                havePdf = true;
            } else {
                return failure(QStringLiteral("--import-csv goes with --save and/or --export-pdf, "
                                              "each at most once"));
            }
        }
        if (!haveSave && !havePdf)
            return failure(QStringLiteral("--import-csv needs --save and/or --export-pdf"));
        if (files.size() > 1)
            return failure(QStringLiteral("give at most one menu file (see menolux --help)"));
        cl.file = files.value(0);
        if (haveZoom || haveDpi)
            return failure(
                QStringLiteral("--zoom and --dpi go with --export-png and --layout-json"));
        if (havePage && !havePdf)
            return failure(QStringLiteral("--page goes with --export-pdf"));
        return cl;
    }
    if (tooMany || outputs.size() > 1)
        return failure(QStringLiteral("give only one of --save, --export-pdf, --export-png, "
                                      "--layout-json and --export-csv"));
    if (cl.mode == Mode::Window)
        return failure(QStringLiteral("options need one of --save, --export-pdf, --export-png, "
                                      "--layout-json, --export-csv or --import-csv "
                                      "(see menolux --help)"));
    if (files.size() != 1)
        return failure(QStringLiteral("give exactly one menu file (see menolux --help)"));
    cl.file = files.constFirst();
    if (cl.mode == Mode::ExportPng && !havePage)
        return failure(QStringLiteral("--export-png needs --page N"));
    if ((haveZoom || haveDpi) && cl.mode != Mode::ExportPng && cl.mode != Mode::LayoutJson)
        return failure(QStringLiteral("--zoom and --dpi go with --export-png and --layout-json"));
    if (havePage && (cl.mode == Mode::Save || cl.mode == Mode::ExportCsv))
        return failure(QStringLiteral("--page does not go with %1")
                           .arg(cl.mode == Mode::Save ? QStringLiteral("--save")
                                                      : QStringLiteral("--export-csv")));
    return cl;
}

QString CommandLineUsage() {
    return QStringLiteral(
        "Usage:\n"
        "  menolux [FILE.mnx]\n"
        "      Start the window, opening FILE.\n"
        "  menolux --save OUT.mnx FILE.mnx\n"
        "      Open FILE and save it as OUT.\n"
        "  menolux --export-pdf OUT.pdf [--page N] FILE.mnx\n"
        "      Every page (or page N) at physical size, A4 at 600 dpi.\n"
        "  menolux --export-png OUT.png --page N [--zoom Z] [--dpi D] FILE.mnx\n"
        "      Page N as the preview shows it (zoom 10-1000 %, default 100; dpi default 96).\n"
        "  menolux --layout-json OUT.json|- [--page N] [--zoom Z] [--dpi D] FILE.mnx\n"
        "      Every drawing call of page N (default 1) as JSON.\n"
        "  menolux --export-csv OUT.csv FILE.mnx\n"
        "      Write the categories and products of FILE as CSV (Windows-1252).\n"
        "  menolux --import-csv IN.csv [--save OUT.mnx] [--export-pdf OUT.pdf [--page N]]\n"
        "          [FILE.mnx]\n"
        "      Add the products of IN to FILE (or to an empty menu), then save and/or\n"
        "      export; at least one of --save and --export-pdf.\n"
        "  menolux --help\n"
        "      Show this text.\n"
        "OUT may be - for standard output. An existing device or named pipe given as OUT\n"
        "is written into, never replaced; other files are replaced only once complete.\n"
        "Errors print one line and exit with a non-zero code; nothing is written then.\n");
}

int RunHeadless(const TCommandLine& cl, QString* errorOut) {
    if (cl.mode == Mode::Error) {
        *errorOut = cl.error;
        return 2;
    }
    if (cl.mode == Mode::Help || cl.mode == Mode::Window)
        return 0;

    MenuDocument doc;
    QString error;
    if (cl.mode == Mode::ImportCsv)
        return RunImport(cl, doc, errorOut);
    if (!QFileInfo::exists(cl.file)) {
        *errorOut = QStringLiteral("the menu file \"%1\" does not exist").arg(cl.file);
        return 1;
    }
    if (!OpenMenuFile(cl.file, doc, &error)) {
        *errorOut = QStringLiteral("cannot read the menu file \"%1\": %2").arg(cl.file, error);
        return 1;
    }
    if (cl.mode == Mode::Save || cl.mode == Mode::ExportCsv) {
        const QByteArray bytes =
            cl.mode == Mode::Save ? MenuFileBytes(doc) : WriteCsv(doc, CsvHeader());
        if (!WriteOutput(cl.output, bytes, &error)) {
            *errorOut = error;
            return 1;
        }
        return 0;
    }

    // The texture named in the menu, looked up in the current directory, then
    // in the program's data folder.
    TTexture texture;
    texture.Prepare(doc);
    TExportRequest req;
    req.view.texture = &texture;
    req.page = cl.page;
    req.zoom = cl.zoom;
    req.dpi = cl.dpi;
    QByteArray bytes;
    bool ok = false;
    switch (cl.mode) {
    case Mode::ExportPdf:
        ok = RenderPdf(doc, req, &bytes, &error);
        break;
    case Mode::ExportPng:
        ok = RenderPng(doc, req, &bytes, &error);
        break;
    case Mode::LayoutJson:
        ok = RenderLayoutJson(doc, req, &bytes, &error);
        break;
    default:
        break;
    }
    if (!ok || !WriteOutput(cl.output, bytes, &error)) {
        *errorOut = error;
        return 1;
    }
    return 0;
}
