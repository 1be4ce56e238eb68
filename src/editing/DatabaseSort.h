#pragma once

#include <cstdint>
#include <vector>

#include "foundation/DynaArray.h"
#include "foundation/ProduktRec.h"

// Compares two names code unit by code unit as unsigned 16-bit numbers; a
// name that is the start of the other is the smaller one. No case folding, no
// collation. Null reads as empty. Negative, zero or positive.
int CompareNames(const char16_t* a, const char16_t* b);

// The database's order by name, as positions: element p of the result is the
// position before sorting of the record that ends at p.
//
// ExchangeSortOrder runs the exchanges themselves: for i = 0 … n−2, for
// j = i+1 … n−1, records i and j are exchanged when name i is greater than
// name j. Records with equal names end in the order these exchanges give.
std::vector<uint32_t> ExchangeSortOrder(const std::vector<const char16_t*>& names);
// The same order. When all names but the last are in order already (the
// database after every insertion) it takes one pass, otherwise it runs the
// exchanges.
std::vector<uint32_t> SortOrder(const std::vector<const char16_t*>& names);

// Sorts a TProduktRec array by name with SortOrder; returns the order.
std::vector<uint32_t> SortByName(TDynaArray& array);
// Puts the records of a TProduktRec array into a new order: record p comes
// from position order[p].
void Reorder(TDynaArray& array, const std::vector<uint32_t>& order);
