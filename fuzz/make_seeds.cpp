// Writes the seeds of every fuzz target into OUT/<harness>/, one file each.
//   menolux_fuzz_seeds SOURCE_DIR OUT
#include <cstdio>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "FuzzBodies.h"
#include "Seeds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: menolux_fuzz_seeds SOURCE_DIR OUT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the image seeds are made with Qt's writers
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (const FuzzHarness& h : FuzzHarnesses()) {
        const QString name = QString::fromLatin1(h.name);
        if (!out.mkpath(name)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
        QList<FuzzInput> inputs = FuzzSeeds(name, source);
        inputs.append(FuzzRegressions(name, source));
        for (const FuzzInput& input : inputs) {
            // Named by content, as libFuzzer names the files of a corpus.
            const QString file = QString::fromLatin1(
                QCryptographicHash::hash(input.bytes, QCryptographicHash::Sha1).toHex());
            QFile f(out.filePath(name + u'/' + file));
            if (!f.open(QIODevice::WriteOnly) || f.write(input.bytes) != input.bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
                return 1;
            }
        }
    }
    return 0;
}
