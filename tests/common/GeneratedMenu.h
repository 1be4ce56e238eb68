#pragma once

#include <random>

#include <QString>

#include "foundation/MenuDocument.h"

// A generated menu: names with markers and over-wide words, descriptions
// with spaces, long words, empty lines and CR/LF mixes, free texts.
inline void FillGeneratedMenu(MenuDocument& doc, int products, unsigned seed) {
    std::mt19937 rng(seed);
    const char* const words[] = {"Suppe", "mit",   "frischem", "Gemüse", "und", "Kräutern",
                                 "vom",   "Grill", "(1; 3)",   "(A; C)", "a",   "Rindfleischsuppe"};
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto sentence = [&](int count) {
        QString s;
        for (int i = 0; i < count; ++i) {
            if (i)
                s += pick(8) == 0 ? QStringLiteral("  ") : QStringLiteral(" ");
            s += QString::fromUtf8(words[pick(12)]);
            if (pick(25) == 0)
                s += QString(40 + pick(40), QChar('x'));
        }
        return s;
    };
    const char* const breaks[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
    int kat = -1;
    for (int i = 0; i < products; ++i) {
        if (i % 25 == 0)
            kat = doc.addKat(QStringLiteral("Kategorie %1").arg(kat + 2));
        auto* p = static_cast<TProduktRec*>(doc.products(kat)->Add());
        p->name = NewText(sentence(1 + pick(4)));
        QString descr;
        const int lines = pick(4);
        for (int l = 0; l < lines; ++l) {
            if (l)
                descr += QString::fromLatin1(breaks[pick(4)]);
            descr += sentence(pick(30));
        }
        p->description = NewText(descr);
        p->quantity = NewText(pick(3) == 0 ? QStringLiteral("0,5 l") : QString());
        const int kind = pick(10);
        p->price = kind == 0 ? 0.0 : kind == 1 ? -1.0 : 1.0 + pick(3000) / 100.0;
        p->number = pick(6) == 0 ? pick(40) - 5 : 0;
    }
}
