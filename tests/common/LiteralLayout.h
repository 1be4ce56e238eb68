#pragma once

#include <QString>
#include <QStringList>

#include "layout/MenuLayout.h"

// The layout with dot leaders grown one dot at a time and lines broken one
// character at a time, measuring after every step: the plain form of the
// rules, kept as the oracle that the fast forms must match.
class TLiteralLayout : public TMenuLayout {
public:
    using TMenuLayout::TMenuLayout;

    int DotCount(double room) override {
        const int limit = DotLimit(room);
        QString dots = QStringLiteral(".");
        while (TextWidthMM(dots) <= room && dots.size() < limit)
            dots += QLatin1Char('.');
        if (dots.size() > 1)
            dots.chop(1);
        return int(dots.size());
    }

    QStringList WrapLines(const QString& line, double w) override {
        QStringList pieces;
        QString s = line;
        do {
            QString rest;
            while (TextWidthMM(s) > w && s.size() > 1) {
                rest.prepend(s.back());
                s.chop(1);
                if (s.contains(QLatin1Char(' '))) {
                    while (!s.endsWith(QLatin1Char(' '))) {
                        rest.prepend(s.back());
                        s.chop(1);
                    }
                }
            }
            pieces.append(s);
            s = rest;
        } while (!s.isEmpty());
        return pieces;
    }
};
