#pragma once

#include <cstdint>

#include <QString>
#include <QStringView>

// One product of a category or of the product database. The three texts are
// owned, zero-terminated UTF-16 buffers (see NewText/FreeText); a record fresh
// from TDynaArray::Add is all zero, and a null text reads as empty.
//
// price: > 0 printed with the currency, 0 = price on request, < 0 = free text.
// number: > 0 printed, 0 = automatic numbering, < 0 = no number.
struct TProduktRec {
    char16_t* name;
    char16_t* description;
    char16_t* quantity;
    double price;
    int32_t number;
};

// A heap copy of `text` with a zero terminator: (units + 1) * 2 bytes.
char16_t* NewText(QStringView text);
// Frees a text made by NewText and sets the pointer to null; null is allowed.
void FreeText(char16_t*& text);
// Replaces an owned text by a copy of `text`.
void SetText(char16_t*& field, QStringView text);
// The text as a QString; null reads as empty.
QString TextOf(const char16_t* text);

// Frees the three texts of a record (the record itself stays).
void FreeProduktTexts(TProduktRec& rec);
// Fills `to` with copies of the texts and values of `from`; `to` must hold no
// texts of its own (a fresh record).
void CopyProdukt(TProduktRec& to, const TProduktRec& from);
