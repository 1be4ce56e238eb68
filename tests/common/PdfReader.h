#pragma once

#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

// What a PDF file shows, read by poppler's tools (poppler-utils), so that
// tests check the file as a reader sees it.

// The standard output of `tool` with `args`; fails the test when the tool
// cannot run.
inline QByteArray RunPdfTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " " << args.join(' ').toStdString()
                      << " failed (poppler-utils installed?): "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

// The fields of pdfinfo: "Title", "Creator", "Pages", "Page size" …
inline QMap<QString, QString> PdfInfo(const QString& path) {
    QMap<QString, QString> info;
    const QString out = QString::fromUtf8(RunPdfTool(QStringLiteral("pdfinfo"), {path}));
    for (const QString& line : out.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            info.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return info;
}

inline int PdfPageCount(const QString& path) {
    return PdfInfo(path).value(QStringLiteral("Pages")).toInt();
}

// The text of every page, in reading order.
inline QStringList PdfPageTexts(const QString& path) {
    QStringList pages =
        QString::fromUtf8(RunPdfTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}))
            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// One word of a page with its box in points from the page's top-left corner.
struct TPdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

inline QList<TPdfWord> PdfWords(const QString& path, int page) {
    const QString html = QString::fromUtf8(
        RunPdfTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")}));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    QList<TPdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                      m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

// Page `page` rendered at `dpi` in grey.
inline QImage PdfPageImage(const QString& path, int page, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    RunPdfTool(QStringLiteral("pdftoppm"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), QStringLiteral("-r"), QString::number(dpi),
                QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                path, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}
