#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "CXLockSpin.h"

// Pool of size classes in steps of 2^shift bytes: class k serves (k << shift) + 1 to
// (k + 1) << shift bytes. Freed blocks are cached per class, each class under its own lock, and
// reused oldest first; they go back to the heap only when the pool is destroyed. Every block is
// handed out zero-filled, reused or fresh.
//
// Each block carries a 16-byte header with its class, so a block is filed by what it is, not by
// the size the caller passes back. While a block is cached, its header also links it to the next
// cached block of its class, so caching allocates nothing. Blocks are 16-byte aligned.
class CXMemorySizePool {
public:
    CXMemorySizePool(uint32_t dwMaxSize, uint32_t dwShift);
    CXMemorySizePool(const CXMemorySizePool&) = delete;
    CXMemorySizePool& operator=(const CXMemorySizePool&) = delete;
    virtual ~CXMemorySizePool();

    // The process-wide pool: maximum 4096, shift 7 (33 classes of 128-byte steps).
    static CXMemorySizePool& GetGlobal();

    // A block of at least tSize zero bytes (the whole class size is zeroed), or null (size 0,
    // beyond the largest class, or no memory).
    void* AllocateMemory(size_t tSize)
    {
        const size_t k = (tSize - 1) >> m_bShiftByteAlign;
        if (tSize == 0 || k >= m_dwElementSize || m_FreeLists == nullptr)
            return RefuseSize(tSize);
        void* block;
        {
            FreeList& list = m_FreeLists[k];
            CXLockSpin::Guard guard(list.m_Lock);
            block = list.m_pHead;
            if (block != nullptr) {
                list.m_pHead = NextOf(block);
                if (list.m_pHead == nullptr)
                    list.m_pTail = nullptr;
                --list.m_dwCount;
            }
        }
        if (block == nullptr &&
            (block = AllocateFromHeap(tSize, static_cast<uint32_t>(k))) == nullptr)
            return nullptr;
        std::memset(block, 0, GetClassSize(static_cast<uint32_t>(k)));
        return block;
    }

    // Takes back a block of this pool; the size is only checked against the block's class.
    void FreeMemory(void* pBlock, size_t tSize)
    {
        if (pBlock == nullptr)
            return;
        uint32_t header[2];  // tag, class
        std::memcpy(header, static_cast<const char*>(pBlock) - kHeader, sizeof(header));
        const uint32_t k = header[1];
        if (header[0] != kBlockTag || k >= m_dwElementSize || m_FreeLists == nullptr ||
            tSize == 0 || ((tSize - 1) >> m_bShiftByteAlign) != k) {
            if (!CheckFreed(pBlock, tSize, header[0], k))
                return;
        }
        NextOf(pBlock) = nullptr;
        FreeList& list = m_FreeLists[k];
        CXLockSpin::Guard guard(list.m_Lock);
        if (list.m_pTail != nullptr)
            NextOf(list.m_pTail) = pBlock;
        else
            list.m_pHead = pBlock;
        list.m_pTail = pBlock;
        ++list.m_dwCount;
    }

    // Bytes a block of the class holds, and the number of cached blocks in the class.
    uint32_t GetClassSize(uint32_t dwClass) const { return (dwClass + 1) << m_bShiftByteAlign; }
    uint32_t GetCachedCount(uint32_t dwClass);

    uint32_t m_dwMaxSize;       // the largest request served
    uint32_t m_dwElementSize;   // number of size classes
    uint8_t m_bShiftByteAlign;  // class step is 1 << shift bytes

private:
    // The block header: tag and class in its first 8 bytes, then the link to the next cached
    // block of the class (meaningful only while the block is cached).
    static constexpr size_t kHeader = 16;
    static constexpr size_t kLinkOffset = 8;
    static constexpr uint32_t kBlockTag = 0x50535843u;  // "CXSP"

    static void*& NextOf(void* pBlock)
    {
        return *reinterpret_cast<void**>(static_cast<char*>(pBlock) - kHeader + kLinkOffset);
    }

    // The cached blocks of one class, oldest at the head. Each on its own cache line, so threads
    // working on different classes do not slow each other down.
    struct alignas(64) FreeList {
        CXLockSpin m_Lock;
        void* m_pHead = nullptr;
        void* m_pTail = nullptr;
        uint32_t m_dwCount = 0;
    };

    // Reports a request of size 0 (silently), beyond the classes, or without lists; returns null.
    void* RefuseSize(size_t tSize) const;
    // A fresh block of class k from the heap, or null (reported).
    void* AllocateFromHeap(size_t tSize, uint32_t k);
    // Reports a freed block that is foreign (false: not taken) or freed under another class's
    // size (true: filed by its own class).
    bool CheckFreed(void* pBlock, size_t tSize, uint32_t dwTag, uint32_t dwClass) const;

    std::unique_ptr<FreeList[]> m_FreeLists;  // one per class; null when it could not be made
};
