#include "editing/ProductFields.h"

TProductFields FieldsOf(const TProduktRec& rec) {
    return {TextOf(rec.name), TextOf(rec.description), TextOf(rec.quantity), rec.price, rec.number};
}

TProduktRec MakeProdukt(const TProductFields& fields) {
    TProduktRec rec{};
    rec.name = NewText(fields.name);
    rec.description = NewText(fields.description);
    rec.quantity = NewText(fields.quantity);
    rec.price = fields.price;
    rec.number = fields.number;
    return rec;
}
