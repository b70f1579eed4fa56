#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "CXLockSpin.h"

// Fixed-size block pool: grows by chunks of about 8 KiB, never shrinks while it lives, and hands
// out freed blocks last in, first out, zero-filled. Any thread may allocate and free.
//
// A chunk is a 16-byte header (the link to the previous chunk) followed by n slots. A free slot's
// first bytes link it to the next free slot; a slot in use is all the caller's. Slots are 16-byte
// aligned and at least 16 bytes apart, so the link is a full pointer.
//
// Each thread keeps a small cache of free blocks per pool and trades them with the pool's shared
// free list in batches, so threads allocating and freeing at once rarely meet on the pool's lock.
// A thread's cached blocks go back to the shared list when the thread ends. FreeAll renews the
// pool's generation, which makes every thread drop the blocks it cached before.
class CXMemoryPoolBase {
public:
    static constexpr uint32_t kAlign = 16;

    CXMemoryPoolBase();
    CXMemoryPoolBase(const CXMemoryPoolBase&) = delete;
    CXMemoryPoolBase& operator=(const CXMemoryPoolBase&) = delete;
    // Frees every chunk, whether or not blocks are still in use.
    virtual ~CXMemoryPoolBase();

    // Sets the element size; each chunk holds one slot more than fits in dwChunkBase bytes.
    void SetSize(uint32_t dwChunkBase, uint32_t dwElementSize);

    // A block of m_dwElementSize zero bytes, or null: when tSize is not the element size
    // (reported) or when no chunk can be allocated (reported). Pooled classes are constructed
    // on the zeros, so members their constructors leave alone read as 0.
    void* AllocateMemory(size_t tSize)
    {
        if (tSize != m_dwElementSize)
            return RefuseSize(tSize);
        void* slot = TakeBlock();
        if (slot == nullptr)
            return nullptr;
        std::memset(slot, 0, m_dwElementSize);
        return slot;
    }

    // Returns a block of this pool; null is reported and ignored.
    void FreeMemory(void* pBlock)
    {
        if (pBlock == nullptr) {
            ReportNullFree();
            return;
        }
        GiveBlock(pBlock);
    }

    // Frees every chunk, whether or not blocks are still in use; no other thread may use the pool
    // meanwhile.
    void FreeAll();

    uint32_t GetElementSize() const { return m_dwElementSize; }
    uint32_t GetChunkSize() const { return m_dwChunkSize; }
    // Distance between two slots of a chunk.
    uint32_t GetSlotSize() const { return m_dwSlotSize; }
    uint32_t GetSlotsPerChunk() const { return m_dwSlotsPerChunk; }
    uint32_t GetChunkCount();

    // Blocks a thread caches per pool before it returns a batch, and the batch size.
    static constexpr uint32_t kCacheMax = 64;
    static constexpr uint32_t kBatch = 32;

private:
    friend struct CXMemoryPoolThreadCache;
    static void*& LinkOf(void* p) { return *static_cast<void**>(p); }

    // A free block from the calling thread's cache, the shared list or a new chunk; null when no
    // chunk can be allocated (reported).
    void* TakeBlock();
    void GiveBlock(void* pBlock);
    // Moves up to kBatch blocks from the shared list into a chain; returns its head (null when
    // the list is empty) and sets the count.
    void* TakeBatch(uint32_t& dwCount);
    // Puts a chain of blocks from head to tail back onto the shared list.
    void GiveChain(void* pHead, void* pTail);

    // Allocates one chunk and returns its first slot; the others go onto the free list, so
    // consecutive allocations ascend. Null when the chunk cannot be allocated (reported).
    void* AddChunk();
    void* RefuseSize(size_t tSize) const;
    static void ReportNullFree();

    CXLockSpin m_Lock;
    uint32_t m_dwChunkSize = 0;
    uint32_t m_dwElementSize = 0;
    uint32_t m_dwSlotSize = 0;
    uint32_t m_dwSlotsPerChunk = 0;
    void* m_pChunkList =
        nullptr;                  // newest chunk; each chunk starts with the previous one's address
    void* m_pFreeList = nullptr;  // first free slot; each free slot starts with the next one's
    // Never reused by another pool; renewed by FreeAll. Threads' caches are filed under it.
    std::atomic<uint64_t> m_qwGeneration;
};
