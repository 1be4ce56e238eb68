#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "files/ByteBuilder.h"

// An older menu file that ends after its mandatory part: one category with
// one product, the page texts, settings and eight fonts.
inline QByteArray olderMenuFile() {
    ByteBuilder b;
    b.i32(1).text(u"Suppen").i32(1).product(u"Gulasch", u"scharf", u"", 4.5, 0);
    b.text(u"Mittagskarte").text(u"Fuß").text(u"EUR").text(u"paper.jpg");
    b.flag(true).flag(false);
    for (double v : {20.0, 20.0, 20.0, 20.0, 23.0, 10.0, 50.0, 0.0})
        b.f64(v);
    b.flag(true).flag(false).flag(true).flag(true);
    for (int i = 0; i < 8; ++i)
        b.font(0, 0xFF000008u, "Times New Roman", 0, 96, 12, 0);
    return b.data();
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}
