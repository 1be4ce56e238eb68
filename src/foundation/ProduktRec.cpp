#include "foundation/ProduktRec.h"

#include <algorithm>

char16_t* NewText(QStringView text) {
    const auto n = std::size_t(text.size());
    auto* buffer = new char16_t[n + 1];
    std::copy_n(text.utf16(), n, buffer);
    buffer[n] = u'\0';
    return buffer;
}

void FreeText(char16_t*& text) {
    delete[] text;
    text = nullptr;
}

void SetText(char16_t*& field, QStringView text) {
    char16_t* copy = NewText(text);
    FreeText(field);
    field = copy;
}

QString TextOf(const char16_t* text) {
    return text ? QString::fromUtf16(text) : QString();
}

void FreeProduktTexts(TProduktRec& rec) {
    FreeText(rec.name);
    FreeText(rec.description);
    FreeText(rec.quantity);
}

void CopyProdukt(TProduktRec& to, const TProduktRec& from) {
    to.name = NewText(TextOf(from.name));
    to.description = NewText(TextOf(from.description));
    to.quantity = NewText(TextOf(from.quantity));
    to.price = from.price;
    to.number = from.number;
}
