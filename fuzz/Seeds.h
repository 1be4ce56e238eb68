#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Inputs for the fuzz targets: seeds to start a corpus from, and the
// minimised inputs of earlier findings.
struct FuzzInput {
    QString label;
    QByteArray bytes;
};

// The seeds of `harness` (a name of FuzzHarnesses()): files made here byte by
// byte from each format's description, the files under
// fuzz/seeds/<harness>/, and our own sample files of the repository at
// `sourceDir`.
QList<FuzzInput> FuzzSeeds(const QString& harness, const QString& sourceDir);

// The files under fuzz/regressions/<harness>/.
QList<FuzzInput> FuzzRegressions(const QString& harness, const QString& sourceDir);
