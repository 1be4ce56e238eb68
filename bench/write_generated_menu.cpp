// Writes the generated menu that bench_pdf_process gives the program, for
// runs of the program outside the benchmarks (its peak memory, a profile):
//
//     write_generated_menu PRODUCTS OUT.mnx
#include <cstdio>

#include <QCoreApplication>
#include <QString>

#include "GeneratedMenuFile.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool ok = false;
    const int products = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt(&ok) : 0;
    if (!ok || products < 0) {
        std::fprintf(stderr, "usage: write_generated_menu PRODUCTS OUT.mnx\n");
        return 2;
    }
    if (!SaveGeneratedMenu(products, QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "write_generated_menu: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
