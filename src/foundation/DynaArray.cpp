#include "foundation/DynaArray.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

namespace {

void* defaultZeroAlloc(std::size_t bytes) {
    return std::calloc(1, bytes);
}

TDynaArray::ZeroAllocator gZeroAlloc = &defaultZeroAlloc;

void defaultReport(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

TDynaArray::FailureReporter& reporter() {
    static TDynaArray::FailureReporter r = &defaultReport;
    return r;
}

} // namespace

void TDynaArray::setFailureReporter(FailureReporter r) {
    reporter() = r ? std::move(r) : FailureReporter(&defaultReport);
}

void TDynaArray::setZeroAllocator(ZeroAllocator allocator) {
    gZeroAlloc = allocator ? allocator : &defaultZeroAlloc;
}

TDynaArray::TDynaArray(uint32_t thesize, void* typpoi) : outeraobj_(typpoi), size_(thesize) {}

TDynaArray::~TDynaArray() {
    std::free(poi_);
    poi_ = nullptr;
    aobj_ = nullptr;
    aobjnr_ = -1;
}

uint64_t TDynaArray::blockBytes(uint32_t n) const {
    return (uint64_t(n - 1) / buffersize_ + 1) * size_ * buffersize_;
}

void TDynaArray::writeCursor(void* value) {
    // The cursor variable is an object pointer of the caller's type; copying
    // the representation avoids type-punning through void**.
    if (outeraobj_)
        std::memcpy(outeraobj_, &value, sizeof value);
}

void TDynaArray::positionOn(int32_t i) {
    aobjnr_ = i;
    aobj_ = recordAt(uint32_t(i));
    writeCursor(aobj_);
}

void* TDynaArray::allocateBlock(uint64_t bytes, int errorNr) {
    void* block = nullptr;
    if (bytes > 0 && bytes <= std::numeric_limits<uint32_t>::max())
        block = gZeroAlloc(std::size_t(bytes));
    if (!block)
        reporter()(QStringLiteral("Error %1 while trying to allocate %2 bytes of RAM. Not enough "
                                  "memory.")
                       .arg(errorNr)
                       .arg(bytes));
    return block;
}

void TDynaArray::adoptBlock(void* block, uint64_t bytes) {
    std::free(poi_);
    poi_ = block;
    amemsize_ = uint32_t(bytes);
}

bool TDynaArray::AllocMoreMem(uint32_t newCount) {
    // newCount == 0 means the count would wrap around: no block can hold it.
    const uint64_t bytes = newCount ? blockBytes(newCount) : std::numeric_limits<uint64_t>::max();
    if (poi_ && bytes == amemsize_)
        return true;
    // Growing with the default allocator: realloc can extend or remap the
    // block instead of copying all of it every 100 records, which keeps
    // filling a large array (a big file being read) linear.
    if (poi_ && gZeroAlloc == &defaultZeroAlloc && bytes > amemsize_ &&
        bytes <= std::numeric_limits<uint32_t>::max()) {
        if (void* grown = std::realloc(poi_, std::size_t(bytes))) {
            std::memset(static_cast<char*>(grown) + amemsize_, 0, std::size_t(bytes - amemsize_));
            poi_ = grown;
            amemsize_ = uint32_t(bytes);
            return true;
        }
    }
    void* block = allocateBlock(bytes, poi_ ? 2 : 1);
    if (!block)
        return false;
    if (poi_)
        std::memcpy(block, poi_, amemsize_);
    adoptBlock(block, bytes);
    return true;
}

void* TDynaArray::GetObject(uint32_t Index) {
    positionOn(int32_t(Index));
    return aobj_;
}

void* TDynaArray::Add() {
    if (!AllocMoreMem(count_ + 1))
        return nullptr;
    ++count_;
    // The slot may still hold the bytes of a record deleted earlier.
    std::memset(recordAt(count_ - 1), 0, size_);
    positionOn(int32_t(count_ - 1));
    return aobj_;
}

void* TDynaArray::Insert(int32_t nr) {
    if (nr < 0 || uint32_t(nr) > count_)
        return nullptr;
    if (!AllocMoreMem(count_ + 1))
        return nullptr;
    ++count_;
    std::memmove(recordAt(uint32_t(nr) + 1), recordAt(uint32_t(nr)),
                 std::size_t(count_ - uint32_t(nr) - 1) * size_);
    std::memset(recordAt(uint32_t(nr)), 0, size_);
    positionOn(nr);
    return aobj_;
}

void TDynaArray::Delete(int32_t nr) {
    if (nr < 0 || uint32_t(nr) >= count_)
        return;
    const uint32_t tail = count_ - uint32_t(nr) - 1;
    if (count_ - 1 > 0 && blockBytes(count_ - 1) != amemsize_) {
        // The count drops to a multiple of the growth step: move into a
        // smaller block. Obtain it before touching anything, so that a failed
        // allocation leaves the array as it was.
        const uint64_t bytes = blockBytes(count_ - 1);
        void* block = allocateBlock(bytes, 3);
        if (!block)
            return;
        std::memmove(recordAt(uint32_t(nr)), recordAt(uint32_t(nr) + 1), std::size_t(tail) * size_);
        std::memcpy(block, poi_, std::size_t(bytes));
        adoptBlock(block, bytes);
    } else {
        std::memmove(recordAt(uint32_t(nr)), recordAt(uint32_t(nr) + 1), std::size_t(tail) * size_);
        if (count_ == 1)
            adoptBlock(nullptr, 0);
    }
    --count_;
    aobjnr_ = -1;
    aobj_ = nullptr;
    writeCursor(nullptr);
}

void TDynaArray::Change(int32_t nr1, int32_t nr2) {
    if (nr1 < 0 || nr2 < 0 || uint32_t(nr1) >= count_ || uint32_t(nr2) >= count_)
        return;
    std::unique_ptr<char[]> buffer(new char[size_]);
    std::memcpy(buffer.get(), recordAt(uint32_t(nr1)), size_);
    std::memmove(recordAt(uint32_t(nr1)), recordAt(uint32_t(nr2)), size_);
    std::memcpy(recordAt(uint32_t(nr2)), buffer.get(), size_);
    positionOn(nr2);
}

void TDynaArray::Clear() {
    count_ = 0;
    std::free(poi_);
    poi_ = nullptr;
    amemsize_ = 0;
    aobjnr_ = -1;
    aobj_ = nullptr;
    writeCursor(nullptr);
}

void TDynaArray::First() {
    if (count_ > 0)
        positionOn(0);
}

bool TDynaArray::Next() {
    if (count_ > 0 && aobjnr_ >= -1 && aobjnr_ <= int64_t(count_) - 2) {
        positionOn(aobjnr_ + 1);
        return true;
    }
    return false;
}

bool TDynaArray::WhileNext() {
    if (count_ > 0 && aobjnr_ >= 0 && aobjnr_ <= int64_t(count_) - 1) {
        aobj_ = recordAt(uint32_t(aobjnr_));
        writeCursor(aobj_);
        ++aobjnr_;
        return true;
    }
    return false;
}

void TDynaArray::Exchange(TDynaArray& other) {
    if (&other == this || other.size_ != size_)
        return;
    std::swap(poi_, other.poi_);
    std::swap(count_, other.count_);
    std::swap(amemsize_, other.amemsize_);
    for (TDynaArray* a : {this, &other}) {
        a->aobjnr_ = -1;
        a->aobj_ = nullptr;
        a->writeCursor(nullptr);
    }
}
