#pragma once

#include <cstdint>

#include <QString>

#include "foundation/ProduktRec.h"

// The editable fields of a product, as the product dialog shows them.
struct TProductFields {
    QString name;
    QString description;
    QString quantity;
    double price = 0;
    int32_t number = 0;
    bool operator==(const TProductFields& o) const = default;
};

// The fields of a record; null texts read as empty.
TProductFields FieldsOf(const TProduktRec& rec);
// A record holding owned copies of the fields' texts (three texts, also
// when empty); free it with FreeProduktTexts.
TProduktRec MakeProdukt(const TProductFields& fields);
