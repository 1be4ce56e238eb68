#include <QStringList>

#include "FuzzBodies.h"
#include "app/CommandLine.h"

int FuzzCommandLine(const uint8_t* data, size_t size) {
    QStringList args;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0 || data[i] == '\n') {
            args << QString::fromUtf8(reinterpret_cast<const char*>(data) + start,
                                      qsizetype(i - start));
            start = i + 1;
        }
    }
    const TCommandLine cl = ParseCommandLine(args);
    using Mode = TCommandLine::Mode;
    if (cl.mode == Mode::Error) {
        FuzzCheck(!cl.error.isEmpty(), "a refused command line gives no reason");
        return 0;
    }
    FuzzCheck(cl.page == 0 || (cl.page >= 1 && cl.page <= 10000), "a page out of range passed");
    FuzzCheck(cl.zoom >= 10 && cl.zoom <= 1000, "a zoom out of range passed");
    FuzzCheck(cl.dpi >= 10 && cl.dpi <= 2400, "a resolution out of range passed");
    if (cl.mode == Mode::ImportCsv)
        FuzzCheck(!cl.csv.isEmpty() && (!cl.output.isEmpty() || !cl.pdfOutput.isEmpty()),
                  "an import without its files passed");
    return 0;
}
