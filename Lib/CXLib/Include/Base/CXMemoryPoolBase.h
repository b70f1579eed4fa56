#pragma once

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
// Allocation and release are inline and take only the spin lock around the free-list head;
// refusals, chunk allocation and reports run out of line and never under the lock.
class CXMemoryPoolBase
{
public:
    static constexpr uint32_t kAlign = 16;

    CXMemoryPoolBase() = default;
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
        void* slot;
        {
            CXLockSpin::Guard guard(m_Lock);
            slot = m_pFreeList;
            if (slot != nullptr)
                m_pFreeList = LinkOf(slot);
        }
        if (slot == nullptr && (slot = AddChunk()) == nullptr)
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
        CXLockSpin::Guard guard(m_Lock);
        LinkOf(pBlock) = m_pFreeList;
        m_pFreeList = pBlock;
    }

    void FreeAll();

    uint32_t GetElementSize() const { return m_dwElementSize; }
    uint32_t GetChunkSize() const { return m_dwChunkSize; }
    // Distance between two slots of a chunk.
    uint32_t GetSlotSize() const { return m_dwSlotSize; }
    uint32_t GetSlotsPerChunk() const { return m_dwSlotsPerChunk; }
    uint32_t GetChunkCount();

private:
    static void*& LinkOf(void* p) { return *static_cast<void**>(p); }

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
    void* m_pChunkList = nullptr; // newest chunk; each chunk starts with the previous one's address
    void* m_pFreeList = nullptr;  // first free slot; each free slot starts with the next one's
};
