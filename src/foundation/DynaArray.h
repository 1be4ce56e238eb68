#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include <QString>

// An ordered sequence of fixed-size records in one zero-filled heap block that
// grows and shrinks in steps of 100 records.
//
// Every operation that positions on a record writes that record's address into
// the caller's cursor variable, whose address the array got at creation. Several
// arrays may share one cursor variable. The array stores raw bytes: whatever a
// record points to belongs to the record's owner and is never freed here.
//
// Record addresses stay valid only until the next Add, Insert, Delete or Clear.
class TDynaArray {
public:
    // `typpoi` is the address of the caller's cursor variable (any object
    // pointer type), or null when no cursor variable is to be written.
    template <class T>
    TDynaArray(uint32_t thesize, T** typpoi) : TDynaArray(thesize, static_cast<void*>(typpoi)) {}
    TDynaArray(uint32_t thesize, std::nullptr_t)
        : TDynaArray(thesize, static_cast<void*>(nullptr)) {}
    ~TDynaArray();

    TDynaArray(const TDynaArray&) = delete;
    TDynaArray& operator=(const TDynaArray&) = delete;

    // Positions on record `Index`; the caller guarantees Index < count.
    void* GetObject(uint32_t Index);
    // Appends one all-zero record and positions on it. Null after an
    // allocation failure; the array is then unchanged.
    void* Add();
    // Opens an all-zero record at `nr` (0 <= nr <= count). Null when `nr` is out
    // of range or after an allocation failure; the array is then unchanged.
    void* Insert(int32_t nr);
    // Removes record `nr` (0 <= nr < count) and clears the position.
    void Delete(int32_t nr);
    // Exchanges records nr1 and nr2 and positions on nr2.
    void Change(int32_t nr1, int32_t nr2);
    // Removes every record and releases the block; clears the position.
    void Clear();

    void First();
    bool Next();
    bool WhileNext();

    // Exchanges the records of two arrays of the same record size. Each keeps
    // its own cursor variable; both lose their position.
    void Exchange(TDynaArray& other);
    // Writes positions into another cursor variable from now on (used when a
    // product array moves to another document).
    template <class T> void SetCursorVariable(T** typpoi) { outeraobj_ = typpoi; }

    uint32_t count() const { return count_; }
    uint32_t size() const { return size_; }
    uint32_t amemsize() const { return amemsize_; }
    uint32_t buffersize() const { return buffersize_; }
    int32_t aobjnr() const { return aobjnr_; }
    void* aobj() const { return aobj_; }
    const void* poi() const { return poi_; }

    // Where allocation failures are reported ("Error N while trying to ...").
    // The application shows them in a message box; the default writes stderr.
    using FailureReporter = std::function<void(const QString& message)>;
    static void setFailureReporter(FailureReporter reporter);

    // Zero-filling allocator for the record block; replaceable so that tests
    // can make allocations fail. Pass null to restore the default.
    using ZeroAllocator = void* (*)(std::size_t bytes);
    static void setZeroAllocator(ZeroAllocator allocator);

private:
    TDynaArray(uint32_t thesize, void* typpoi);

    // Bytes of a block with room for `n` records (n >= 1), rounded up to the
    // growth step. May exceed 32 bits; such a block is never obtained.
    uint64_t blockBytes(uint32_t n) const;
    // Makes room for `newCount` records before the count changes, so that a
    // failed allocation leaves the array as it was. False after reporting.
    bool AllocMoreMem(uint32_t newCount);
    // A zero-filled block of `bytes`, or null after reporting error `errorNr`.
    void* allocateBlock(uint64_t bytes, int errorNr);
    void adoptBlock(void* block, uint64_t bytes);
    void positionOn(int32_t i);
    void writeCursor(void* value);
    char* recordAt(uint32_t i) const { return static_cast<char*>(poi_) + std::size_t(i) * size_; }

    void* outeraobj_;
    void* aobj_ = nullptr;
    void* poi_ = nullptr;
    uint32_t count_ = 0;
    int32_t aobjnr_ = -1;
    uint32_t amemsize_ = 0;
    uint32_t buffersize_ = 100;
    uint32_t size_;
};
