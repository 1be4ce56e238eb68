#include "app/CommandLine.h"

#include "files/MenuFile.h"
#include "foundation/MenuDocument.h"

TCommandLine ParseCommandLine(const QStringList& args) {
    TCommandLine cl;
    if (args.isEmpty())
        return cl;
    const QString& first = args.constFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        cl.mode = TCommandLine::Mode::Help;
    } else if (first == QLatin1String("--save")) {
        if (args.size() != 3) {
            cl.mode = TCommandLine::Mode::Error;
            cl.error = QStringLiteral("--save needs an output file and a menu file: "
                                      "menolux --save OUT.mnx FILE.mnx");
        } else {
            cl.mode = TCommandLine::Mode::Save;
            cl.output = args.at(1);
            cl.file = args.at(2);
        }
    } else if (first.startsWith(QLatin1String("--"))) {
        cl.mode = TCommandLine::Mode::Error;
        cl.error = QStringLiteral("unknown option %1 (see menolux --help)").arg(first);
    } else {
        cl.file = first;
    }
    return cl;
}

QString CommandLineUsage() {
    return QStringLiteral("Usage:\n"
                          "  menolux [FILE.mnx]              start the window, opening FILE\n"
                          "  menolux --save OUT.mnx FILE.mnx open FILE and save it as OUT\n"
                          "  menolux --help                  show this text\n");
}

int RunHeadless(const TCommandLine& cl, QString* errorOut) {
    switch (cl.mode) {
    case TCommandLine::Mode::Error:
        *errorOut = cl.error;
        return 2;
    case TCommandLine::Mode::Save: {
        MenuDocument doc;
        QString error;
        if (!OpenMenuFile(cl.file, doc, &error) || !SaveMenuFile(doc, cl.output, &error)) {
            *errorOut = error;
            return 1;
        }
        return 0;
    }
    case TCommandLine::Mode::Help:
    case TCommandLine::Mode::Window:
        break;
    }
    return 0;
}
