#pragma once

#include <cstddef>
#include <cstdint>

#include "CXArrayTmpl.h"
#include "CXListTmpl.h"
#include "CXLockTmpl.h"

// Pool of size classes in steps of 2^shift bytes: class k serves (k << shift) + 1 to
// (k + 1) << shift bytes. Freed blocks are cached per class in locked lists and reused oldest
// first; they go back to the heap only when the pool is destroyed.
//
// Each block carries a 16-byte header with its class, so a block is filed by what it is, not by
// the size the caller passes back. Blocks are 16-byte aligned.
class CXMemorySizePool
{
public:
    CXMemorySizePool(uint32_t dwMaxSize, uint32_t dwShift);
    CXMemorySizePool(const CXMemorySizePool&) = delete;
    CXMemorySizePool& operator=(const CXMemorySizePool&) = delete;
    virtual ~CXMemorySizePool();

    // The process-wide pool: maximum 4096, shift 7 (33 classes of 128-byte steps).
    static CXMemorySizePool& GetGlobal();

    // A block of at least tSize bytes, or null (size 0, beyond the largest class, or no memory).
    void* AllocateMemory(size_t tSize);
    // Takes back a block of this pool; the size is only checked against the block's class.
    void FreeMemory(void* pBlock, size_t tSize);

    // Bytes a block of the class holds, and the number of cached blocks in the class.
    uint32_t GetClassSize(uint32_t dwClass) const { return (dwClass + 1) << m_bShiftByteAlign; }
    uint32_t GetCachedCount(uint32_t dwClass);

    uint32_t m_dwMaxSize;      // the largest request served
    uint32_t m_dwElementSize;  // number of size classes
    uint8_t m_bShiftByteAlign; // class step is 1 << shift bytes

private:
    using FreeList = CXLockTmpl<CXListTmpl<unsigned char>>;

    bool ClassOf(size_t tSize, uint32_t& dwClass, const char* pszFunction, int nLine) const;

    CXArrayTmpl<FreeList> m_FreeLists;
};
