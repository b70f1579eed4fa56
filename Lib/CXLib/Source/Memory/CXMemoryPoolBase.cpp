#include "CXMemoryPoolBase.h"

#include <new>

#include "CXLog.h"

namespace {

constexpr size_t kChunkHeader = CXMemoryPoolBase::kAlign;

} // namespace

CXMemoryPoolBase::~CXMemoryPoolBase()
{
    FreeAll();
}

void CXMemoryPoolBase::SetSize(uint32_t dwChunkBase, uint32_t dwElementSize)
{
    CXLockSpin::Guard guard(m_Lock);
    m_dwElementSize = dwElementSize;
    uint32_t slot = dwElementSize < kAlign ? kAlign : dwElementSize;
    m_dwSlotSize = (slot + kAlign - 1) / kAlign * kAlign;
    m_dwSlotsPerChunk = dwChunkBase / m_dwSlotSize + 1;
    m_dwChunkSize = static_cast<uint32_t>(kChunkHeader) + m_dwSlotsPerChunk * m_dwSlotSize;
}

void* CXMemoryPoolBase::RefuseSize(size_t tSize) const
{
    CX_LOG_ERROR("CXMemoryPoolBase::AllocateMemory",
                 "tSize is not m_dwElementSize. [tSize=%zu, m_dwElementSize=%u]", tSize, m_dwElementSize);
    return nullptr;
}

void CXMemoryPoolBase::ReportNullFree()
{
    CX_LOG_ERROR("CXMemoryPoolBase::FreeMemory", "Memory is NULL");
}

void* CXMemoryPoolBase::AddChunk()
{
    // Allocated and cut outside the lock; other threads keep allocating meanwhile. Two threads
    // that find the list empty at once each add a chunk, which costs one spare chunk at most.
    void* chunk = ::operator new(m_dwChunkSize, std::align_val_t{kAlign}, std::nothrow);
    if (chunk == nullptr) {
        CX_LOG_ERROR("CXMemoryPoolBase::AddChunk", "Chunk create fail. [m_dwChunkSize=%u]", m_dwChunkSize);
        return nullptr;
    }
    char* first = static_cast<char*>(chunk) + kChunkHeader;
    void* rest = nullptr; // slots 1..n-1, linked in ascending order
    void* last = nullptr;
    if (m_dwSlotsPerChunk > 1) {
        rest = first + m_dwSlotSize;
        last = first + static_cast<size_t>(m_dwSlotsPerChunk - 1) * m_dwSlotSize;
        for (char* slot = static_cast<char*>(rest); slot != last; slot += m_dwSlotSize)
            LinkOf(slot) = slot + m_dwSlotSize;
    }

    CXLockSpin::Guard guard(m_Lock);
    LinkOf(chunk) = m_pChunkList;
    m_pChunkList = chunk;
    if (rest != nullptr) {
        LinkOf(last) = m_pFreeList;
        m_pFreeList = rest;
    }
    return first;
}

void CXMemoryPoolBase::FreeAll()
{
    void* chunks;
    {
        CXLockSpin::Guard guard(m_Lock);
        chunks = m_pChunkList;
        m_pChunkList = nullptr;
        m_pFreeList = nullptr;
    }
    while (chunks != nullptr) {
        void* chunk = chunks;
        chunks = LinkOf(chunk);
        ::operator delete(chunk, std::align_val_t{kAlign});
    }
}

uint32_t CXMemoryPoolBase::GetChunkCount()
{
    CXLockSpin::Guard guard(m_Lock);
    uint32_t count = 0;
    for (void* chunk = m_pChunkList; chunk != nullptr; chunk = LinkOf(chunk))
        ++count;
    return count;
}
