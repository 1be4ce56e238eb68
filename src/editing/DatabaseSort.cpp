#include "editing/DatabaseSort.h"

#include <cstring>
#include <numeric>
#include <utility>

int CompareNames(const char16_t* a, const char16_t* b) {
    static const char16_t empty = u'\0';
    const char16_t* x = a ? a : &empty;
    const char16_t* y = b ? b : &empty;
    for (;; ++x, ++y) {
        if (*x != *y)
            return *x < *y ? -1 : 1; // char16_t compares as unsigned
        if (*x == u'\0')
            return 0;
    }
}

std::vector<uint32_t> ExchangeSortOrder(const std::vector<const char16_t*>& names) {
    const std::size_t n = names.size();
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (CompareNames(names[order[i]], names[order[j]]) > 0)
                std::swap(order[i], order[j]);
    return order;
}

std::vector<uint32_t> SortOrder(const std::vector<const char16_t*>& names) {
    const std::size_t n = names.size();
    for (std::size_t i = 1; i + 1 < n; ++i)
        if (CompareNames(names[i - 1], names[i]) > 0)
            return ExchangeSortOrder(names);
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (n < 2)
        return order;
    // Names 0 … n−2 are in order, so in round i the only exchange partner of
    // record i is the last slot: they are exchanged when name i is greater.
    // The last slot carries the smaller of the two on to the next round.
    uint32_t& carried = order[n - 1];
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (CompareNames(names[order[i]], names[carried]) > 0)
            std::swap(order[i], carried);
    return order;
}

void Reorder(TDynaArray& array, const std::vector<uint32_t>& order) {
    const uint32_t n = array.count();
    if (order.size() != n)
        return;
    std::vector<TProduktRec> before(n);
    for (uint32_t i = 0; i < n; ++i)
        std::memcpy(&before[i], array.GetObject(i), sizeof(TProduktRec));
    for (uint32_t p = 0; p < n; ++p)
        std::memcpy(array.GetObject(p), &before[order[p]], sizeof(TProduktRec));
}

std::vector<uint32_t> SortByName(TDynaArray& array) {
    std::vector<const char16_t*> names(array.count());
    for (uint32_t i = 0; i < array.count(); ++i)
        names[i] = static_cast<const TProduktRec*>(array.GetObject(i))->name;
    std::vector<uint32_t> order = SortOrder(names);
    Reorder(array, order);
    return order;
}
